#pragma once
// The keys and values below one root key, held in memory. Registries that
// keep a root key as a whole (in a file, in memory for tests) read and
// change it through this class; it follows the path and name rules of
// registry.h.

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace tarvo::platform {

// Whether two key or value names are the same, ASCII letters compared
// without regard to case.
bool SameRegistryName(std::string_view a, std::string_view b);

struct TNamedRegistryValue {
    std::string Name;
    TRegistryValue Value;
};

struct TRegistryKeyEntry {
    // From the root key, without empty names; empty for the root key.
    std::string Path;
    // In the order they were first set.
    std::vector<TNamedRegistryValue> Values;
};

class TRegistryTree {
public:
    // The root key (empty path) always exists.
    bool HasKey(std::string_view path) const;
    // Adds the key and its missing parents.
    void AddKey(std::string_view path);
    // nullptr when the key or the value does not exist.
    const TRegistryValue* FindValue(std::string_view path, std::string_view name) const;
    // Creates or replaces the value, adding the key when it is missing.
    void SetValue(std::string_view path, std::string_view name, TRegistryValue value);

    // Every key that was added or holds values, parents before their children.
    std::vector<const TRegistryKeyEntry*> Keys() const;

private:
    TRegistryKeyEntry& Entry(std::string_view path);

    // By path with ASCII letters in lower case.
    std::map<std::string, TRegistryKeyEntry> keys_;
};

} // namespace tarvo::platform
