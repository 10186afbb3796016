#pragma once
// Key combinations in the trigger syntax of the desktop portal's global
// shortcuts: modifiers (CTRL, ALT, SHIFT) and an XKB key name joined by "+",
// as in "CTRL+ALT+E".

#include <optional>
#include <string>

#include "platform/hotkeyservice.h"

namespace tarvo::platform::portal {

// The trigger of the combination; nullopt when the virtual key has no XKB
// name here or the combination has no key.
std::optional<std::string> PortalTrigger(THotKeyCombination combination);

// Whether a desktop's description of a trigger ("Ctrl+Alt+E") names the same
// keys as a trigger of PortalTrigger: desktops describe triggers for their
// users, in their own spelling of the modifiers and in any order.
bool SameTrigger(const std::string& description, const std::string& trigger);

} // namespace tarvo::platform::portal
