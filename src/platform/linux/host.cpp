#include "platform/host.h"

#include <cstdlib>
#include <filesystem>

#include "platform/launcher.h"
#include "platform/linux/detachedprocess.h"
#include "platform/linux/fileregistry.h"
#include "platform/messagebox.h"
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

// Without a window system there is no keyboard layout to name keys from.
class THeadlessKeyNames : public IKeyNames {
public:
    std::string KeyName(uint16_t /*virtualKey*/) const override { return {}; }
};

// Without a window system there are no windows to find.
class THeadlessWindowSystem : public IWindowSystem {
public:
    std::vector<TTopLevelWindow> TopLevelWindows() const override { return {}; }
    void RestoreAndActivate(TWindowId /*window*/) override {}
};

// Starts programs; without a window system their windows cannot be shown in
// another way than they show themselves.
class THeadlessLauncher : public ILauncher {
public:
    void Execute(const std::string& file, const std::string& parameters, const std::string& directory,
                 TShowCommand /*show*/) override
    {
        StartDetached(PlanLaunch(file, parameters, directory));
    }
    void WaitForShowCommands() override {}
};

// Without a window system no combination can be registered.
class THeadlessHotKeys : public IHotKeyService {
public:
    bool Available() const override { return false; }
    THotKeyResult Register(IHotKeyOwner& /*owner*/, uint16_t /*id*/, THotKeyCombination /*combination*/) override
    {
        return THotKeyResult::Unavailable;
    }
    // Nothing is ever registered, so there is nothing to withdraw.
    void Unregister(IHotKeyOwner& /*owner*/, uint16_t /*id*/) override {}
    void UnregisterAll(IHotKeyOwner& /*owner*/) override {}
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
    services.WindowSystem = std::make_unique<THeadlessWindowSystem>();
    services.Launcher = std::make_unique<THeadlessLauncher>();
    services.Registry = CreateHostRegistry();
    services.HotKeys = std::make_unique<THeadlessHotKeys>();
    return services;
}

} // namespace tarvo::platform
