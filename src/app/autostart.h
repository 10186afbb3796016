#pragma once
// Starting Tarvo when the user logs in. On Linux through the user's XDG
// autostart entry: a desktop entry in the autostart directory of the user's
// configuration directory, which every desktop session runs at login. On
// Windows through the value "Tarvo" of the user's Run key.

#include <string>

#include "persist/errors.h"

namespace tarvo {

// The autostart entry cannot be written or removed.
class EAutostartError : public ETarvoError {
public:
    using ETarvoError::ETarvoError;
};

// Where the entry is: on Linux autostart/tarvo.desktop in the user's
// configuration directory, empty when there is none (neither
// XDG_CONFIG_HOME nor HOME is set); on Windows the Run key's value.
std::string AutostartEntry();

// Writes (on) or removes (off) the autostart entry. The entry starts the
// running program file, for an installed program on Linux the one in
// <prefix>/lib/tarvo. Writing replaces the file as a whole, creating its
// directory when needed; removing an entry that is not there is no error.
// Raises EAutostartError naming the entry when that fails.
void SetAutostart(bool on);

} // namespace tarvo
