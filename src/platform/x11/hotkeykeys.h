#pragma once
// The keys that the virtual-key codes of hotkey combinations stand for on an
// X keyboard.

#include <xcb/xcb.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace tarvo::platform::x11 {

// The keycode of the key that a US keyboard has for the virtual-key code,
// for the codes that follow the key's position rather than its character
// (InputCodeAtUsPosition); nullopt for the other codes.
std::optional<xcb_keycode_t> KeyCodeAtUsPosition(uint16_t virtualKey);

// The keysyms whose keys a virtual-key code stands for: one for most keys,
// two for the keypad digits (with NumLock on and off) and for Enter (main
// block and keypad). Empty for the codes of keys found by their position
// (KeyCodeAtUsPosition) and for codes that stand for no key.
std::vector<xcb_keysym_t> KeysymsOfVirtualKey(uint16_t virtualKey);

// Whether the virtual-key code stands for a key, found by keysym or position.
bool StandsForKey(uint16_t virtualKey);

} // namespace tarvo::platform::x11
