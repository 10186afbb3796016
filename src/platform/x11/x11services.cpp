#include "platform/x11/x11services.h"

#include "platform/x11/connection.h"

namespace tarvo::platform::x11 {

bool InstallX11Services(TServices& services)
{
    std::shared_ptr<TConnection> connection = TConnection::Open();
    if (!connection)
        return false;
    // Each X11 service keeps the shared connection alive as long as it lives.
    (void)services;
    return true;
}

} // namespace tarvo::platform::x11
