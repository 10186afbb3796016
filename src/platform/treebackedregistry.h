#pragma once
// A registry that keeps each root key as a whole: every operation reads the
// root key's current tree, and every change writes the whole changed tree
// back. Nothing is cached between operations, so changes made by others to
// the stored tree are seen at once.

#include "platform/registry.h"
#include "platform/registrytree.h"

namespace tarvo::platform {

class TTreeBackedRegistry : public IRegistry {
public:
    // A key that does not exist yet is stored at once. Opening one that
    // exists writes nothing, so it works where nothing can be written; only
    // setting a value there fails.
    std::unique_ptr<IRegistryKey> CreateKey(TRootKey root, std::string_view path) override;
    std::unique_ptr<IRegistryKey> OpenKey(TRootKey root, std::string_view path) override;

protected:
    // The root key's tree as stored now; empty when nothing is stored.
    virtual TRegistryTree ReadTree(TRootKey root) const = 0;
    // Stores the tree as the root key's whole content; false when that fails,
    // the stored tree then being unchanged.
    virtual bool WriteTree(TRootKey root, const TRegistryTree& tree) = 0;

private:
    class TKey;
};

} // namespace tarvo::platform
