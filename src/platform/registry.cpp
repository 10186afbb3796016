#include "platform/registry.h"

#include <utility>

#include "platform/littleendian.h"

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
    std::vector<uint8_t> bytes(sizeof number);
    ToLittleEndian(number, bytes.data());
    return {TValueType::DWord, std::move(bytes)};
}

} // namespace tarvo::platform
