#include "platform/host.h"

#include <cstdlib>
#include <filesystem>

#include "platform/linux/fileregistry.h"

namespace tarvo::platform {

namespace {

class TLinuxProgram : public IProgram {
public:
    std::string ProgramPath() const override
    {
        std::error_code error;
        auto path = std::filesystem::read_symlink("/proc/self/exe", error);
        return error ? std::string() : path.string();
    }
};

class TLinuxEnvironment : public IEnvironment {
public:
    std::optional<std::string> Get(const std::string& name) const override
    {
        if (const char* value = std::getenv(name.c_str()))
            return std::string(value);
        return std::nullopt;
    }
};

// Without a window system there is no keyboard layout to name keys from.
class THeadlessKeyNames : public IKeyNames {
public:
    std::string KeyName(uint16_t /*virtualKey*/) const override { return {}; }
};

} // namespace

std::unique_ptr<IRegistry> CreateHostRegistry()
{
    return std::make_unique<TFileRegistry>(RegistryDirectories(TLinuxEnvironment()));
}

TServices HostServices()
{
    TServices services;
    services.Program = std::make_unique<TLinuxProgram>();
    services.Environment = std::make_unique<TLinuxEnvironment>();
    services.KeyNames = std::make_unique<THeadlessKeyNames>();
    services.Registry = CreateHostRegistry();
    return services;
}

} // namespace tarvo::platform
