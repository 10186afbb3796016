#include <gtest/gtest.h>

#include <linux/input-event-codes.h>

#include "platform/qt/qtvirtualkeys.h"
#include "platform/virtualkeys.h"

using namespace tarvo::platform;
using tarvo::platform::qt::VirtualKeyOfQtKey;

namespace {

struct TKeyCase {
    int Key;
    Qt::KeyboardModifiers Modifiers;
    int InputCode; // the key's position; 0 where it does not matter
    uint16_t Expected;
};

void ExpectVirtualKeys(const std::vector<TKeyCase>& cases)
{
    for (const TKeyCase& c : cases) {
        const uint32_t scanCode = c.InputCode ? static_cast<uint32_t>(c.InputCode + XkbKeyCodeOffset) : 0;
        EXPECT_EQ(VirtualKeyOfQtKey(c.Key, c.Modifiers, scanCode), c.Expected)
            << "Qt key 0x" << std::hex << c.Key << " modifiers 0x" << c.Modifiers.toInt();
    }
}

constexpr Qt::KeyboardModifiers None = Qt::NoModifier;
constexpr Qt::KeyboardModifiers Keypad = Qt::KeypadModifier;

TEST(QtVirtualKeys, LettersDigitsFunctionAndNamedKeys)
{
    ExpectVirtualKeys({
        {Qt::Key_A, None, KEY_A, 'A'},
        {Qt::Key_Z, Qt::ShiftModifier | Qt::ControlModifier, KEY_Y, 'Z'}, // German layout: by character
        {Qt::Key_0, None, KEY_0, '0'},
        {Qt::Key_9, Qt::AltModifier, KEY_9, '9'},
        {Qt::Key_F1, None, 0, VkF1},
        {Qt::Key_F12, None, 0, 0x7B},
        {Qt::Key_F24, None, 0, VkF24},
        {Qt::Key_Home, None, KEY_HOME, VkHome},
        {Qt::Key_Return, None, KEY_ENTER, VkReturn},
        {Qt::Key_Space, None, KEY_SPACE, VkSpace},
        {Qt::Key_Backtab, Qt::ShiftModifier, KEY_TAB, VkTab},
        {Qt::Key_Escape, None, KEY_ESC, VkEscape},
    });
}

TEST(QtVirtualKeys, KeypadKeysAreKeypadCodesWithNumLockOnAndOff)
{
    ExpectVirtualKeys({
        {Qt::Key_0, Keypad, KEY_KP0, VkNumpad0},
        {Qt::Key_7, Keypad, KEY_KP7, 0x67},
        {Qt::Key_Insert, Keypad, KEY_KP0, VkNumpad0},
        {Qt::Key_Home, Keypad, KEY_KP7, 0x67},
        {Qt::Key_Clear, Keypad, KEY_KP5, 0x65},
        {Qt::Key_PageUp, Keypad, KEY_KP9, VkNumpad9},
        {Qt::Key_Period, Keypad, KEY_KPDOT, VkDecimal},
        {Qt::Key_Comma, Keypad, KEY_KPDOT, VkDecimal},
        {Qt::Key_Delete, Keypad, KEY_KPDOT, VkDecimal},
        {Qt::Key_Asterisk, Keypad, KEY_KPASTERISK, VkMultiply},
        {Qt::Key_Plus, Keypad, KEY_KPPLUS, VkAdd},
        {Qt::Key_Minus, Keypad, KEY_KPMINUS, VkSubtract},
        {Qt::Key_Slash, Keypad, KEY_KPSLASH, VkDivide},
        {Qt::Key_Enter, Keypad, KEY_KPENTER, VkReturn},
    });
}

TEST(QtVirtualKeys, PunctuationAndTheDigitRowByUsPosition)
{
    ExpectVirtualKeys({
        {Qt::Key_Semicolon, None, KEY_SEMICOLON, VkOem1},
        {Qt::Key_Odiaeresis, None, KEY_SEMICOLON, VkOem1}, // German
        {Qt::Key_Minus, None, KEY_MINUS, VkOemMinus},
        {Qt::Key_ssharp, None, KEY_MINUS, VkOemMinus}, // German
        {Qt::Key_Plus, None, KEY_RIGHTBRACE, VkOem6},  // German: by position, not character
        {Qt::Key_Apostrophe, None, KEY_APOSTROPHE, VkOem7},
        {Qt::Key_Less, None, KEY_102ND, VkOem102},
        {Qt::Key_Exclam, Qt::ShiftModifier, KEY_1, '1'},
        {Qt::Key_Ampersand, None, KEY_1, '1'}, // French
        {Qt::Key_ParenLeft, Qt::ShiftModifier, KEY_9, '9'},
        {Qt::Key_Agrave, None, KEY_0, '0'}, // French
        {Qt::Key_Semicolon, None, 0, 0},    // no position known
    });
}

TEST(QtVirtualKeys, ModifiersAloneAreNoKey)
{
    ExpectVirtualKeys({
        {Qt::Key_Shift, Qt::ShiftModifier, KEY_LEFTSHIFT, 0},
        {Qt::Key_Control, Qt::ControlModifier, KEY_LEFTCTRL, 0},
        {Qt::Key_Alt, Qt::AltModifier, KEY_LEFTALT, 0},
        {Qt::Key_AltGr, Qt::GroupSwitchModifier, KEY_RIGHTALT, 0},
        {Qt::Key_Meta, Qt::MetaModifier, KEY_LEFTMETA, 0},
        {Qt::Key_NumLock, Keypad, KEY_NUMLOCK, 0},
        {Qt::Key_unknown, None, 0, 0},
    });
}

} // namespace
