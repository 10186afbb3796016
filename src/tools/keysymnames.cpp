#include "tools/keysymnames.h"

#include <array>
#include <cctype>
#include <string>
#include <string_view>

#include "platform/virtualkeys.h"
#include "tools/configtext.h"

namespace tarvo::tools {

namespace {

using namespace platform;

struct TKeysymName {
    std::string_view Name;
    uint16_t VirtualKey;
};

// The keys outside the ranges of letters, digits, function keys and keypad
// digits. The punctuation keys are named by their unshifted US character,
// the keypad digits also by what they read with NumLock off.
constexpr std::array KeysymNames{
    TKeysymName{"BackSpace", VkBack},
    TKeysymName{"Tab", VkTab},
    TKeysymName{"Clear", VkClear},
    TKeysymName{"Return", VkReturn},
    TKeysymName{"KP_Enter", VkReturn},
    TKeysymName{"Pause", VkPause},
    TKeysymName{"Escape", VkEscape},
    TKeysymName{"space", VkSpace},
    TKeysymName{"Prior", VkPrior},
    TKeysymName{"Page_Up", VkPrior},
    TKeysymName{"Next", VkNext},
    TKeysymName{"Page_Down", VkNext},
    TKeysymName{"End", VkEnd},
    TKeysymName{"Home", VkHome},
    TKeysymName{"Left", VkLeft},
    TKeysymName{"Up", VkUp},
    TKeysymName{"Right", VkRight},
    TKeysymName{"Down", VkDown},
    TKeysymName{"Select", VkSelect},
    TKeysymName{"Execute", VkExecute},
    TKeysymName{"Print", VkSnapshot},
    TKeysymName{"Insert", VkInsert},
    TKeysymName{"Delete", VkDelete},
    TKeysymName{"Help", VkHelp},
    TKeysymName{"Super_L", VkLWin},
    TKeysymName{"Super_R", VkRWin},
    TKeysymName{"Menu", VkApps},
    TKeysymName{"KP_Insert", VkNumpad0},
    TKeysymName{"KP_End", VkNumpad0 + 1},
    TKeysymName{"KP_Down", VkNumpad0 + 2},
    TKeysymName{"KP_Next", VkNumpad0 + 3},
    TKeysymName{"KP_Page_Down", VkNumpad0 + 3},
    TKeysymName{"KP_Left", VkNumpad0 + 4},
    TKeysymName{"KP_Begin", VkNumpad0 + 5},
    TKeysymName{"KP_Right", VkNumpad0 + 6},
    TKeysymName{"KP_Home", VkNumpad0 + 7},
    TKeysymName{"KP_Up", VkNumpad0 + 8},
    TKeysymName{"KP_Prior", VkNumpad0 + 9},
    TKeysymName{"KP_Page_Up", VkNumpad0 + 9},
    TKeysymName{"KP_Multiply", VkMultiply},
    TKeysymName{"KP_Add", VkAdd},
    TKeysymName{"KP_Separator", VkSeparator},
    TKeysymName{"KP_Subtract", VkSubtract},
    TKeysymName{"KP_Decimal", VkDecimal},
    TKeysymName{"KP_Delete", VkDecimal},
    TKeysymName{"KP_Divide", VkDivide},
    TKeysymName{"semicolon", VkOem1},
    TKeysymName{"equal", VkOemPlus},
    TKeysymName{"comma", VkOemComma},
    TKeysymName{"minus", VkOemMinus},
    TKeysymName{"period", VkOemPeriod},
    TKeysymName{"slash", VkOem2},
    TKeysymName{"grave", VkOem3},
    TKeysymName{"bracketleft", VkOem4},
    TKeysymName{"backslash", VkOem5},
    TKeysymName{"bracketright", VkOem6},
    TKeysymName{"apostrophe", VkOem7},
    TKeysymName{"XF86Sleep", VkSleep},
    TKeysymName{"XF86Back", VkBrowserBack},
    TKeysymName{"XF86Forward", VkBrowserForward},
    TKeysymName{"XF86Refresh", VkBrowserRefresh},
    TKeysymName{"XF86Stop", VkBrowserStop},
    TKeysymName{"XF86Search", VkBrowserSearch},
    TKeysymName{"XF86Favorites", VkBrowserFavorites},
    TKeysymName{"XF86HomePage", VkBrowserHome},
    TKeysymName{"XF86AudioMute", VkVolumeMute},
    TKeysymName{"XF86AudioLowerVolume", VkVolumeDown},
    TKeysymName{"XF86AudioRaiseVolume", VkVolumeUp},
    TKeysymName{"XF86AudioNext", VkMediaNextTrack},
    TKeysymName{"XF86AudioPrev", VkMediaPrevTrack},
    TKeysymName{"XF86AudioStop", VkMediaStop},
    TKeysymName{"XF86AudioPlay", VkMediaPlayPause},
    TKeysymName{"XF86Mail", VkLaunchMail},
    TKeysymName{"XF86AudioMedia", VkLaunchMediaSelect},
    TKeysymName{"XF86MyComputer", VkLaunchApp1},
    TKeysymName{"XF86Calculator", VkLaunchApp2},
};

// The modifiers of other programs' key names that Tarvo combinations have,
// and those they have not. GTK's accelerators add "primary" (Ctrl on
// Linux), "ctl", "shft" and "release".
struct TModifierName {
    std::string_view Name;
    TShortCut Flag; // 0: not one of Tarvo's
};

constexpr TModifierName ModifierNames[] = {
    {"shift", ShortCutShift},
    {"shft", ShortCutShift},
    {"ctrl", ShortCutCtrl},
    {"control", ShortCutCtrl},
    {"ctl", ShortCutCtrl},
    {"primary", ShortCutCtrl},
    {"alt", ShortCutAlt},
    {"mod1", ShortCutAlt},
    {"super", 0},
    {"hyper", 0},
    {"meta", 0},
    {"mod2", 0},
    {"mod3", 0},
    {"mod4", 0},
    {"mod5", 0},
    {"lock", 0},
    {"mode_switch", 0},
    {"any", 0},
    {"release", 0},
};

const TModifierName* FindModifier(std::string_view name)
{
    for (const TModifierName& modifier : ModifierNames)
        if (EqualIgnoringCase(modifier.Name, name))
            return &modifier;
    return nullptr;
}

// The number after prefix in name ("F12", "KP_3"), or -1.
int NumberAfter(std::string_view name, std::string_view prefix)
{
    if (name.size() <= prefix.size() || name.size() > prefix.size() + 2 || !StartsWithIgnoringCase(name, prefix))
        return -1;
    int number = 0;
    for (char c : name.substr(prefix.size())) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return -1;
        number = number * 10 + (c - '0');
    }
    return number;
}

} // namespace

std::optional<uint16_t> VirtualKeyOfKeysymName(std::string_view name)
{
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
        return static_cast<uint16_t>(std::toupper(static_cast<unsigned char>(name[0])));
    if (const int number = NumberAfter(name, "F"); number >= 1 && number <= FunctionKeyNumber(VkF24))
        return static_cast<uint16_t>(VkF1 + number - 1);
    if (const int digit = NumberAfter(name, "KP_"); digit >= 0 && digit <= 9 && name.size() == 4)
        return static_cast<uint16_t>(VkNumpad0 + digit);
    for (const TKeysymName& entry : KeysymNames)
        if (EqualIgnoringCase(entry.Name, name))
            return entry.VirtualKey;
    return std::nullopt;
}

std::variant<TShortCut, std::string> KeysCombination(std::string_view keys)
{
    TShortCut modifiers = 0;
    std::optional<std::string_view> keyName;
    for (std::string_view part : KeyParts(keys)) {
        if (const TModifierName* modifier = FindModifier(part)) {
            if (modifier->Flag == 0)
                return "the modifier " + std::string(part)
                    + " is none of Shift, Ctrl and Alt, the only ones of a Tarvo combination";
            modifiers |= modifier->Flag;
        } else if (part.empty()) {
            return std::string("a key name is missing");
        } else if (keyName) {
            return "names two keys, " + std::string(*keyName) + " and " + std::string(part);
        } else {
            keyName = part;
        }
    }
    if (!keyName)
        return std::string("names no key besides the modifiers");
    const std::optional<uint16_t> key = VirtualKeyOfKeysymName(*keyName);
    if (!key)
        return "the key " + std::string(*keyName) + " has no key code in Tarvo";
    return static_cast<TShortCut>(*key | modifiers);
}

std::variant<TShortCut, std::string> AcceleratorCombination(std::string_view accelerator)
{
    std::string keys;
    while (accelerator.starts_with('<')) {
        const size_t close = accelerator.find('>');
        if (close == std::string_view::npos)
            return std::string("a modifier is not closed by \">\"");
        keys += std::string(accelerator.substr(1, close - 1)) + "+";
        accelerator.remove_prefix(close + 1);
    }
    return KeysCombination(keys + std::string(accelerator));
}

} // namespace tarvo::tools
