#include "settings/configregistry.h"

#include <algorithm>

#include "settings/configerrors.h"

namespace tarvo {

namespace {

bool IsStringType(platform::TValueType type)
{
    return type == platform::TValueType::String || type == platform::TValueType::ExpandString;
}

} // namespace

TConfigRegistry::TConfigRegistry(platform::TRootKey root, std::string_view path, platform::IRegistry& registry)
    : registry_(registry, root)
{
    OpenBaseKey(path);
}

void TConfigRegistry::OpenBaseKey(std::string_view path)
{
    basePath_ = path;
    // A key that cannot be opened leaves the store without one; see the class comment.
    registry_.OpenKey(path);
}

void TConfigRegistry::SetSection(std::string_view name)
{
    section_ = name;
    // As in OpenBaseKey.
    registry_.OpenKey(name);
}

void TConfigRegistry::WriteString(std::string_view name, std::string_view value)
{
    const std::string valueName = ValuePrefix + std::string(name);
    platform::IRegistryKey* key = registry_.CurrentKey();
    if (!key || !key->SetValue(valueName, platform::StringValue(GetValueToWrite(value))))
        throw ERegistryException(ERegistryException::TReason::CannotWrite, valueName);
}

std::string TConfigRegistry::ReadString(std::string_view name, std::string_view defaultValue)
{
    const std::string valueName = ValuePrefix + std::string(name);
    const platform::IRegistryKey* key = registry_.CurrentKey();
    const auto value = key ? key->QueryValue(valueName) : std::nullopt;
    if (!value)
        return std::string(defaultValue);
    // Empty data is the empty text, whatever its type.
    if (value->Data.empty())
        return DecryptReadValue("");
    if (!IsStringType(value->Type))
        throw ERegistryException(ERegistryException::TReason::InvalidDataType, valueName);
    const auto end = std::find(value->Data.begin(), value->Data.end(), '\0');
    return DecryptReadValue(std::string(value->Data.begin(), end));
}

} // namespace tarvo
