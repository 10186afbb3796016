#include "platform/fake/fakeregistry.h"

namespace tarvo::platform {

void TFakeRegistry::SetWritable(TRootKey root, bool writable)
{
    if (writable)
        unwritable_.erase(root);
    else
        unwritable_.insert(root);
}

TRegistryTree TFakeRegistry::ReadTree(TRootKey root) const
{
    const auto tree = trees_.find(root);
    return tree == trees_.end() ? TRegistryTree() : tree->second;
}

bool TFakeRegistry::WriteTree(TRootKey root, const TRegistryTree& tree)
{
    if (unwritable_.contains(root))
        return false;
    trees_[root] = tree;
    return true;
}

} // namespace tarvo::platform
