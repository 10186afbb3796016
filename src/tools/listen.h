#pragma once
// tvotool listen: the document's hotkeys registered system-wide, as the main
// window registers them, until the tool is asked to stop.

#include <iosfwd>
#include <string>

#include "hotkeys/hotkeyfile.h"

namespace tarvo::tools {

// Registers every hotkey of the document and runs a hotkey's commands when
// its combination is pressed, until SIGINT or SIGTERM arrives; then withdraws
// the hotkeys and returns. Raises EWindowSystemError (platform/errors.h) without
// a window system or when the connection to it breaks. Writes one line per
// refused combination to errors (also when a desktop that binds the shortcuts
// itself refuses one later), followed by a line for each holder of the
// combination that the conflict finder knows, and a line to out once the
// hotkeys are registered. fileName names the document's file towards the
// desktop; a desktop that binds keys to commands runs `tvotool exec FILE
// NAME` with it.
void ListenForHotKeys(THotKeyFile& document, const std::string& fileName, std::ostream& out, std::ostream& errors);

} // namespace tarvo::tools
