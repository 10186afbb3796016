#include "platform/windowsystemservices.h"

#include "platform/win32/win32services.h"

namespace tarvo::platform {

// Windows has one window system, always there: its services are the host's.
TWindowSystemChoice InstallWindowSystemServices(TServices& services,
                                                std::function<void(const std::string& problem)> /*onConnectionLost*/)
{
    win32::InstallWin32Services(services);
    TWindowSystemChoice choice;
    choice.Reached = true;
    choice.HotKeys = "RegisterHotKey";
    choice.WindowSearch = "Win32 (EnumWindows)";
    return choice;
}

void WithdrawWindowSystemServices(TServices& services)
{
    win32::InstallWin32Services(services);
}

} // namespace tarvo::platform
