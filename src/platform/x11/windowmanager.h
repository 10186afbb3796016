#pragma once
// The operations on top-level windows that belong to the window manager:
// listing them in stacking order, activating, minimising and maximising.
// Each goes through the EWMH/ICCCM protocols when a window manager runs and
// is done directly on the windows when none does.

#include <xcb/xcb.h>
#include <xcb/xcb_ewmh.h>

#include <memory>
#include <optional>
#include <vector>

#include "platform/x11/connection.h"

namespace tarvo::platform::x11 {

class TWindowManager {
public:
    explicit TWindowManager(std::shared_ptr<TConnection> connection);
    ~TWindowManager();
    TWindowManager(const TWindowManager&) = delete;
    TWindowManager& operator=(const TWindowManager&) = delete;

    TConnection& Connection() const { return *connection_; }
    xcb_ewmh_connection_t& Ewmh() { return ewmh_; }

    // Whether a window manager runs: the root window names a check window
    // that names itself. One that has ended leaves the root's entry behind,
    // naming a window that is gone.
    bool Running();
    // The application windows, topmost first: shown, minimised, and hidden
    // after having been shown (see IWindowSystem::TopLevelWindows).
    std::vector<xcb_window_t> TopLevelWindows();
    // The window that has the keyboard focus; nullopt for none.
    std::optional<xcb_window_t> ActiveWindow();

    // Switches to the window's desktop, restores it when it is minimised,
    // raises it and gives it the focus.
    void Activate(xcb_window_t window);
    void Minimize(xcb_window_t window);
    void Maximize(xcb_window_t window);
    // The time of the user action being served, for focus-stealing prevention.
    xcb_timestamp_t UserTime() const { return connection_->LastEventTime(); }

private:
    std::vector<xcb_window_t> ManagedWindows();
    // The root's children that are application windows, topmost first: the
    // ones that carry a window-manager state (WM_STATE: a manager has shown
    // them; they may be minimised or hidden since) and, if mappedToo, the
    // mapped ones. Menus and other override-redirect windows are left out.
    std::vector<xcb_window_t> RootWindows(bool mappedToo);
    void SetWmState(xcb_window_t window, uint32_t state);

    std::shared_ptr<TConnection> connection_;
    xcb_ewmh_connection_t ewmh_{};
    int screen_ = 0; // the index of the connection's screen among the EWMH screens
};

} // namespace tarvo::platform::x11
