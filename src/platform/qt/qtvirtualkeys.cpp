#include "platform/qt/qtvirtualkeys.h"

#include <optional>

#include "platform/virtualkeys.h"

namespace tarvo::platform::qt {

namespace {

struct TQtKeyEntry {
    int QtKey;
    uint16_t VirtualKey;
};

// The keys outside the ranges of letters, digits and function keys, and
// outside the keypad.
constexpr TQtKeyEntry NamedKeys[] = {
    {Qt::Key_Backspace, VkBack},
    {Qt::Key_Tab, VkTab},
    {Qt::Key_Backtab, VkTab}, // Tab with Shift
    {Qt::Key_Clear, VkClear},
    {Qt::Key_Return, VkReturn},
    {Qt::Key_Enter, VkReturn},
    {Qt::Key_Pause, VkPause},
    {Qt::Key_Escape, VkEscape},
    {Qt::Key_Space, VkSpace},
    {Qt::Key_PageUp, VkPrior},
    {Qt::Key_PageDown, VkNext},
    {Qt::Key_End, VkEnd},
    {Qt::Key_Home, VkHome},
    {Qt::Key_Left, VkLeft},
    {Qt::Key_Up, VkUp},
    {Qt::Key_Right, VkRight},
    {Qt::Key_Down, VkDown},
    {Qt::Key_Select, VkSelect},
    {Qt::Key_Execute, VkExecute},
    {Qt::Key_Print, VkSnapshot},
    {Qt::Key_Insert, VkInsert},
    {Qt::Key_Delete, VkDelete},
    {Qt::Key_Help, VkHelp},
    {Qt::Key_Super_L, VkLWin},
    {Qt::Key_Super_R, VkRWin},
    {Qt::Key_Menu, VkApps},
    {Qt::Key_Sleep, VkSleep},
    {Qt::Key_Back, VkBrowserBack},
    {Qt::Key_Forward, VkBrowserForward},
    {Qt::Key_Refresh, VkBrowserRefresh},
    {Qt::Key_Stop, VkBrowserStop},
    {Qt::Key_Search, VkBrowserSearch},
    {Qt::Key_Favorites, VkBrowserFavorites},
    {Qt::Key_HomePage, VkBrowserHome},
    {Qt::Key_VolumeMute, VkVolumeMute},
    {Qt::Key_VolumeDown, VkVolumeDown},
    {Qt::Key_VolumeUp, VkVolumeUp},
    {Qt::Key_MediaNext, VkMediaNextTrack},
    {Qt::Key_MediaPrevious, VkMediaPrevTrack},
    {Qt::Key_MediaStop, VkMediaStop},
    {Qt::Key_MediaPlay, VkMediaPlayPause},
    {Qt::Key_MediaTogglePlayPause, VkMediaPlayPause},
    {Qt::Key_LaunchMail, VkLaunchMail},
    {Qt::Key_LaunchMedia, VkLaunchMediaSelect},
    {Qt::Key_Launch0, VkLaunchApp1},
    {Qt::Key_Calculator, VkLaunchApp2},
};

// The keypad keys other than the digits with NumLock on. With NumLock off
// the digit keys report the keys printed beside the digits.
constexpr TQtKeyEntry KeypadKeys[] = {
    {Qt::Key_Insert, VkNumpad0},       {Qt::Key_End, VkNumpad0 + 1},  {Qt::Key_Down, VkNumpad0 + 2},
    {Qt::Key_PageDown, VkNumpad0 + 3}, {Qt::Key_Left, VkNumpad0 + 4}, {Qt::Key_Clear, VkNumpad0 + 5},
    {Qt::Key_Right, VkNumpad0 + 6},    {Qt::Key_Home, VkNumpad0 + 7}, {Qt::Key_Up, VkNumpad0 + 8},
    {Qt::Key_PageUp, VkNumpad0 + 9},   {Qt::Key_Delete, VkDecimal},   {Qt::Key_Period, VkDecimal},
    {Qt::Key_Comma, VkDecimal}, // layouts with a decimal comma
    {Qt::Key_Asterisk, VkMultiply},    {Qt::Key_Plus, VkAdd},         {Qt::Key_Minus, VkSubtract},
    {Qt::Key_Slash, VkDivide},         {Qt::Key_Enter, VkReturn},
};

template <size_t N>
std::optional<uint16_t> Find(const TQtKeyEntry (&table)[N], int key)
{
    for (const TQtKeyEntry& entry : table)
        if (entry.QtKey == key)
            return entry.VirtualKey;
    return std::nullopt;
}

} // namespace

uint16_t VirtualKeyOfQtKey(int key, Qt::KeyboardModifiers modifiers, uint32_t scanCode, uint32_t nativeVirtualKey)
{
    if (modifiers & Qt::KeypadModifier) {
        if (key >= Qt::Key_0 && key <= Qt::Key_9)
            return static_cast<uint16_t>(VkNumpad0 + key - Qt::Key_0);
        if (const auto keypadKey = Find(KeypadKeys, key))
            return *keypadKey;
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<uint16_t>(VkA + key - Qt::Key_A);
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return static_cast<uint16_t>(Vk0 + key - Qt::Key_0);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return static_cast<uint16_t>(VkF1 + key - Qt::Key_F1);
    if (const auto namedKey = Find(NamedKeys, key))
        return *namedKey;
    // Qt numbers the keys that type a character by that character; the
    // others (modifiers among them) from Key_Escape on.
    const bool typesCharacter = key > 0 && key < Qt::Key_Escape;
    return typesCharacter ? VirtualKeyOfCharacterKey(scanCode, nativeVirtualKey) : 0;
}

} // namespace tarvo::platform::qt
