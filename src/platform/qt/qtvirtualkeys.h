#pragma once
// The virtual key of a key that Qt reports, for fields that capture a key
// combination.

#include <QtCore/qnamespace.h>

#include <cstdint>

namespace tarvo::platform::qt {

// The virtual key of the key a Qt key event reports: key is its key(),
// modifiers its modifiers() (only Qt::KeypadModifier counts), scanCode its
// nativeScanCode() (an XKB keycode on Linux) and nativeVirtualKey its
// nativeVirtualKey() (the key's virtual key on Windows).
//   - letters and digits by their character; F1 to F24; the named keys;
//   - keypad keys as keypad codes, whether NumLock is on or off;
//   - the other character keys (punctuation, and the digit row whatever
//     characters the layout puts there) by their position on a US keyboard
//     on Linux, by their own virtual key on Windows;
//   - 0 for a modifier pressed alone and for keys without a virtual key.
uint16_t VirtualKeyOfQtKey(int key, Qt::KeyboardModifiers modifiers, uint32_t scanCode, uint32_t nativeVirtualKey = 0);

} // namespace tarvo::platform::qt
