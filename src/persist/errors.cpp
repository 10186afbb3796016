#include "persist/errors.h"

#include <charconv>
#include <cstdint>

namespace tarvo {

std::string FormatMessage(std::string_view messageTemplate, std::string_view argument)
{
    std::string result(messageTemplate);
    if (auto at = result.find("%s"); at != std::string::npos)
        result.replace(at, 2, argument);
    return result;
}

EInvalidCast::EInvalidCast() : ETarvoError("Ungültige Typumwandlung")
{
}

EListError::EListError() : ETarvoError("Listenindex außerhalb des zulässigen Bereichs")
{
}

EClassNotFound::EClassNotFound(int32_t code) : ETarvoError("Klasse " + std::to_string(code) + " nicht gefunden.")
{
}

EFCreateError::EFCreateError(std::string_view fileName)
    : ETarvoError(FormatMessage("Kann Datei %s nicht erstellen", fileName))
{
}

EFOpenError::EFOpenError(std::string_view fileName) : ETarvoError(FormatMessage("Kann Datei %s nicht öffnen", fileName))
{
}

EConvertError::EConvertError(std::string_view text)
    : ETarvoError(FormatMessage("''%s'' ist kein gültiger Integerwert", text))
{
}

static std::string DamagedText(std::string_view fileName, std::string_view detail)
{
    std::string where = fileName.empty() ? std::string("Die Daten sind beschädigt")
                                         : FormatMessage("Die Datei %s ist beschädigt", fileName);
    return where + ": " + std::string(detail);
}

EStreamDamaged::EStreamDamaged(std::string_view fileName, std::string_view detail)
    : ETarvoError(DamagedText(fileName, detail))
{
}

std::optional<int32_t> TryStrToInt(std::string_view text)
{
    // Like the framework's conversion: leading blanks and a sign are allowed,
    // "$" introduces hexadecimal digits, nothing may follow the digits.
    std::string_view rest = text;
    while (!rest.empty() && rest.front() == ' ')
        rest.remove_prefix(1);
    const bool negative = !rest.empty() && rest.front() == '-';
    if (!rest.empty() && (rest.front() == '-' || rest.front() == '+'))
        rest.remove_prefix(1);
    int base = 10;
    if (!rest.empty() && rest.front() == '$') {
        rest.remove_prefix(1);
        base = 16;
    }
    // from_chars would take a second sign; the framework does not.
    if (rest.empty() || rest.front() == '-' || rest.front() == '+')
        return std::nullopt;
    int64_t magnitude = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), magnitude, base);
    if (error != std::errc() || end != rest.data() + rest.size())
        return std::nullopt;
    const int64_t value = negative ? -magnitude : magnitude;
    if (value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    return static_cast<int32_t>(value);
}

int32_t StrToInt(std::string_view text)
{
    if (auto value = TryStrToInt(text))
        return *value;
    throw EConvertError(text);
}

} // namespace tarvo
