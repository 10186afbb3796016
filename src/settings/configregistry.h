#pragma once
// The configuration store on the registry: a store is opened on a root key
// and a key path, a section is a subkey, a value is a REG_SZ value.
//
// When the key cannot be opened or created (for lack of rights, say), no key
// is open: every read then returns its default and every write fails.

#include "platform/registry.h"
#include "platform/services.h"
#include "settings/configstructure.h"
#include "settings/registryaccess.h"

namespace tarvo {

class TConfigRegistry : public TConfigStructure {
public:
    // Opens (creating it if needed) the key at path below the root key.
    TConfigRegistry(platform::TRootKey root, std::string_view path,
                    platform::IRegistry& registry = *platform::Services().Registry);

    // Opens the key at path, creating it if needed, as TRegistryAccess::OpenKey
    // does; whether that works shows only in the reads and writes that follow.
    void OpenBaseKey(std::string_view path);

    // Opens the subkey name of the open key, creating it if needed, so that
    // sections nest; a name that begins with "\" is taken from the root key.
    void SetSection(std::string_view name) override;
    // ERegistryException when the value cannot be written.
    void WriteString(std::string_view name, std::string_view value) override;
    // The text up to its first zero character. An expandable string comes
    // back as stored, not expanded. ERegistryException when the value is not
    // a string.
    std::string ReadString(std::string_view name, std::string_view defaultValue) override;

    const std::string& BasePath() const { return basePath_; }
    const std::string& Section() const { return section_; }

private:
    TRegistryAccess registry_;
    std::string basePath_;
    std::string section_;
};

} // namespace tarvo
