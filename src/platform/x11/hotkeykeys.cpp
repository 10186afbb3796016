#include "platform/x11/hotkeykeys.h"

#include <X11/XF86keysym.h>
#include <X11/keysym.h>

#include <array>

#include "platform/virtualkeys.h"

namespace tarvo::platform::x11 {

namespace {

struct TKeysymEntry {
    uint16_t VirtualKey;
    xcb_keysym_t Keysym;
};

// The keys outside the ranges of letters, digits, keypad digits and function
// keys. A code listed twice has two keys.
constexpr std::array KeysymTable{
    TKeysymEntry{VkBack, XK_BackSpace},
    TKeysymEntry{VkTab, XK_Tab},
    TKeysymEntry{VkClear, XK_Clear},
    TKeysymEntry{VkReturn, XK_Return},
    TKeysymEntry{VkReturn, XK_KP_Enter},
    TKeysymEntry{VkPause, XK_Pause},
    TKeysymEntry{VkEscape, XK_Escape},
    TKeysymEntry{VkSpace, XK_space},
    TKeysymEntry{VkPrior, XK_Prior},
    TKeysymEntry{VkNext, XK_Next},
    TKeysymEntry{VkEnd, XK_End},
    TKeysymEntry{VkHome, XK_Home},
    TKeysymEntry{VkLeft, XK_Left},
    TKeysymEntry{VkUp, XK_Up},
    TKeysymEntry{VkRight, XK_Right},
    TKeysymEntry{VkDown, XK_Down},
    TKeysymEntry{VkSelect, XK_Select},
    TKeysymEntry{VkExecute, XK_Execute},
    TKeysymEntry{VkSnapshot, XK_Print},
    TKeysymEntry{VkInsert, XK_Insert},
    TKeysymEntry{VkDelete, XK_Delete},
    TKeysymEntry{VkHelp, XK_Help},
    TKeysymEntry{VkLWin, XK_Super_L},
    TKeysymEntry{VkRWin, XK_Super_R},
    TKeysymEntry{VkApps, XK_Menu},
    TKeysymEntry{VkSleep, XF86XK_Sleep},
    TKeysymEntry{VkSeparator, XK_KP_Separator},
    TKeysymEntry{VkBrowserBack, XF86XK_Back},
    TKeysymEntry{VkBrowserForward, XF86XK_Forward},
    TKeysymEntry{VkBrowserRefresh, XF86XK_Refresh},
    TKeysymEntry{VkBrowserStop, XF86XK_Stop},
    TKeysymEntry{VkBrowserSearch, XF86XK_Search},
    TKeysymEntry{VkBrowserFavorites, XF86XK_Favorites},
    TKeysymEntry{VkBrowserHome, XF86XK_HomePage},
    TKeysymEntry{VkVolumeMute, XF86XK_AudioMute},
    TKeysymEntry{VkVolumeDown, XF86XK_AudioLowerVolume},
    TKeysymEntry{VkVolumeUp, XF86XK_AudioRaiseVolume},
    TKeysymEntry{VkMediaNextTrack, XF86XK_AudioNext},
    TKeysymEntry{VkMediaPrevTrack, XF86XK_AudioPrev},
    TKeysymEntry{VkMediaStop, XF86XK_AudioStop},
    TKeysymEntry{VkMediaPlayPause, XF86XK_AudioPlay},
    TKeysymEntry{VkLaunchMail, XF86XK_Mail},
    TKeysymEntry{VkLaunchMediaSelect, XF86XK_AudioMedia},
    TKeysymEntry{VkLaunchApp1, XF86XK_MyComputer},
    TKeysymEntry{VkLaunchApp2, XF86XK_Calculator},
};

// The keypad keys 0 to 9 as they read with NumLock off.
constexpr std::array<xcb_keysym_t, 10> KeypadWithoutNumLock{
    XK_KP_Insert, XK_KP_End,   XK_KP_Down, XK_KP_Next, XK_KP_Left,
    XK_KP_Begin,  XK_KP_Right, XK_KP_Home, XK_KP_Up,   XK_KP_Prior,
};

} // namespace

std::optional<xcb_keycode_t> KeyCodeAtUsPosition(uint16_t virtualKey)
{
    if (const std::optional<int> inputCode = InputCodeAtUsPosition(virtualKey))
        return static_cast<xcb_keycode_t>(*inputCode + XkbKeyCodeOffset);
    return std::nullopt;
}

std::vector<xcb_keysym_t> KeysymsOfVirtualKey(uint16_t virtualKey)
{
    if (IsDigitKey(virtualKey))
        return {static_cast<xcb_keysym_t>(XK_0 + virtualKey - Vk0)};
    if (IsLetterKey(virtualKey))
        return {static_cast<xcb_keysym_t>(XK_a + virtualKey - VkA)};
    if (IsNumpadDigitKey(virtualKey)) // keypad digits work with NumLock on and off
        return {static_cast<xcb_keysym_t>(XK_KP_0 + virtualKey - VkNumpad0),
                KeypadWithoutNumLock[virtualKey - VkNumpad0]};
    if (IsFunctionKey(virtualKey))
        return {static_cast<xcb_keysym_t>(XK_F1 + virtualKey - VkF1)};
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
