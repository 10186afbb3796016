#pragma once
// System-wide hotkeys through RegisterHotKey: each registration gets its
// system id from the global atom table, and the hotkey messages (WM_HOTKEY)
// reach a hidden message-only window of the main thread, which the event
// loop's message dispatch serves.

#include <memory>

#include "platform/hotkeyservice.h"

namespace tarvo::platform::win32 {

std::unique_ptr<IHotKeyService> CreateWin32HotKeys();

} // namespace tarvo::platform::win32
