#pragma once
// The one place that picks the backend of the services that need a window
// system (key names, window search and activation, launching with show
// modes, system-wide hotkeys), at run time. X11 serves when an X server can
// be reached, also through XWayland. The hotkeys go where the desktop binds
// keys for the program, since X11 key grabs on Wayland see keys only while an
// X11 window has the focus: to sway's IPC where SWAYSOCK is set, to the
// desktop portal's global shortcuts in a Wayland session whose portal offers
// them, to GNOME's custom keybindings on a GNOME Wayland session without
// them, to X11 key grabs otherwise. TARVO_HOTKEYS=sway, portal, gnome or x11
// forces the hotkey backend. Without an X server, headless stand-ins serve
// the rest: programs start, no window is found.

#include <functional>
#include <string>

#include "platform/services.h"

namespace tarvo::platform {

struct TWindowSystemChoice {
    bool Reached = false;
    // Why no window system was reached, for messages: "no X server can be
    // reached (DISPLAY=:1)". Empty when one was.
    std::string Problem;
    // What serves, for the log: "sway's key bindings (SWAYSOCK=...)", "the
    // desktop portal's global shortcuts", "GNOME's custom keybindings", "X11
    // key grabs", "X11 (DISPLAY=:0)", "none".
    std::string HotKeys;
    std::string WindowSearch;
    // A choice that works worse than the session could (X11 key grabs on a
    // Wayland desktop), or a setting that was not understood; empty otherwise.
    std::string Warning;
};

// Installs the window-system services of the backends that reach their
// window system, or the headless stand-ins. onConnectionLost is called from
// the event loop, with what happened ("the connection to the X server
// broke"), if the connection to the X server breaks.
TWindowSystemChoice InstallWindowSystemServices(TServices& services,
                                                std::function<void(const std::string& problem)> onConnectionLost = {});

// Puts the headless stand-ins in place of the window-system services, which
// lets go of the connection to the window system.
void WithdrawWindowSystemServices(TServices& services);

} // namespace tarvo::platform
