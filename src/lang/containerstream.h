#pragma once
// The byte format of translation containers: little-endian integers, counted
// strings (32-bit length including a terminating zero byte, then the
// characters and the zero; an empty string is the length 1 alone) and short
// strings (one length byte, then the characters). Counted strings are texts,
// encoded and decoded by text::Encode and text::Decode; short strings are
// class names, identifiers stored as they are.
//
// The reader never reads outside its data and checks every count against the
// bytes that are left before anything is allocated for it.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo {

class TContainerWriter {
public:
    void Byte(uint8_t value);
    void Word(int16_t value);
    void Long(int32_t value);
    void CountedString(std::string_view text);
    // At most 255 characters; the rest is cut off.
    void ShortString(std::string_view text);
    // A 32-bit count, then each text as a counted string.
    void Texts(const std::vector<std::string>& texts);

    const std::vector<uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

class TContainerReader {
public:
    // The reader looks at the data; it must outlive the reader.
    explicit TContainerReader(std::span<const uint8_t> data) : data_(data) { }

    uint8_t Byte();
    int16_t Word();
    int32_t Long();
    // A length below 2 is the empty string and nothing more is read; a zero
    // byte inside the characters ends the text.
    std::string CountedString();
    std::string ShortString();
    // Appends the texts that Texts of the writer wrote.
    void Texts(std::vector<std::string>& texts);

    // Raises EContainerDamaged unless count items of at least minimumItemSize
    // bytes each can still follow (a negative count never can).
    void CheckCount(int32_t count, size_t minimumItemSize) const;

    size_t Position() const { return position_; }
    size_t Remaining() const { return data_.size() - position_; }
    [[noreturn]] void RaiseDamaged(std::string_view detail) const;

private:
    std::span<const uint8_t> Take(size_t count);

    std::span<const uint8_t> data_;
    size_t position_ = 0;
};

} // namespace tarvo
