#pragma once
// The Windows implementations of the window-system services: launching
// through the shell, the top-level windows, key names, system-wide hotkeys.

#include "platform/services.h"

namespace tarvo::platform::win32 {

// Puts the Windows launcher, window search, key names and hotkeys in place. Windows
// always has its window system, so nothing here can fail.
void InstallWin32Services(TServices& services);

} // namespace tarvo::platform::win32
