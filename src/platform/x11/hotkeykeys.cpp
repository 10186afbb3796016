#include "platform/x11/hotkeykeys.h"

#include <X11/XF86keysym.h>
#include <X11/keysym.h>

#include <array>

#include "platform/x11/virtualkeys.h"

namespace tarvo::platform::x11 {

namespace {

struct TKeysymEntry {
    uint8_t VirtualKey;
    xcb_keysym_t Keysym;
};

// The keys outside the ranges of letters, digits, keypad digits and function
// keys. A code listed twice has two keys.
constexpr std::array KeysymTable{
    TKeysymEntry{0x08, XK_BackSpace},
    TKeysymEntry{0x09, XK_Tab},
    TKeysymEntry{0x0C, XK_Clear},
    TKeysymEntry{0x0D, XK_Return},
    TKeysymEntry{0x0D, XK_KP_Enter},
    TKeysymEntry{0x13, XK_Pause},
    TKeysymEntry{0x1B, XK_Escape},
    TKeysymEntry{0x20, XK_space},
    TKeysymEntry{0x21, XK_Prior},
    TKeysymEntry{0x22, XK_Next},
    TKeysymEntry{0x23, XK_End},
    TKeysymEntry{0x24, XK_Home},
    TKeysymEntry{0x25, XK_Left},
    TKeysymEntry{0x26, XK_Up},
    TKeysymEntry{0x27, XK_Right},
    TKeysymEntry{0x28, XK_Down},
    TKeysymEntry{0x29, XK_Select},
    TKeysymEntry{0x2B, XK_Execute},
    TKeysymEntry{0x2C, XK_Print},
    TKeysymEntry{0x2D, XK_Insert},
    TKeysymEntry{0x2E, XK_Delete},
    TKeysymEntry{0x2F, XK_Help},
    TKeysymEntry{0x5B, XK_Super_L},
    TKeysymEntry{0x5C, XK_Super_R},
    TKeysymEntry{0x5D, XK_Menu},
    TKeysymEntry{0x5F, XF86XK_Sleep},
    TKeysymEntry{0x6C, XK_KP_Separator},
    TKeysymEntry{0xA6, XF86XK_Back},
    TKeysymEntry{0xA7, XF86XK_Forward},
    TKeysymEntry{0xA8, XF86XK_Refresh},
    TKeysymEntry{0xA9, XF86XK_Stop},
    TKeysymEntry{0xAA, XF86XK_Search},
    TKeysymEntry{0xAB, XF86XK_Favorites},
    TKeysymEntry{0xAC, XF86XK_HomePage},
    TKeysymEntry{0xAD, XF86XK_AudioMute},
    TKeysymEntry{0xAE, XF86XK_AudioLowerVolume},
    TKeysymEntry{0xAF, XF86XK_AudioRaiseVolume},
    TKeysymEntry{0xB0, XF86XK_AudioNext},
    TKeysymEntry{0xB1, XF86XK_AudioPrev},
    TKeysymEntry{0xB2, XF86XK_AudioStop},
    TKeysymEntry{0xB3, XF86XK_AudioPlay},
    TKeysymEntry{0xB4, XF86XK_Mail},
    TKeysymEntry{0xB5, XF86XK_AudioMedia},
    TKeysymEntry{0xB6, XF86XK_MyComputer},
    TKeysymEntry{0xB7, XF86XK_Calculator},
};

// The keypad keys 0 to 9 as they read with NumLock off.
constexpr std::array<xcb_keysym_t, 10> KeypadWithoutNumLock{
    XK_KP_Insert, XK_KP_End, XK_KP_Down, XK_KP_Next, XK_KP_Left,
    XK_KP_Begin, XK_KP_Right, XK_KP_Home, XK_KP_Up, XK_KP_Prior,
};

} // namespace

std::vector<xcb_keysym_t> KeysymsOfVirtualKey(uint16_t virtualKey)
{
    if (virtualKey >= '0' && virtualKey <= '9')
        return {static_cast<xcb_keysym_t>(XK_0 + virtualKey - '0')};
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        return {static_cast<xcb_keysym_t>(XK_a + virtualKey - 'A')};
    if (virtualKey >= 0x60 && virtualKey <= 0x69) // keypad digits work with NumLock on and off
        return {static_cast<xcb_keysym_t>(XK_KP_0 + virtualKey - 0x60), KeypadWithoutNumLock[virtualKey - 0x60]};
    if (virtualKey >= 0x70 && virtualKey <= 0x87)
        return {static_cast<xcb_keysym_t>(XK_F1 + virtualKey - 0x70)};
    std::vector<xcb_keysym_t> keysyms;
    for (const TKeysymEntry& entry : KeysymTable)
        if (entry.VirtualKey == virtualKey)
            keysyms.push_back(entry.Keysym);
    return keysyms;
}

bool StandsForKey(uint16_t virtualKey)
{
    return KeyCodeAtUsPosition(virtualKey) || !KeysymsOfVirtualKey(virtualKey).empty();
}

} // namespace tarvo::platform::x11
