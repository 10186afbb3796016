#pragma once
// The one place that picks the backend of the services that need a window
// system (key names, window search and activation, launching with show
// modes, system-wide hotkeys), at run time. The backends are tried in
// order, and the first that reaches its window system serves: X11 when an
// X server can be reached. Another backend (a Wayland portal, say) takes its
// place in that order. When none is reached, headless stand-ins serve.

#include <functional>
#include <string>

#include "platform/services.h"

namespace tarvo::platform {

struct TWindowSystemChoice {
    bool Reached = false;
    // Why no window system was reached, for messages: "no X server can be
    // reached (DISPLAY=:1)". Empty when one was.
    std::string Problem;
};

// Installs the window-system services of the first backend that reaches its
// window system, or the headless stand-ins. onConnectionLost is called from
// the event loop, with what happened ("the connection to the X server
// broke"), if the connection to the window system breaks.
TWindowSystemChoice InstallWindowSystemServices(TServices& services,
                                                std::function<void(const std::string& problem)> onConnectionLost = {});

// Puts the headless stand-ins in place of the window-system services, which
// lets go of the connection to the window system.
void WithdrawWindowSystemServices(TServices& services);

} // namespace tarvo::platform
