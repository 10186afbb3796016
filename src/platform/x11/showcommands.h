#pragma once
// Applying the show command of a launch to the first window the started
// program maps.

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/launcher.h"
#include "platform/x11/windowmanager.h"

namespace tarvo::platform::x11 {

// The name of this machine, as programs put it in WM_CLIENT_MACHINE.
std::string LocalHostName();

// Watches the root window for new top-level windows and recognises a
// started program's window, in this order of preference:
// - by its _NET_STARTUP_ID, the startup-notification id the program was
//   given in DESKTOP_STARTUP_ID (GTK copies it to its client leader);
// - by its _NET_WM_PID, when that names the started process or one it
//   started (a wrapper script, a desktop entry's command);
// - for a window of this machine that names neither: as the first
//   top-level window that did not exist when the launch began.
// Event-driven through the shared connection; a program that shows no
// window within the patience time is given up on (its entry is dropped when
// the next event or wait finds it expired).
class TShowCommandWatcher {
public:
    TShowCommandWatcher(std::shared_ptr<TWindowManager> manager, std::chrono::milliseconds patience);
    ~TShowCommandWatcher();
    TShowCommandWatcher(const TShowCommandWatcher&) = delete;
    TShowCommandWatcher& operator=(const TShowCommandWatcher&) = delete;

    // Starts a program with start, which hands startupId to it and returns
    // its process id, and shows its first top-level window minimised,
    // maximised, or without taking the focus from the window that has it
    // now. What start raises is passed on, and nothing is watched.
    void Watch(TShowCommand show, const std::string& startupId, const std::function<pid_t()>& start);
    // Handles events until every watched program has been served or given up on.
    void WaitForAll();

private:
    struct TWatched {
        pid_t Pid;
        std::string StartupId;
        TShowCommand Show;
        std::optional<xcb_window_t> PreviouslyActive;
        std::unordered_set<xcb_window_t> Existing; // the windows there were before the start
        std::chrono::steady_clock::time_point Deadline;
        xcb_window_t Window = XCB_WINDOW_NONE; // once found: the window, until it is shown
    };
    // What a window tells about the program that made it.
    struct TOrigin {
        std::optional<std::string> StartupId;
        std::optional<pid_t> Pid;
        bool Local; // made on this machine, or the window does not say
    };

    void SelectRootEvents();
    std::unordered_set<xcb_window_t> ExistingWindows();
    void OnEvent(const xcb_generic_event_t& event);
    // Looks for the windows of watched programs among the top-level windows.
    void Examine();
    std::vector<TOrigin> Origins(const std::vector<xcb_window_t>& windows);
    std::optional<std::string> StartupId(xcb_window_t window);
    // The watched program that made the window, if any.
    TWatched* Owner(xcb_window_t window, const TOrigin& origin);
    void AwaitShown(TWatched& watched, xcb_window_t window);
    // Applies the show command once the program's window is mapped.
    void Shown(xcb_window_t window);
    void Apply(const TWatched& watched, xcb_window_t window);
    void DropExpired();

    std::shared_ptr<TWindowManager> manager_;
    std::chrono::milliseconds patience_;
    std::string hostName_;
    std::vector<TWatched> watched_;
    int handler_ = 0;
    bool rootEventsSelected_ = false;
};

} // namespace tarvo::platform::x11
