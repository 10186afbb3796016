#pragma once
// The XKB keysym names of the keys that virtual-key codes stand for, as
// desktops that bind keys by name take them ("e", "F5", "KP_1", "semicolon").

#include <cstdint>
#include <optional>
#include <string>

namespace tarvo::platform {

// The keysym name of the virtual key: letters in upper case, punctuation keys
// by their US characters; nullopt for a code that stands for no key here.
std::optional<std::string> XkbKeyName(uint16_t virtualKey);

} // namespace tarvo::platform
