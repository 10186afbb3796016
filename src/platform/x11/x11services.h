#pragma once
// Installs the X11 implementations of the platform services.

#include <functional>

#include "platform/services.h"

namespace tarvo::platform::x11 {

// Replaces the services that need a window system by X11 ones, all sharing
// one connection to the X server that DISPLAY (from the environment service)
// names. False, and nothing changed, when no X server can be reached.
// onConnectionLost is called from the event loop if the connection breaks.
bool InstallX11Services(TServices& services, std::function<void()> onConnectionLost = {});

} // namespace tarvo::platform::x11
