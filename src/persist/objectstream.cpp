#include "persist/objectstream.h"

#include <cstring>

#include "persist/classregistry.h"
#include "persist/textservices.h"
#include "platform/files.h"
#include "platform/littleendian.h"

namespace tarvo {

using platform::FromLittleEndian;
using platform::ToLittleEndian;

namespace {

size_t RoundUpToStep(size_t size)
{
    const size_t step = TObjectStream::CapacityStep;
    return (size + step - 1) / step * step;
}

} // namespace

TObjectStream::TObjectStream(size_t initialSize) : buffer_(RoundUpToStep(initialSize), 0), size_(initialSize)
{
}

void TObjectStream::SetPosition(size_t position)
{
    position_ = position;
}

std::vector<uint8_t> TObjectStream::Bytes() const
{
    return {buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(size_)};
}

void TObjectStream::Write(const void* data, size_t count)
{
    const size_t end = position_ + count;
    if (end > buffer_.size())
        buffer_.resize(RoundUpToStep(end), 0);
    if (count > 0) // an empty text may come without any data pointer at all
        std::memcpy(buffer_.data() + position_, data, count);
    position_ = end;
    if (end > size_)
        size_ = end;
}

void TObjectStream::Read(void* data, size_t count)
{
    if (position_ > size_ || count > size_ - position_)
        RaiseDamaged("Lesen über das Ende der Daten hinaus");
    std::memcpy(data, buffer_.data() + position_, count);
    position_ += count;
}

void TObjectStream::RaiseDamaged(std::string_view detail) const
{
    throw EStreamDamaged(fileName_, detail);
}

void TObjectStream::RaiseUnexpectedClass(const TStreamableObject& found, std::string_view expectedClass) const
{
    RaiseDamaged(std::string(found.ClassType().Name()) + " statt " + std::string(expectedClass));
}

void TObjectStream::PutLong(int32_t value)
{
    uint8_t bytes[4];
    ToLittleEndian(value, bytes);
    Write(bytes, sizeof bytes);
}

int32_t TObjectStream::GetLong()
{
    uint8_t bytes[4];
    Read(bytes, sizeof bytes);
    return FromLittleEndian<int32_t>(bytes);
}

void TObjectStream::PutInt(int32_t value)
{
    PutLong(value);
}

int32_t TObjectStream::GetInt()
{
    return GetLong();
}

void TObjectStream::PutShort(int16_t value)
{
    uint8_t bytes[2];
    ToLittleEndian(value, bytes);
    Write(bytes, sizeof bytes);
}

int16_t TObjectStream::GetShort()
{
    uint8_t bytes[2];
    Read(bytes, sizeof bytes);
    return FromLittleEndian<int16_t>(bytes);
}

void TObjectStream::PutWord(uint16_t value)
{
    PutShort(static_cast<int16_t>(value));
}

uint16_t TObjectStream::GetWord()
{
    return static_cast<uint16_t>(GetShort());
}

void TObjectStream::PutByte(uint8_t value)
{
    Write(&value, 1);
}

uint8_t TObjectStream::GetByte()
{
    uint8_t value = 0;
    Read(&value, 1);
    return value;
}

void TObjectStream::PutBool(bool value)
{
    PutByte(value ? 1 : 0);
}

bool TObjectStream::GetBool()
{
    return GetByte() != 0;
}

void TObjectStream::PutString(std::string_view text)
{
    const std::string bytes = text::Encode(text);
    PutLong(static_cast<int32_t>(bytes.size()));
    Write(bytes.data(), bytes.size());
}

std::string TObjectStream::GetString()
{
    const int32_t length = GetLong();
    if (length < 0 || static_cast<size_t>(length) > size_ - position_)
        RaiseDamaged("ungültige Textlänge " + std::to_string(length));
    std::string text(static_cast<size_t>(length), '\0');
    Read(text.data(), text.size());
    if (auto nul = text.find('\0'); nul != std::string::npos)
        text.resize(nul);
    return text::Decode(text);
}

void TObjectStream::PutObject(const TStreamableObject& object)
{
    PutLong(object.ClassType().GetRegistrationCode());
    object.Store(*this);
}

std::unique_ptr<TStreamableObject> TObjectStream::GetObject()
{
    if (nesting_ >= MaxNesting)
        RaiseDamaged("Objekte zu tief verschachtelt");
    const int32_t code = GetLong();
    const TClassInfo& objectClass = ClassRegistry().GetClassForID(code);
    ++nesting_;
    struct LeaveLevel {
        int& nesting;
        ~LeaveLevel() { --nesting; }
    } leave{nesting_};
    return objectClass.Load(*this);
}

void TObjectStream::SaveToFile(const std::string& fileName) const
{
    if (!platform::ReplaceWholeFile(fileName, buffer_.data(), size_))
        throw EFCreateError(fileName);
}

void TObjectStream::LoadFromFile(const std::string& fileName)
{
    auto bytes = platform::ReadWholeFile(fileName);
    if (!bytes)
        throw EFOpenError(fileName);
    LoadFromBytes(std::move(*bytes));
    fileName_ = fileName;
}

void TObjectStream::LoadFromBytes(std::vector<uint8_t> bytes)
{
    size_ = bytes.size();
    buffer_ = std::move(bytes);
    buffer_.resize(RoundUpToStep(size_), 0);
    position_ = 0;
    fileName_.clear();
}

void WriteObjectFile(const TStreamableObject& object, const std::string& fileName, size_t initialSize)
{
    TObjectStream stream(initialSize);
    stream.PutObject(object);
    stream.SaveToFile(fileName);
}

std::unique_ptr<TStreamableObject> LoadObjectFromFile(const TClassInfo& objectClass, const std::string& fileName)
{
    if (!platform::FileExists(fileName))
        return objectClass.Create();
    TObjectStream stream(TObjectStream::DefaultInitialSize);
    stream.LoadFromFile(fileName);
    return stream.GetObject();
}

} // namespace tarvo
