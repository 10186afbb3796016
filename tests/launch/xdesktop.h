#pragma once
// The launch tests' own view of the X server: a connection separate from
// the services under test, test windows, and the window managers the tests
// run under.

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
    // Sends a client message about the window to the window manager, as
    // EWMH and ICCCM requests go.
    void Request(xcb_window_t window, const std::string& message, const std::vector<uint32_t>& values) const;
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
    // Names the window's program in WM_CLASS.
    void SetClass(const std::string& instance, const std::string& className);
    // Maps the window and waits until it is shown.
    void Show();
    // Minimises the window: through the window manager when one runs,
    // otherwise leaves it unmapped and iconic as a manager that has ended
    // would.
    void Minimize(bool windowManager);
    // Hides the window as a program withdraws it (ICCCM) and waits until the
    // window manager, if one runs, has let go of it. The window keeps a
    // Withdrawn state, as xfwm4 leaves it; openbox would delete it.
    void Hide(bool windowManager);

private:
    const TTestDisplay& display_;
    xcb_window_t window_;
};

// The window managers the tests run under.
enum class TWm { None, Openbox, Xfwm4 };

// The window manager's program name; "none" for none.
std::string WmName(TWm wm);
// Whether the window manager's program is installed (TWm::None always is).
bool WmInstalled(TWm wm);

// A window manager managing the screen for the lifetime of the object.
class TRunningWm {
public:
    // Starts it and waits until it manages windows.
    TRunningWm(const TTestDisplay& display, TWm wm);
    // Ends it and waits for it.
    ~TRunningWm();
    TRunningWm(const TRunningWm&) = delete;
    TRunningWm& operator=(const TRunningWm&) = delete;

private:
    void Stop();

    const TTestDisplay& display_;
    pid_t pid_ = -1;
};

class TOpenbox : public TRunningWm {
public:
    explicit TOpenbox(const TTestDisplay& display) : TRunningWm(display, TWm::Openbox) { }
};

} // namespace tarvo::launchtest
