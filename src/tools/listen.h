#pragma once
// tvotool listen: the document's hotkeys registered system-wide, as the main
// window registers them, until the tool is asked to stop.

#include <iosfwd>
#include <stdexcept>

#include "hotkeys/hotkeyfile.h"

namespace tarvo::tools {

// No X server can be reached, or the connection to it broke.
class EXServerError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Registers every hotkey of the document and runs a hotkey's commands when
// its combination is pressed, until SIGINT or SIGTERM arrives; then withdraws
// the hotkeys and returns. Raises EXServerError without an X server or when
// the connection to it breaks. Writes one line per refused combination to
// errors, and a line to out once the hotkeys are registered.
void ListenForHotKeys(THotKeyFile& document, std::ostream& out, std::ostream& errors);

} // namespace tarvo::tools
