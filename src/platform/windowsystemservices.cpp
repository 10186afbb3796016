#include "platform/windowsystemservices.h"

#include "platform/headless/headlessservices.h"
#include "platform/x11/x11services.h"

namespace tarvo::platform {

TWindowSystemChoice InstallWindowSystemServices(TServices& services,
                                                std::function<void(const std::string& problem)> onConnectionLost)
{
    std::function<void()> onX11Lost;
    if (onConnectionLost)
        onX11Lost = [onConnectionLost] { onConnectionLost("the connection to the X server broke"); };
    if (x11::InstallX11Services(services, std::move(onX11Lost)))
        return {true, {}};
    headless::InstallHeadlessServices(services);
    return {false, "no X server can be reached (DISPLAY=" + services.Environment->Get("DISPLAY").value_or("") + ")"};
}

void WithdrawWindowSystemServices(TServices& services)
{
    headless::InstallHeadlessServices(services);
}

} // namespace tarvo::platform
