#include "platform/virtualkeys.h"

#include <linux/input-event-codes.h>

#include <utility>

namespace tarvo::platform {

namespace {

constexpr std::pair<uint16_t, int> UsPositions[] = {
    {VkMultiply, KEY_KPASTERISK}, {VkAdd, KEY_KPPLUS},     {VkSubtract, KEY_KPMINUS}, {VkDecimal, KEY_KPDOT},
    {VkDivide, KEY_KPSLASH},      {VkOem1, KEY_SEMICOLON}, {VkOemPlus, KEY_EQUAL},    {VkOemComma, KEY_COMMA},
    {VkOemMinus, KEY_MINUS},      {VkOemPeriod, KEY_DOT},  {VkOem2, KEY_SLASH},       {VkOem3, KEY_GRAVE},
    {VkOem4, KEY_LEFTBRACE},      {VkOem5, KEY_BACKSLASH}, {VkOem6, KEY_RIGHTBRACE},  {VkOem7, KEY_APOSTROPHE},
    {VkOem102, KEY_102ND},
};

} // namespace

std::optional<int> InputCodeAtUsPosition(uint16_t virtualKey)
{
    for (const auto& [key, inputCode] : UsPositions)
        if (key == virtualKey)
            return inputCode;
    return std::nullopt;
}

uint16_t VirtualKeyAtUsPosition(int inputCode)
{
    // The digit row runs 1 to 9, then 0.
    if (inputCode >= KEY_1 && inputCode <= KEY_9)
        return static_cast<uint16_t>('1' + inputCode - KEY_1);
    if (inputCode == KEY_0)
        return Vk0;
    for (const auto& [key, code] : UsPositions)
        if (code == inputCode)
            return key;
    return 0;
}

uint16_t VirtualKeyOfCharacterKey(uint32_t xkbKeyCode, uint32_t /*nativeVirtualKey*/)
{
    return xkbKeyCode > XkbKeyCodeOffset ? VirtualKeyAtUsPosition(static_cast<int>(xkbKeyCode) - XkbKeyCodeOffset) : 0;
}

} // namespace tarvo::platform
