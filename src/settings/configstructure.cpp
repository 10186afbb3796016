#include "settings/configstructure.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "persist/errors.h"
#include "persist/text.h"
#include "settings/configerrors.h"

namespace tarvo {

namespace {

constexpr int DateTimeDigits = 15;

std::string FloatText(double value)
{
    // to_chars is independent of the locale, unlike printf's "%.15g".
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::general, DateTimeDigits);
    return std::string(text, result.ptr);
}

double ParseFloat(std::string_view text)
{
    std::string pointText(text);
    std::replace(pointText.begin(), pointText.end(), ',', '.');
    double value = 0;
    const char* end = pointText.data() + pointText.size();
    const auto result = std::from_chars(pointText.data(), end, value, std::chars_format::general);
    // "nan" and "inf" are read by from_chars but are no numbers.
    if (pointText.empty() || result.ec != std::errc() || result.ptr != end || !std::isfinite(value))
        throw EConfigConvertError(EConfigConvertError::TNumberKind::Float, text);
    return value;
}

int32_t ParseInteger(std::string_view text)
{
    try {
        return StrToInt(text);
    } catch (const EConvertError&) {
        // Same rules, but the store reports them in its own words.
        throw EConfigConvertError(EConfigConvertError::TNumberKind::Integer, text);
    }
}

} // namespace

void TConfigStructure::WriteInt(std::string_view name, int32_t value)
{
    WriteString(name, std::to_string(value));
}

int32_t TConfigStructure::ReadInt(std::string_view name, int32_t defaultValue)
{
    return ParseInteger(ReadString(name, std::to_string(defaultValue)));
}

void TConfigStructure::WriteBoolean(std::string_view name, bool value)
{
    WriteInt(name, value ? 1 : 0);
}

bool TConfigStructure::ReadBoolean(std::string_view name, bool defaultValue)
{
    return ReadInt(name, defaultValue ? 1 : 0) == 1;
}

void TConfigStructure::WriteDateTime(std::string_view name, double value)
{
    WriteString(name, FloatText(value));
}

double TConfigStructure::ReadDateTime(std::string_view name, double defaultValue)
{
    return ParseFloat(ReadString(name, FloatText(defaultValue)));
}

std::string TConfigStructure::GetValueToWrite(std::string_view value) const
{
    return ScrambleKey.empty() ? std::string(value) : ScrambleText(value, ScrambleKey);
}

std::string TConfigStructure::DecryptReadValue(std::string_view value) const
{
    return ScrambleKey.empty() ? std::string(value) : UnscrambleText(value, ScrambleKey);
}

} // namespace tarvo
