#pragma once
// The top-level windows of the desktop: finding them and bringing one back.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace tarvo::platform {

using TWindowId = uint32_t;

struct TTopLevelWindow {
    // Most searches know only the id and the title.
    TTopLevelWindow(TWindowId id = 0, std::string title = {}, std::string instance = {}, std::string windowClass = {},
                    bool active = false)
        : Id(id), Title(std::move(title)), Instance(std::move(instance)), Class(std::move(windowClass)), Active(active)
    {
    }

    TWindowId Id = 0;
    // The title as the window holds it: UTF-8 from current programs, a
    // legacy 8-bit encoding from some old ones; empty when it has none.
    std::string Title;
    // Which program the window belongs to: on X11 the two parts of
    // WM_CLASS, on Wayland the app id as Class, on Windows the program
    // file's name without extension as Instance and the window class as
    // Class; empty when unknown.
    std::string Instance;
    std::string Class;
    // The window has the focus.
    bool Active = false;
};

class IWindowSystem {
public:
    virtual ~IWindowSystem() = default;
    // The top-level application windows, topmost first: shown and minimised
    // ones, and hidden ones that were shown before (a window manager marked
    // them with its state). Windows never shown are left out: programs keep
    // titled helper windows that nobody should see. The program's own hidden
    // windows are added by the search (platform/ownwindows.h).
    virtual std::vector<TTopLevelWindow> TopLevelWindows() const = 0;
    // Restores the window if it is minimised or hidden, brings it to the
    // front and gives it the focus. A window that has gone meanwhile is
    // ignored.
    virtual void RestoreAndActivate(TWindowId window) = 0;
};

} // namespace tarvo::platform
