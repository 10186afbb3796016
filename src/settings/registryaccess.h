#pragma once
// A configuration store's way into the registry: one root key and the key
// that is open at the moment, with its path.

#include <memory>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace tarvo {

class TRegistryAccess {
public:
    TRegistryAccess(platform::IRegistry& registry, platform::TRootKey root);

    // Opens the key, creating it when it does not exist. A path that begins
    // with "\" is taken from the root key, any other path from the open key
    // (or from the root key while none is open). The empty path only opens,
    // never creates. False when the key cannot be opened or created; the
    // open key then stays open.
    bool OpenKey(std::string_view path);

    // nullptr while no key is open.
    platform::IRegistryKey* CurrentKey() const { return key_.get(); }

private:
    platform::IRegistry& registry_;
    platform::TRootKey root_;
    std::unique_ptr<platform::IRegistryKey> key_;
    std::string path_;
};

} // namespace tarvo
