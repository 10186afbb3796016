#pragma once
// The registry kept in files: each root key is one file in the registry
// editor's export format (regfileformat.h), named after the root key, e.g.
// HKEY_CURRENT_USER.reg.
//
// Where the files lie:
//   HKEY_LOCAL_MACHINE  /etc/tarvo/registry
//   HKEY_CURRENT_USER   $XDG_CONFIG_HOME/tarvo/registry, where an unset,
//                       empty or relative XDG_CONFIG_HOME stands for
//                       $HOME/.config
//   TARVO_REGISTRY_DIR, when set and not empty, is the directory of both.
//
// A missing or unreadable file is an empty tree. Every change replaces the
// file at once and as a whole (ReplaceWholeFile), creating its directory
// when needed; a key is stored when it is created. Whether the file can be
// replaced is decided by its directory's permissions, as for every file that
// is replaced by renaming.

#include <string>

#include "platform/services.h"
#include "platform/treebackedregistry.h"

namespace tarvo::platform {

// A directory per root key; empty when the root key has no file.
struct TRegistryDirectories {
    std::string LocalMachine;
    std::string CurrentUser;
};

// The directories the environment asks for. Without HOME (and without the
// other variables) HKEY_CURRENT_USER has no file.
TRegistryDirectories RegistryDirectories(const IEnvironment& environment);

class TFileRegistry : public TTreeBackedRegistry {
public:
    explicit TFileRegistry(TRegistryDirectories directories);

    // Empty when the root key has no file; it then reads as an empty tree
    // and cannot be written.
    std::string FileOf(TRootKey root) const;

protected:
    TRegistryTree ReadTree(TRootKey root) const override;
    bool WriteTree(TRootKey root, const TRegistryTree& tree) override;

private:
    const std::string& DirectoryOf(TRootKey root) const;

    TRegistryDirectories directories_;
};

} // namespace tarvo::platform
