#pragma once
// Key combinations as sway binds them, and the bindings of a sway config.
//
// Keys found by their character (letters, digits, function and named keys)
// are bound with bindsym, which sway matches on the keysym the key produces
// in the current layout, as the X11 key grabs take the key that has the
// keysym. Keys found by their position (the punctuation keys, the keypad
// operators: platform/virtualkeys.h) are bound with bindcode on their US
// position, as the X11 grabs do, since their characters move with the layout;
// so are the keypad digits, whose keysyms change with NumLock.

#include <optional>
#include <set>
#include <string>

#include "platform/hotkeyservice.h"

namespace tarvo::platform::sway {

struct TSwayBinding {
    std::string Kind; // "bindsym" or "bindcode"
    std::string Keys; // "Ctrl+Mod1+e", "Ctrl+Mod1+47"

    // The same keys whatever the spelling of the modifiers and their order.
    bool operator<(const TSwayBinding& other) const;
    bool operator==(const TSwayBinding& other) const { return !(*this < other) && !(other < *this); }
};

// The binding of the combination; nullopt when it has no key or sway has no
// name for it.
std::optional<TSwayBinding> SwayBinding(THotKeyCombination combination);

// The key bindings of the default mode in the text of a sway config, with
// its variables ($mod) put in; --release bindings, which fire on another
// event than a press, are left out.
std::set<TSwayBinding> ConfigBindings(const std::string& config);

} // namespace tarvo::platform::sway
