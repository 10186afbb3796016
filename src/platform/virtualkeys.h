#pragma once
// The virtual-key codes of key combinations (the Windows codes that hotkey
// files hold): named constants, the ranges the shortcut texts treat alike,
// and where the keys whose code follows their position rather than their
// character sit on a US keyboard. Each backend maps its own key identifiers
// (X keysyms, Qt keys) onto these names.

#include <cstdint>
#include <optional>

namespace tarvo::platform {

inline constexpr uint16_t VkBack = 0x08;
inline constexpr uint16_t VkTab = 0x09;
inline constexpr uint16_t VkClear = 0x0C;
inline constexpr uint16_t VkReturn = 0x0D; // main block and keypad
inline constexpr uint16_t VkPause = 0x13;
inline constexpr uint16_t VkEscape = 0x1B;
inline constexpr uint16_t VkSpace = 0x20;
inline constexpr uint16_t VkPrior = 0x21; // Page Up
inline constexpr uint16_t VkNext = 0x22;  // Page Down
inline constexpr uint16_t VkEnd = 0x23;
inline constexpr uint16_t VkHome = 0x24;
inline constexpr uint16_t VkLeft = 0x25;
inline constexpr uint16_t VkUp = 0x26;
inline constexpr uint16_t VkRight = 0x27;
inline constexpr uint16_t VkDown = 0x28;
inline constexpr uint16_t VkSelect = 0x29;
inline constexpr uint16_t VkExecute = 0x2B;
inline constexpr uint16_t VkSnapshot = 0x2C; // Print
inline constexpr uint16_t VkInsert = 0x2D;
inline constexpr uint16_t VkDelete = 0x2E;
inline constexpr uint16_t VkHelp = 0x2F;
inline constexpr uint16_t Vk0 = '0'; // to Vk9 = '9'
inline constexpr uint16_t Vk9 = '9';
inline constexpr uint16_t VkA = 'A'; // to VkZ = 'Z'
inline constexpr uint16_t VkZ = 'Z';
inline constexpr uint16_t VkLWin = 0x5B;
inline constexpr uint16_t VkRWin = 0x5C;
inline constexpr uint16_t VkApps = 0x5D; // the context menu key
inline constexpr uint16_t VkSleep = 0x5F;
inline constexpr uint16_t VkNumpad0 = 0x60; // to VkNumpad9 = 0x69
inline constexpr uint16_t VkNumpad9 = 0x69;
inline constexpr uint16_t VkMultiply = 0x6A; // keypad *
inline constexpr uint16_t VkAdd = 0x6B;      // keypad +
inline constexpr uint16_t VkSeparator = 0x6C;
inline constexpr uint16_t VkSubtract = 0x6D; // keypad -
inline constexpr uint16_t VkDecimal = 0x6E;  // keypad decimal point
inline constexpr uint16_t VkDivide = 0x6F;   // keypad /
inline constexpr uint16_t VkF1 = 0x70;       // to VkF24 = 0x87
inline constexpr uint16_t VkF24 = 0x87;
inline constexpr uint16_t VkBrowserBack = 0xA6;
inline constexpr uint16_t VkBrowserForward = 0xA7;
inline constexpr uint16_t VkBrowserRefresh = 0xA8;
inline constexpr uint16_t VkBrowserStop = 0xA9;
inline constexpr uint16_t VkBrowserSearch = 0xAA;
inline constexpr uint16_t VkBrowserFavorites = 0xAB;
inline constexpr uint16_t VkBrowserHome = 0xAC;
inline constexpr uint16_t VkVolumeMute = 0xAD;
inline constexpr uint16_t VkVolumeDown = 0xAE;
inline constexpr uint16_t VkVolumeUp = 0xAF;
inline constexpr uint16_t VkMediaNextTrack = 0xB0;
inline constexpr uint16_t VkMediaPrevTrack = 0xB1;
inline constexpr uint16_t VkMediaStop = 0xB2;
inline constexpr uint16_t VkMediaPlayPause = 0xB3;
inline constexpr uint16_t VkLaunchMail = 0xB4;
inline constexpr uint16_t VkLaunchMediaSelect = 0xB5;
inline constexpr uint16_t VkLaunchApp1 = 0xB6; // "My Computer"
inline constexpr uint16_t VkLaunchApp2 = 0xB7; // calculator
// The punctuation keys, named after their US characters.
inline constexpr uint16_t VkOem1 = 0xBA;      // ;
inline constexpr uint16_t VkOemPlus = 0xBB;   // =
inline constexpr uint16_t VkOemComma = 0xBC;  // ,
inline constexpr uint16_t VkOemMinus = 0xBD;  // -
inline constexpr uint16_t VkOemPeriod = 0xBE; // .
inline constexpr uint16_t VkOem2 = 0xBF;      // /
inline constexpr uint16_t VkOem3 = 0xC0;      // `
inline constexpr uint16_t VkOem4 = 0xDB;      // [
inline constexpr uint16_t VkOem5 = 0xDC;      // backslash
inline constexpr uint16_t VkOem6 = 0xDD;      // ]
inline constexpr uint16_t VkOem7 = 0xDE;      // '
inline constexpr uint16_t VkOem102 = 0xE2;    // the extra key beside the left Shift

constexpr bool IsDigitKey(uint16_t key)
{
    return key >= Vk0 && key <= Vk9;
}
constexpr bool IsLetterKey(uint16_t key)
{
    return key >= VkA && key <= VkZ;
}
constexpr bool IsNumpadDigitKey(uint16_t key)
{
    return key >= VkNumpad0 && key <= VkNumpad9;
}
constexpr bool IsFunctionKey(uint16_t key)
{
    return key >= VkF1 && key <= VkF24;
}
// 1 for F1 up to 24 for F24.
constexpr int FunctionKeyNumber(uint16_t key)
{
    return key - VkF1 + 1;
}

// Key positions are Linux input event codes (KEY_...). XKB keycodes, which X
// servers and Qt's native scan codes on Linux use, are those plus 8.
inline constexpr int XkbKeyCodeOffset = 8;

// The input code of the key that a US keyboard has for the virtual key, for
// the keys whose code follows their position: the punctuation keys, whose
// characters depend on the layout, and the keypad operators. nullopt for
// other codes.
std::optional<int> InputCodeAtUsPosition(uint16_t virtualKey);

// The virtual key of the key at the position, for the keys of
// InputCodeAtUsPosition and the digit row (which has its digits' codes in
// every layout); 0 for other positions.
uint16_t VirtualKeyAtUsPosition(int inputCode);

// The virtual key of a key that types a character, from what the host's key
// event says of it: on Linux its position (an XKB keycode,
// VirtualKeyAtUsPosition), on Windows its own virtual key. 0 when there is
// none.
uint16_t VirtualKeyOfCharacterKey(uint32_t xkbKeyCode, uint32_t nativeVirtualKey);

} // namespace tarvo::platform
