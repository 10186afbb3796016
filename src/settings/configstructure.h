#pragma once
// The configuration store: named values of the kinds string, integer,
// Boolean and date-time, kept in sections. Every kind is stored as text; a
// concrete store supplies only the text operations and the section switch.
// Values can be scrambled on their way out and unscrambled on their way back.

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvo {

class TConfigStructure {
public:
    TConfigStructure() = default;
    virtual ~TConfigStructure() = default;
    TConfigStructure(const TConfigStructure&) = delete;
    TConfigStructure& operator=(const TConfigStructure&) = delete;

    // Put in front of every value name.
    std::string ValuePrefix;
    // Key for scrambling values; empty stores them as plain text.
    std::string ScrambleKey;

    virtual void SetSection(std::string_view name) = 0;
    virtual void WriteString(std::string_view name, std::string_view value) = 0;
    // The stored text, or defaultValue unchanged when there is no such value.
    virtual std::string ReadString(std::string_view name, std::string_view defaultValue) = 0;

    // Decimal text.
    virtual void WriteInt(std::string_view name, int32_t value);
    // EConfigConvertError when the stored text is not a whole number.
    virtual int32_t ReadInt(std::string_view name, int32_t defaultValue);
    // Stored as the integer 1 or 0.
    virtual void WriteBoolean(std::string_view name, bool value);
    // True exactly when the stored integer is 1.
    virtual bool ReadBoolean(std::string_view name, bool defaultValue);
    // A date-time number, as text in general format with 15 significant
    // digits and "." as decimal separator, whatever the user's locale.
    virtual void WriteDateTime(std::string_view name, double value);
    // Accepts "." and "," as decimal separator, so that texts written under
    // a locale with a decimal comma read too; EConfigConvertError when the
    // whole text is not a number.
    virtual double ReadDateTime(std::string_view name, double defaultValue);

    // The text to store for value: scrambled with ScrambleKey when it is set.
    virtual std::string GetValueToWrite(std::string_view value) const;
    // The value of a stored text: unscrambled with ScrambleKey when it is set.
    virtual std::string DecryptReadValue(std::string_view value) const;
};

} // namespace tarvo
