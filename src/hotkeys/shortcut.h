#pragma once
// Key combinations: one 16-bit value holding a virtual-key code and the
// Shift, Ctrl and Alt flags.

#include <cstdint>
#include <string>

namespace tarvo {

using TShortCut = uint16_t;

inline constexpr TShortCut ShortCutKeyMask = 0x1FFF;
inline constexpr TShortCut ShortCutShift = 0x2000;
inline constexpr TShortCut ShortCutCtrl = 0x4000;
inline constexpr TShortCut ShortCutAlt = 0x8000;

// The combination of a key code with the modifiers held; 0 for a code of
// 256 or more, which names no key.
TShortCut MakeShortCut(uint16_t key, bool shift, bool ctrl, bool alt);

// The display text of a combination, e.g. "Strg+Alt+E" or "Umsch+F12"; empty
// when the key has no name (then no modifier is shown either). The texts are
// the same in every interface language.
std::string ShortcutText(TShortCut shortcut);

} // namespace tarvo
