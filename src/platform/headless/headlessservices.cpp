#include "platform/headless/headlessservices.h"

#include "platform/launcher.h"
#include "platform/linux/detachedprocess.h"
#include "platform/windowsystem.h"

namespace tarvo::platform::headless {

namespace {

// Without a window system there is no keyboard layout to name keys from.
class THeadlessKeyNames : public IKeyNames {
public:
    std::string KeyName(uint16_t /*virtualKey*/) const override { return {}; }
};

// Without a window system there are no windows to find.
class THeadlessWindowSystem : public IWindowSystem {
public:
    std::vector<TTopLevelWindow> TopLevelWindows() const override { return {}; }
    void RestoreAndActivate(TWindowId /*window*/) override { }
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
    std::vector<std::string> WindowClasses(const std::string& file, const std::string& directory) const override
    {
        return DesktopEntryWindowClasses(file, directory);
    }
    void WaitForShowCommands() override { }
};

// Without a window system no combination can be registered.
class THeadlessHotKeys : public IHotKeyService {
public:
    bool Available() const override { return false; }
    THotKeyResult Register(IHotKeyOwner& /*owner*/, uint16_t /*id*/, THotKeyCombination /*combination*/,
                           const THotKeyLabel& /*label*/) override
    {
        return THotKeyResult::Unavailable;
    }
    // Nothing is ever registered, so there is nothing to withdraw.
    void Unregister(IHotKeyOwner& /*owner*/, uint16_t /*id*/) override { }
    void UnregisterAll(IHotKeyOwner& /*owner*/) override { }
};

} // namespace

void InstallHeadlessServices(TServices& services)
{
    services.KeyNames = std::make_unique<THeadlessKeyNames>();
    services.WindowSystem = std::make_unique<THeadlessWindowSystem>();
    services.Launcher = std::make_unique<THeadlessLauncher>();
    services.HotKeys = std::make_unique<THeadlessHotKeys>();
}

} // namespace tarvo::platform::headless
