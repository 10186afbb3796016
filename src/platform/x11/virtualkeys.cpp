#include "platform/x11/virtualkeys.h"

#include <linux/input-event-codes.h>

#include <utility>

namespace tarvo::platform::x11 {

namespace {

// X servers with the evdev keyboard number the keys by their Linux input code + 8.
constexpr int EvdevKeyCodeOffset = 8;

constexpr std::pair<uint16_t, int> UsPositions[] = {
    {0x6A, KEY_KPASTERISK}, // VK_MULTIPLY
    {0x6B, KEY_KPPLUS},     // VK_ADD
    {0x6D, KEY_KPMINUS},    // VK_SUBTRACT
    {0x6E, KEY_KPDOT},      // VK_DECIMAL
    {0x6F, KEY_KPSLASH},    // VK_DIVIDE
    {0xBA, KEY_SEMICOLON},  // VK_OEM_1
    {0xBB, KEY_EQUAL},      // VK_OEM_PLUS
    {0xBC, KEY_COMMA},      // VK_OEM_COMMA
    {0xBD, KEY_MINUS},      // VK_OEM_MINUS
    {0xBE, KEY_DOT},        // VK_OEM_PERIOD
    {0xBF, KEY_SLASH},      // VK_OEM_2
    {0xC0, KEY_GRAVE},      // VK_OEM_3
    {0xDB, KEY_LEFTBRACE},  // VK_OEM_4
    {0xDC, KEY_BACKSLASH},  // VK_OEM_5
    {0xDD, KEY_RIGHTBRACE}, // VK_OEM_6
    {0xDE, KEY_APOSTROPHE}, // VK_OEM_7
    {0xE2, KEY_102ND},      // VK_OEM_102
};

} // namespace

std::optional<xcb_keycode_t> KeyCodeAtUsPosition(uint16_t virtualKey)
{
    for (const auto& [key, inputCode] : UsPositions)
        if (key == virtualKey)
            return static_cast<xcb_keycode_t>(inputCode + EvdevKeyCodeOffset);
    return std::nullopt;
}

} // namespace tarvo::platform::x11
