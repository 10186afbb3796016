#include "platform/host.h"

#include <cstdlib>
#include <filesystem>

#include "platform/headless/headlessservices.h"
#include "platform/launcher.h"
#include "platform/linux/fileregistry.h"
#include "platform/messagebox.h"
#include "platform/programarguments.h"
#include "platform/windowsystem.h"

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
    services.Registry = CreateHostRegistry();
    // The window-system services stay headless until the program installs
    // others (platform/windowsystemservices.h).
    headless::InstallHeadlessServices(services);
    return services;
}

// Linux hands programs their arguments as the bytes they were given.
std::vector<std::string> ProgramArguments(int argc, char** argv)
{
    return std::vector<std::string>(argv + 1, argv + argc);
}

// A Linux program shares the standard streams of whoever started it.
void ConnectToCallersConsole()
{
}

} // namespace tarvo::platform
