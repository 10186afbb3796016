#include "hotkeys/shortcut.h"

#include "persist/text.h"
#include "platform/services.h"
#include "platform/virtualkeys.h"

namespace tarvo {

namespace {

// The fixed name of a key, or the window system's name when that is a single
// character.
std::string KeyName(uint8_t key)
{
    using namespace platform;
    switch (key) {
    case VkBack:
        return "Rück";
    case VkTab:
        return "Tab";
    case VkReturn:
        return "Enter";
    case VkEscape:
        return "Esc";
    case VkSpace:
        return "Leertaste";
    case VkPrior:
        return "BildAuf";
    case VkNext:
        return "BildAb";
    case VkEnd:
        return "Ende";
    case VkHome:
        return "Pos1";
    case VkLeft:
        return "Linksbündig";
    case VkUp:
        return "Nach oben";
    case VkRight:
        return "Rechts";
    case VkDown:
        return "Nach unten";
    case VkInsert:
        return "Einfg";
    case VkDelete:
        return "Entf";
    default:
        break;
    }
    if (IsDigitKey(key) || IsLetterKey(key))
        return std::string(1, static_cast<char>(key));
    if (IsNumpadDigitKey(key)) // numeric keypad digits read like the main row
        return std::string(1, static_cast<char>('0' + key - VkNumpad0));
    if (IsFunctionKey(key))
        return "F" + std::to_string(FunctionKeyNumber(key));
    if (key == 0)
        return {};
    std::string systemName = platform::Services().KeyNames->KeyName(key);
    return CharacterCount(systemName) == 1 ? systemName : std::string();
}

} // namespace

TShortCut MakeShortCut(uint16_t key, bool shift, bool ctrl, bool alt)
{
    constexpr uint16_t KeyCodeLimit = 256;
    if (key >= KeyCodeLimit)
        return 0;
    return static_cast<TShortCut>(key | (shift ? ShortCutShift : 0) | (ctrl ? ShortCutCtrl : 0)
                                  | (alt ? ShortCutAlt : 0));
}

std::string ShortcutText(TShortCut shortcut)
{
    const std::string key = KeyName(static_cast<uint8_t>(shortcut & 0xFF));
    if (key.empty())
        return {};
    std::string text;
    if (shortcut & ShortCutShift)
        text += "Umsch+";
    if (shortcut & ShortCutCtrl)
        text += "Strg+";
    if (shortcut & ShortCutAlt)
        text += "Alt+";
    return text + key;
}

} // namespace tarvo
