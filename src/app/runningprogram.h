#pragma once
// Calls of the Tarvo that runs already, made by a later start of the
// program: `tarvo --run` runs one of its hotkeys, and a start with the file
// it has open shows its window instead of becoming a second copy whose saves
// would overwrite the first one's. On Linux the running program answers on
// the session bus (app/commandbus.h), on Windows through a message window of
// its own (app/commandwindow_win32.cpp).

#include <string>

#include "platform/errors.h"

namespace tarvo {

// A call of the running program that failed: none runs, or it refused.
class ECommandBusError : public ETarvoError {
public:
    using ETarvoError::ETarvoError;
};

// Runs the hotkey of that name or ID in the running program; raises
// ECommandBusError with the reason when none runs or it has no such hotkey.
void RunInRunningProgram(const std::string& nameOrId);
// Shows the window of a running program that has file open; whether one did.
bool ShowRunningProgramWith(const std::string& file);

} // namespace tarvo
