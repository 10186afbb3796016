#include "platform/treebackedregistry.h"

namespace tarvo::platform {

// A key handle names its key by path. A value set after someone else removed
// the key creates the key again.
class TTreeBackedRegistry::TKey : public IRegistryKey {
public:
    TKey(TTreeBackedRegistry& registry, TRootKey root, std::string_view path)
        : registry_(registry), root_(root), path_(path)
    {
    }

    std::optional<TRegistryValue> QueryValue(std::string_view name) const override
    {
        const TRegistryTree tree = registry_.ReadTree(root_);
        if (const TRegistryValue* value = tree.FindValue(path_, name))
            return *value;
        return std::nullopt;
    }

    bool SetValue(std::string_view name, const TRegistryValue& value) override
    {
        TRegistryTree tree = registry_.ReadTree(root_);
        tree.SetValue(path_, name, value);
        return registry_.WriteTree(root_, tree);
    }

    // Every change is stored when it is made.
    bool Flush() override { return true; }

private:
    TTreeBackedRegistry& registry_;
    TRootKey root_;
    std::string path_;
};

std::unique_ptr<IRegistryKey> TTreeBackedRegistry::CreateKey(TRootKey root, std::string_view path)
{
    TRegistryTree tree = ReadTree(root);
    if (!tree.HasKey(path)) {
        tree.AddKey(path);
        if (!WriteTree(root, tree))
            return nullptr;
    }
    return std::make_unique<TKey>(*this, root, path);
}

std::unique_ptr<IRegistryKey> TTreeBackedRegistry::OpenKey(TRootKey root, std::string_view path)
{
    if (!ReadTree(root).HasKey(path))
        return nullptr;
    return std::make_unique<TKey>(*this, root, path);
}

} // namespace tarvo::platform
