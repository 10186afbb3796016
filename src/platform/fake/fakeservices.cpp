#include "platform/fake/fakeservices.h"

#include "platform/registry.h"

namespace tarvo::platform {

namespace {

// Puts fake into slot, keeping the previous service in saved.
template <class Fake, class Interface>
Fake& Install(std::unique_ptr<Interface>& slot, std::unique_ptr<Interface>& saved, std::unique_ptr<Fake> fake)
{
    Fake& installed = *fake;
    saved = std::move(slot);
    slot = std::move(fake);
    return installed;
}

} // namespace

TScopedFakeServices::TScopedFakeServices(std::string programPath)
    : Program(Install(Services().Program, saved_.Program, std::make_unique<TFakeProgram>(std::move(programPath)))),
      Environment(Install(Services().Environment, saved_.Environment, std::make_unique<TFakeEnvironment>())),
      KeyNames(Install(Services().KeyNames, saved_.KeyNames, std::make_unique<TFakeKeyNames>())),
      Registry(Install(Services().Registry, saved_.Registry, std::make_unique<TFakeRegistry>())),
      MessageBox(Install(Services().MessageBox, saved_.MessageBox, std::make_unique<TFakeMessageBox>())),
      WindowSystem(Install(Services().WindowSystem, saved_.WindowSystem, std::make_unique<TFakeWindowSystem>())),
      Launcher(Install(Services().Launcher, saved_.Launcher, std::make_unique<TFakeLauncher>())),
      HotKeys(Install(Services().HotKeys, saved_.HotKeys, std::make_unique<TFakeHotKeys>()))
{
}

TScopedFakeServices::~TScopedFakeServices()
{
    auto& services = Services();
    services.Program = std::move(saved_.Program);
    services.Environment = std::move(saved_.Environment);
    services.KeyNames = std::move(saved_.KeyNames);
    services.Registry = std::move(saved_.Registry);
    services.MessageBox = std::move(saved_.MessageBox);
    services.WindowSystem = std::move(saved_.WindowSystem);
    services.Launcher = std::move(saved_.Launcher);
    services.HotKeys = std::move(saved_.HotKeys);
}

} // namespace tarvo::platform
