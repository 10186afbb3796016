#pragma once
// The keys that the virtual-key codes of hotkey combinations stand for on an
// X keyboard.

#include <xcb/xcb.h>

#include <cstdint>
#include <vector>

namespace tarvo::platform::x11 {

// The keysyms whose keys a virtual-key code stands for: one for most keys,
// two for the keypad digits (with NumLock on and off) and for Enter (main
// block and keypad). Empty for the codes of keys found by their position
// (KeyCodeAtUsPosition) and for codes that stand for no key.
std::vector<xcb_keysym_t> KeysymsOfVirtualKey(uint16_t virtualKey);

// Whether the virtual-key code stands for a key, found by keysym or position.
bool StandsForKey(uint16_t virtualKey);

} // namespace tarvo::platform::x11
