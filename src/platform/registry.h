#pragma once
// The registry: a tree of keys below fixed root keys, each key holding named,
// typed values.

#include <memory>

namespace tarvo::platform {

class IRegistry {
public:
    virtual ~IRegistry() = default;
};

// The host system's registry.
std::unique_ptr<IRegistry> CreateHostRegistry();

} // namespace tarvo::platform
