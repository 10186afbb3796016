#pragma once
// Where the keys of virtual-key codes are on an X keyboard.

#include <xcb/xcb.h>

#include <cstdint>
#include <optional>

namespace tarvo::platform::x11 {

// The keycode of the key that a US keyboard has for the virtual-key code,
// for the punctuation ("OEM") keys, whose characters depend on the layout,
// and the keypad operators. nullopt for the other codes.
std::optional<xcb_keycode_t> KeyCodeAtUsPosition(uint16_t virtualKey);

} // namespace tarvo::platform::x11
