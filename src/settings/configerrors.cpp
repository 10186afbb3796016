#include "settings/configerrors.h"

namespace tarvo {

namespace {

std::string_view RegistryMessage(ERegistryException::TReason reason)
{
    switch (reason) {
    case ERegistryException::TReason::InvalidDataType:
        return "Ungültiger Datentyp für '%s'";
    case ERegistryException::TReason::CannotWrite:
        return "Konnte Daten für '%s' nicht setzen";
    }
    return "%s";
}

std::string_view ConvertMessage(EConfigConvertError::TNumberKind kind)
{
    return kind == EConfigConvertError::TNumberKind::Integer ? "'%s' ist kein gültiger Integerwert"
                                                             : "'%s' ist kein gültiger Gleitkommawert";
}

} // namespace

ERegistryException::ERegistryException(TReason reason, std::string_view valueName)
    : ETarvoError(FormatMessage(RegistryMessage(reason), valueName))
{
}

EConfigConvertError::EConfigConvertError(TNumberKind kind, std::string_view text)
    : ETarvoError(FormatMessage(ConvertMessage(kind), text))
{
}

} // namespace tarvo
