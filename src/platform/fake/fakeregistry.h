#pragma once
// An in-memory registry for tests. A test can make a root key unwritable to
// see how its callers cope with missing rights.

#include <map>
#include <set>

#include "platform/treebackedregistry.h"

namespace tarvo::platform {

class TFakeRegistry : public TTreeBackedRegistry {
public:
    // While a root key is unwritable, creating a new key and setting a value
    // below it fail; existing keys still open and read.
    void SetWritable(TRootKey root, bool writable);

protected:
    TRegistryTree ReadTree(TRootKey root) const override;
    bool WriteTree(TRootKey root, const TRegistryTree& tree) override;

private:
    std::map<TRootKey, TRegistryTree> trees_;
    std::set<TRootKey> unwritable_;
};

} // namespace tarvo::platform
