#include "platform/registry.h"

namespace tarvo::platform {

std::string_view RootKeyName(TRootKey root)
{
    switch (root) {
    case TRootKey::LocalMachine:
        return "HKEY_LOCAL_MACHINE";
    case TRootKey::CurrentUser:
        return "HKEY_CURRENT_USER";
    }
    return {};
}

TRegistryValue StringValue(std::string_view text, TValueType type)
{
    return {type, std::vector<uint8_t>(text.begin(), text.end())};
}

TRegistryValue DWordValue(uint32_t number)
{
    return {TValueType::DWord,
            {static_cast<uint8_t>(number), static_cast<uint8_t>(number >> 8), static_cast<uint8_t>(number >> 16),
             static_cast<uint8_t>(number >> 24)}};
}

} // namespace tarvo::platform
