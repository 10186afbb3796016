#include "platform/sway/swaybindings.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <map>
#include <sstream>
#include <tuple>
#include <vector>

#include "platform/virtualkeys.h"
#include "platform/xkbkeynames.h"

namespace tarvo::platform::sway {

namespace {

std::string Lower(std::string text)
{
    std::ranges::transform(text, text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// The keys in one spelling: the modifiers by sway's own names, sorted, then
// the key, in lower case (sway looks keysym names up regardless of case).
std::string Canonical(const std::string& keys)
{
    static const std::map<std::string, std::string> aliases{
        {"ctrl", "control"}, {"alt", "mod1"}, {"super", "mod4"}, {"caps", "lock"}};
    std::vector<std::string> parts;
    std::istringstream stream(Lower(keys));
    for (std::string part; std::getline(stream, part, '+');) {
        const auto alias = aliases.find(part);
        parts.push_back(alias == aliases.end() ? part : alias->second);
    }
    if (parts.empty())
        return {};
    std::sort(parts.begin(), parts.end() - 1);
    std::string canonical;
    for (const std::string& part : parts)
        canonical += part + "+";
    return canonical;
}

std::vector<std::string> Words(const std::string& line)
{
    std::vector<std::string> words;
    std::istringstream stream(line);
    for (std::string word; stream >> word;)
        words.push_back(word);
    return words;
}

// Puts the variables in, the longest names first so that $mod does not
// replace the start of $modkey.
std::string Expand(std::string text, const std::map<std::string, std::string, std::greater<>>& variables)
{
    for (const auto& [name, value] : variables)
        for (size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + value.size()))
            text.replace(at, name.size(), value);
    return text;
}

// The input code of a key bound by its position: those whose characters
// depend on the layout, and the keypad digits, whose keysyms depend on
// NumLock (KP_1 or KP_End; the X11 grabs take both).
std::optional<int> KeyCodeByPosition(uint16_t virtualKey)
{
    // KEY_KP0 to KEY_KP9 of the Linux input event codes.
    constexpr std::array<int, 10> KeypadDigits{82, 79, 80, 81, 75, 76, 77, 71, 72, 73};
    if (IsNumpadDigitKey(virtualKey))
        return KeypadDigits[virtualKey - VkNumpad0];
    return InputCodeAtUsPosition(virtualKey);
}

} // namespace

bool TSwayBinding::operator<(const TSwayBinding& other) const
{
    return std::tuple(Kind, Canonical(Keys)) < std::tuple(other.Kind, Canonical(other.Keys));
}

std::optional<TSwayBinding> SwayBinding(THotKeyCombination combination)
{
    if (combination.VirtualKey == 0)
        return std::nullopt;
    std::string modifiers;
    if (combination.Modifiers & HotKeyModControl)
        modifiers += "Ctrl+";
    if (combination.Modifiers & HotKeyModAlt)
        modifiers += "Mod1+";
    if (combination.Modifiers & HotKeyModShift)
        modifiers += "Shift+";
    if (const std::optional<int> code = KeyCodeByPosition(combination.VirtualKey))
        return TSwayBinding{"bindcode", modifiers + std::to_string(*code + XkbKeyCodeOffset)};
    const std::optional<std::string> name = XkbKeyName(combination.VirtualKey);
    if (!name)
        return std::nullopt;
    // A letter's keysym is the small one; the capital would need Shift.
    return TSwayBinding{"bindsym", modifiers + (name->size() == 1 ? Lower(*name) : *name)};
}

std::set<TSwayBinding> ConfigBindings(const std::string& config)
{
    std::set<TSwayBinding> bindings;
    std::map<std::string, std::string, std::greater<>> variables;
    // The blocks the line is in: "mode", "bindsym", "bindcode", or another
    // word of a block ("bar", "input").
    std::vector<std::string> blocks;
    std::istringstream stream(config);
    for (std::string line; std::getline(stream, line);) {
        std::vector<std::string> words = Words(line.substr(0, line.find('#')));
        if (words.empty())
            continue;
        if (words.front() == "}") {
            if (!blocks.empty())
                blocks.pop_back();
            continue;
        }
        const bool inMode = std::ranges::find(blocks, "mode") != blocks.end();
        if (words.back() == "{") {
            blocks.push_back(words.front());
            continue;
        }
        if (words.front() == "set" && words.size() >= 3 && blocks.empty()) {
            variables[words[1]] = Expand(words[2], variables);
            continue;
        }
        std::string kind;
        if (!blocks.empty() && (blocks.back() == "bindsym" || blocks.back() == "bindcode"))
            kind = blocks.back(); // a line of a block holds the keys and the command
        else if (words.front() == "bindsym" || words.front() == "bindcode")
            kind = words.front(), words.erase(words.begin());
        if (kind.empty() || inMode)
            continue;
        const auto keys = std::ranges::find_if(words, [](const std::string& word) { return !word.starts_with("--"); });
        const bool release = std::ranges::find(words.begin(), keys, "--release") != keys;
        if (keys != words.end() && !release)
            bindings.insert({kind, Expand(*keys, variables)});
    }
    return bindings;
}

} // namespace tarvo::platform::sway
