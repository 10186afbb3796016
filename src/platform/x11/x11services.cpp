#include "platform/x11/x11services.h"

#include "platform/x11/connection.h"
#include "platform/x11/keynames.h"
#include "platform/x11/launcher.h"
#include "platform/x11/windowmanager.h"
#include "platform/x11/windowsystem.h"
#include "platform/x11/x11hotkeys.h"

namespace tarvo::platform::x11 {

bool InstallX11Services(TServices& services, std::function<void()> onConnectionLost)
{
    std::shared_ptr<TConnection> connection = TConnection::Open(services.Environment->Get("DISPLAY").value_or(""));
    if (!connection)
        return false;
    connection->SetLostHandler(std::move(onConnectionLost));
    // Each X11 service keeps the shared connection alive as long as it lives.
    auto windowManager = std::make_shared<TWindowManager>(connection);
    services.KeyNames = std::make_unique<TX11KeyNames>(connection);
    services.WindowSystem = std::make_unique<TX11WindowSystem>(windowManager);
    services.Launcher = std::make_unique<TX11Launcher>(windowManager);
    services.HotKeys = std::make_unique<TX11HotKeys>(connection);
    return true;
}

} // namespace tarvo::platform::x11
