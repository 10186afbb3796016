#pragma once
// The program's own top-level windows in the window search. The program
// knows them without asking the window system, hidden ones included, and
// brings them back itself: a hotkey that looks for the program's window
// finds it even while it waits in the tray.

#include <functional>
#include <string>
#include <vector>

#include "platform/windowsystem.h"

namespace tarvo::platform {

struct TOwnWindow {
    // The window system's id of the window, under which it may list it too.
    TWindowId Id = 0;
    std::string Title;
    // Shows the window, restores it if it is minimised, raises it and gives
    // it the focus.
    std::function<void()> Restore;
};

// Keeps a window of the program in the search while it lives. The source
// is asked at each search, so that the id and title are current.
class TOwnWindowRegistration {
public:
    explicit TOwnWindowRegistration(std::function<TOwnWindow()> source);
    ~TOwnWindowRegistration();
    TOwnWindowRegistration(const TOwnWindowRegistration&) = delete;
    TOwnWindowRegistration& operator=(const TOwnWindowRegistration&) = delete;

private:
    int handle_;
};

// The windows a search looks at, topmost first: the ones the window system
// lists, then the program's own that it does not list (hidden ones).
std::vector<TTopLevelWindow> SearchableWindows();
// Restores and activates a window of the search: one of the program's own
// as the program brings it back, any other through the window system.
void RestoreAndActivate(TWindowId window);

} // namespace tarvo::platform
