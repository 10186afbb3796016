#include "persist/errors.h"

#include <charconv>

namespace tarvo {

std::string FormatMessage(std::string_view messageTemplate, std::string_view argument)
{
    std::string result(messageTemplate);
    if (auto at = result.find("%s"); at != std::string::npos)
        result.replace(at, 2, argument);
    return result;
}

EInvalidCast::EInvalidCast() : ETarvoError("Ungültige Typumwandlung") {}

EListError::EListError() : ETarvoError("Listenindex außerhalb des zulässigen Bereichs") {}

EClassNotFound::EClassNotFound(int32_t code)
    : ETarvoError("Klasse " + std::to_string(code) + " nicht gefunden.")
{
}

EFCreateError::EFCreateError(std::string_view fileName)
    : ETarvoError(FormatMessage("Kann Datei %s nicht erstellen", fileName))
{
}

EFOpenError::EFOpenError(std::string_view fileName)
    : ETarvoError(FormatMessage("Kann Datei %s nicht öffnen", fileName))
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

int32_t StrToInt(std::string_view text)
{
    // Like the framework's conversion: surrounding blanks are not allowed,
    // a leading sign is.
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '+') {
        digits.remove_prefix(1);
        if (!digits.empty() && digits.front() == '-')
            throw EConvertError(text);
    }
    int32_t value = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
        throw EConvertError(text);
    return value;
}

} // namespace tarvo
