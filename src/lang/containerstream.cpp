#include "lang/containerstream.h"

#include <algorithm>
#include <iterator>

#include "lang/containererrors.h"
#include "persist/textservices.h"
#include "platform/littleendian.h"

namespace tarvo {

namespace {

template <class T>
void AppendLittleEndian(std::vector<uint8_t>& bytes, T value)
{
    uint8_t encoded[sizeof(T)];
    platform::ToLittleEndian(value, encoded);
    bytes.insert(bytes.end(), std::begin(encoded), std::end(encoded));
}

} // namespace

void TContainerWriter::Byte(uint8_t value)
{
    bytes_.push_back(value);
}

void TContainerWriter::Word(int16_t value)
{
    AppendLittleEndian(bytes_, value);
}

void TContainerWriter::Long(int32_t value)
{
    AppendLittleEndian(bytes_, value);
}

void TContainerWriter::CountedString(std::string_view text)
{
    const std::string bytes = text::Encode(text);
    Long(static_cast<int32_t>(bytes.size() + 1));
    if (bytes.empty())
        return;
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    bytes_.push_back(0);
}

void TContainerWriter::ShortString(std::string_view text)
{
    text = text.substr(0, 255);
    Byte(static_cast<uint8_t>(text.size()));
    bytes_.insert(bytes_.end(), text.begin(), text.end());
}

void TContainerWriter::Texts(const std::vector<std::string>& texts)
{
    Long(static_cast<int32_t>(texts.size()));
    for (const auto& text : texts)
        CountedString(text);
}

std::span<const uint8_t> TContainerReader::Take(size_t count)
{
    if (count > Remaining())
        RaiseDamaged("the data ends inside a value of " + std::to_string(count) + " bytes");
    const auto taken = data_.subspan(position_, count);
    position_ += count;
    return taken;
}

uint8_t TContainerReader::Byte()
{
    return Take(1)[0];
}

int16_t TContainerReader::Word()
{
    return platform::FromLittleEndian<int16_t>(Take(2).data());
}

int32_t TContainerReader::Long()
{
    return platform::FromLittleEndian<int32_t>(Take(4).data());
}

std::string TContainerReader::CountedString()
{
    const int32_t length = Long();
    if (length < 2)
        return {};
    const auto characters = Take(static_cast<size_t>(length));
    return text::Decode(std::string(characters.begin(), std::find(characters.begin(), characters.end(), uint8_t{0})));
}

std::string TContainerReader::ShortString()
{
    const auto characters = Take(Byte());
    return std::string(characters.begin(), characters.end());
}

void TContainerReader::Texts(std::vector<std::string>& texts)
{
    const int32_t count = Long();
    CheckCount(count, 4);
    for (int32_t i = 0; i < count; ++i)
        texts.push_back(CountedString());
}

void TContainerReader::CheckCount(int32_t count, size_t minimumItemSize) const
{
    if (count < 0 || static_cast<size_t>(count) > Remaining() / minimumItemSize)
        RaiseDamaged("a count of " + std::to_string(count) + " that the remaining " + std::to_string(Remaining())
                     + " bytes cannot hold");
}

void TContainerReader::RaiseDamaged(std::string_view detail) const
{
    throw EContainerDamaged(position_, detail);
}

} // namespace tarvo
