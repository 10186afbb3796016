#include "platform/xkbkeynames.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "platform/virtualkeys.h"

namespace tarvo::platform {

namespace {

struct TKeyName {
    uint16_t VirtualKey;
    std::string_view Name;
};

// The XKB names of the keys outside the ranges of letters, digits, keypad
// digits and function keys; punctuation keys by their US characters.
constexpr std::array KeyNames{
    TKeyName{VkBack, "BackSpace"},
    TKeyName{VkTab, "Tab"},
    TKeyName{VkClear, "Clear"},
    TKeyName{VkReturn, "Return"},
    TKeyName{VkPause, "Pause"},
    TKeyName{VkEscape, "Escape"},
    TKeyName{VkSpace, "space"},
    TKeyName{VkPrior, "Prior"},
    TKeyName{VkNext, "Next"},
    TKeyName{VkEnd, "End"},
    TKeyName{VkHome, "Home"},
    TKeyName{VkLeft, "Left"},
    TKeyName{VkUp, "Up"},
    TKeyName{VkRight, "Right"},
    TKeyName{VkDown, "Down"},
    TKeyName{VkSelect, "Select"},
    TKeyName{VkExecute, "Execute"},
    TKeyName{VkSnapshot, "Print"},
    TKeyName{VkInsert, "Insert"},
    TKeyName{VkDelete, "Delete"},
    TKeyName{VkHelp, "Help"},
    TKeyName{VkLWin, "Super_L"},
    TKeyName{VkRWin, "Super_R"},
    TKeyName{VkApps, "Menu"},
    TKeyName{VkSleep, "XF86Sleep"},
    TKeyName{VkMultiply, "KP_Multiply"},
    TKeyName{VkAdd, "KP_Add"},
    TKeyName{VkSeparator, "KP_Separator"},
    TKeyName{VkSubtract, "KP_Subtract"},
    TKeyName{VkDecimal, "KP_Decimal"},
    TKeyName{VkDivide, "KP_Divide"},
    TKeyName{VkBrowserBack, "XF86Back"},
    TKeyName{VkBrowserForward, "XF86Forward"},
    TKeyName{VkBrowserRefresh, "XF86Refresh"},
    TKeyName{VkBrowserStop, "XF86Stop"},
    TKeyName{VkBrowserSearch, "XF86Search"},
    TKeyName{VkBrowserFavorites, "XF86Favorites"},
    TKeyName{VkBrowserHome, "XF86HomePage"},
    TKeyName{VkVolumeMute, "XF86AudioMute"},
    TKeyName{VkVolumeDown, "XF86AudioLowerVolume"},
    TKeyName{VkVolumeUp, "XF86AudioRaiseVolume"},
    TKeyName{VkMediaNextTrack, "XF86AudioNext"},
    TKeyName{VkMediaPrevTrack, "XF86AudioPrev"},
    TKeyName{VkMediaStop, "XF86AudioStop"},
    TKeyName{VkMediaPlayPause, "XF86AudioPlay"},
    TKeyName{VkLaunchMail, "XF86Mail"},
    TKeyName{VkLaunchMediaSelect, "XF86AudioMedia"},
    TKeyName{VkLaunchApp1, "XF86MyComputer"},
    TKeyName{VkLaunchApp2, "XF86Calculator"},
    TKeyName{VkOem1, "semicolon"},
    TKeyName{VkOemPlus, "equal"},
    TKeyName{VkOemComma, "comma"},
    TKeyName{VkOemMinus, "minus"},
    TKeyName{VkOemPeriod, "period"},
    TKeyName{VkOem2, "slash"},
    TKeyName{VkOem3, "grave"},
    TKeyName{VkOem4, "bracketleft"},
    TKeyName{VkOem5, "backslash"},
    TKeyName{VkOem6, "bracketright"},
    TKeyName{VkOem7, "apostrophe"},
    TKeyName{VkOem102, "less"},
};

} // namespace

std::optional<std::string> XkbKeyName(uint16_t key)
{
    if (IsDigitKey(key) || IsLetterKey(key))
        return std::string(1, static_cast<char>(key));
    if (IsNumpadDigitKey(key))
        return "KP_" + std::to_string(key - VkNumpad0);
    if (IsFunctionKey(key))
        return "F" + std::to_string(FunctionKeyNumber(key));
    const auto found = std::ranges::find(KeyNames, key, &TKeyName::VirtualKey);
    if (found == KeyNames.end())
        return std::nullopt;
    return std::string(found->Name);
}

} // namespace tarvo::platform
