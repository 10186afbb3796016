#include "hotkeys/shortcut.h"

#include "persist/text.h"
#include "platform/services.h"

namespace tarvo {

namespace {

// The fixed name of a key, or the window system's name when that is a single
// character.
std::string KeyName(uint8_t key)
{
    switch (key) {
    case 0x08: return "Rück";
    case 0x09: return "Tab";
    case 0x0D: return "Enter";
    case 0x1B: return "Esc";
    case 0x20: return "Leertaste";
    case 0x21: return "BildAuf";
    case 0x22: return "BildAb";
    case 0x23: return "Ende";
    case 0x24: return "Pos1";
    case 0x25: return "Linksbündig";
    case 0x26: return "Nach oben";
    case 0x27: return "Rechts";
    case 0x28: return "Nach unten";
    case 0x2D: return "Einfg";
    case 0x2E: return "Entf";
    default: break;
    }
    if (key >= '0' && key <= '9')
        return std::string(1, static_cast<char>(key));
    if (key >= 'A' && key <= 'Z')
        return std::string(1, static_cast<char>(key));
    if (key >= 0x60 && key <= 0x69) // numeric keypad digits read like the main row
        return std::string(1, static_cast<char>('0' + key - 0x60));
    if (key >= 0x70 && key <= 0x87)
        return "F" + std::to_string(key - 0x6F);
    if (key == 0)
        return {};
    std::string systemName = platform::Services().KeyNames->KeyName(key);
    return CharacterCount(systemName) == 1 ? systemName : std::string();
}

} // namespace

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
