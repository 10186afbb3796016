#pragma once
// The launch tests' own view of the X server: a connection separate from
// the services under test, test windows, and openbox as window manager.

#include <sys/types.h>
#include <xcb/xcb.h>

#include <optional>
#include <string>
#include <vector>

#include "support/testsupport.h"

namespace tarvo::launchtest {

using testsupport::WaitFor;

class TTestDisplay {
public:
    // Raises std::runtime_error when no X server can be reached.
    TTestDisplay();
    ~TTestDisplay();
    TTestDisplay(const TTestDisplay&) = delete;
    TTestDisplay& operator=(const TTestDisplay&) = delete;

    xcb_connection_t* Xcb() const { return c_; }
    xcb_window_t Root() const { return screen_->root; }
    const xcb_screen_t& Screen() const { return *screen_; }
    xcb_atom_t Atom(const std::string& name) const;

    // The 32-bit values of a property; empty when the window has none.
    std::vector<uint32_t> Values(xcb_window_t window, const std::string& property) const;
    void SetValues(xcb_window_t window, const std::string& property, xcb_atom_t type,
                   const std::vector<uint32_t>& values) const;
    bool IsViewable(xcb_window_t window) const;
    bool IsIconic(xcb_window_t window) const;
    // _NET_ACTIVE_WINDOW while a window manager runs, else the input focus.
    xcb_window_t ActiveWindow(bool windowManager) const;
    bool HasState(xcb_window_t window, const std::string& state) const;
    // Width and height of the window's frame, or of the window without one.
    std::pair<int, int> OuterSize(xcb_window_t window) const;
    // The client window with this _NET_WM_NAME or, without one, WM_NAME: a
    // child of the root or of a window manager's frame.
    std::optional<xcb_window_t> WindowTitled(const std::string& title) const;
    std::string NetWmName(xcb_window_t window) const { return Text(window, "_NET_WM_NAME"); }

private:
    std::string Text(xcb_window_t window, const std::string& property) const;

    xcb_connection_t* c_;
    const xcb_screen_t* screen_;
};

// The text in COMPOUND_TEXT, converted by Xlib as an Xt program converts its
// title.
std::string CompoundText(const std::string& utf8);

// Where the title bytes go: _NET_WM_NAME (UTF8_STRING), or only WM_NAME as
// STRING or as COMPOUND_TEXT.
enum class TTitleProperty { NetWmName, WmNameOnly, WmNameCompoundText };

// A top-level window of the test; destroyed with the object.
class TTestWindow {
public:
    TTestWindow(const TTestDisplay& display, const std::string& titleBytes,
                TTitleProperty property = TTitleProperty::NetWmName);
    ~TTestWindow();
    TTestWindow(const TTestWindow&) = delete;
    TTestWindow& operator=(const TTestWindow&) = delete;

    xcb_window_t Id() const { return window_; }
    // Maps the window and waits until it is shown.
    void Show();
    // Minimises the window: through the window manager when one runs,
    // otherwise leaves it unmapped and iconic as a manager that has ended
    // would.
    void Minimize(bool windowManager);

private:
    const TTestDisplay& display_;
    xcb_window_t window_;
};

// openbox managing the screen for the lifetime of the object.
class TOpenbox {
public:
    // Starts it and waits until it announces itself on the root window.
    explicit TOpenbox(const TTestDisplay& display);
    // Ends it and waits for it.
    ~TOpenbox();
    TOpenbox(const TOpenbox&) = delete;
    TOpenbox& operator=(const TOpenbox&) = delete;

private:
    void Stop();

    pid_t pid_ = -1;
};

} // namespace tarvo::launchtest
