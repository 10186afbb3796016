#pragma once
// Applying the show command of a launch to the first window the started
// program maps.

#include <sys/types.h>

#include <chrono>
#include <memory>
#include <optional>
#include <vector>

#include "platform/launcher.h"
#include "platform/x11/windowmanager.h"

namespace tarvo::platform::x11 {

// Watches the root window for new top-level windows and recognises a
// started program's window by its _NET_WM_PID. Event-driven through the
// shared connection; a program that shows no window within the patience
// time is given up on (its entry is dropped when the next event or wait
// finds it expired).
class TShowCommandWatcher {
public:
    TShowCommandWatcher(std::shared_ptr<TWindowManager> manager, std::chrono::milliseconds patience);
    ~TShowCommandWatcher();
    TShowCommandWatcher(const TShowCommandWatcher&) = delete;
    TShowCommandWatcher& operator=(const TShowCommandWatcher&) = delete;

    // Shows the first top-level window of process pid minimised, maximised,
    // or without taking the focus from the window that has it now.
    void Watch(pid_t pid, TShowCommand show);
    // Handles events until every watched program has been served or given up on.
    void WaitForAll();

private:
    struct TWatched {
        pid_t Pid;
        TShowCommand Show;
        std::optional<xcb_window_t> PreviouslyActive;
        std::chrono::steady_clock::time_point Deadline;
        xcb_window_t Window = XCB_WINDOW_NONE; // once found: the window, until it is shown
    };

    void SelectRootEvents();
    void OnEvent(const xcb_generic_event_t& event);
    // Looks for the windows of watched programs among these.
    void Examine(const std::vector<xcb_window_t>& windows);
    void AwaitShown(TWatched& watched, xcb_window_t window);
    // Applies the show command once the program's window is mapped.
    void Shown(xcb_window_t window);
    void Apply(const TWatched& watched, xcb_window_t window);
    void DropExpired();

    std::shared_ptr<TWindowManager> manager_;
    std::chrono::milliseconds patience_;
    std::vector<TWatched> watched_;
    int handler_ = 0;
    bool rootEventsSelected_ = false;
};

} // namespace tarvo::platform::x11
