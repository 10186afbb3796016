#pragma once
// The key combination of a TShortCut as the hotkey service registers it.

#include "hotkeys/shortcut.h"
#include "platform/hotkeyservice.h"

namespace tarvo {

// The key is the shortcut's virtual-key code; Alt, Ctrl and Shift become the
// service's modifier bits.
inline platform::THotKeyCombination CombinationOf(TShortCut shortcut)
{
    uint8_t modifiers = 0;
    if (shortcut & ShortCutAlt)
        modifiers |= platform::HotKeyModAlt;
    if (shortcut & ShortCutCtrl)
        modifiers |= platform::HotKeyModControl;
    if (shortcut & ShortCutShift)
        modifiers |= platform::HotKeyModShift;
    return {static_cast<uint16_t>(shortcut & ShortCutKeyMask), modifiers};
}

} // namespace tarvo
