#include "platform/desktopentry.h"

namespace tarvo::platform {

namespace {

constexpr std::string_view EntryGroup = "[Desktop Entry]";
// Characters that make an Exec argument need quotes.
constexpr std::string_view ReservedInExec = " \t\n\"'\\><~|&;$*?#()`";
// Characters a backslash must precede inside a quoted Exec argument.
constexpr std::string_view EscapedInExecQuotes = "\"`$\\";

std::string_view TrimmedRight(std::string_view text)
{
    return text.substr(0, text.find_last_not_of(" \t") + 1);
}

std::string_view TrimmedLeft(std::string_view text)
{
    const size_t first = text.find_first_not_of(" \t");
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

// The character a string escape ("\s" and so on) stands for.
std::optional<char> EscapedCharacter(char code)
{
    switch (code) {
    case 's':
        return ' ';
    case 'n':
        return '\n';
    case 't':
        return '\t';
    case 'r':
        return '\r';
    case '\\':
        return '\\';
    default:
        return std::nullopt;
    }
}

std::string Unescaped(std::string_view value)
{
    std::string result;
    for (size_t i = 0; i < value.size(); ++i) {
        const auto escaped = value[i] == '\\' && i + 1 < value.size() ? EscapedCharacter(value[i + 1]) : std::nullopt;
        result += escaped.value_or(value[i]);
        i += escaped.has_value();
    }
    return result;
}

std::string Escaped(std::string_view value)
{
    std::string result;
    for (char c : value) {
        switch (c) {
        case '\\':
            result += "\\\\";
            break;
        case '\n':
            result += "\\n";
            break;
        case '\t':
            result += "\\t";
            break;
        case '\r':
            result += "\\r";
            break;
        default:
            result += c;
        }
    }
    return result;
}

std::string QuotedExecArgument(std::string_view argument)
{
    std::string result;
    for (char c : argument) {
        if (c == '%')
            result += '%';
        else if (EscapedInExecQuotes.find(c) != std::string_view::npos)
            result += '\\';
        result += c;
    }
    if (!argument.empty() && argument.find_first_of(ReservedInExec) == std::string_view::npos)
        return result;
    return "\"" + result + "\"";
}

// The keys a translated value may be stored under, best match first.
std::vector<std::string> LocalizedKeys(std::string_view key, std::string_view locale)
{
    const size_t at = locale.find('@');
    const std::string_view modifier = at == std::string_view::npos ? "" : locale.substr(at + 1);
    std::string_view language = locale.substr(0, at);
    language = language.substr(0, language.find('.'));
    const size_t underscore = language.find('_');
    const std::string_view country = underscore == std::string_view::npos ? "" : language.substr(underscore + 1);
    language = language.substr(0, underscore);

    std::vector<std::string> keys;
    const auto add = [&](std::string_view country, std::string_view modifier) {
        std::string name = std::string(language);
        if (!country.empty())
            name += "_" + std::string(country);
        if (!modifier.empty())
            name += "@" + std::string(modifier);
        keys.push_back(std::string(key) + "[" + name + "]");
    };
    if (!country.empty() && !modifier.empty())
        add(country, modifier);
    if (!country.empty())
        add(country, "");
    if (!modifier.empty())
        add("", modifier);
    if (!language.empty())
        add("", "");
    keys.emplace_back(key);
    return keys;
}

} // namespace

std::optional<TDesktopEntry> TDesktopEntry::Parse(std::string_view text)
{
    TDesktopEntry entry;
    bool found = false;
    bool inEntry = false;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (line.starts_with('[')) {
            inEntry = line == EntryGroup;
            found = found || inEntry;
            continue;
        }
        const size_t equals = line.find('=');
        if (inEntry && !line.starts_with('#') && equals != std::string_view::npos)
            entry.values_.emplace(TrimmedRight(line.substr(0, equals)), TrimmedLeft(line.substr(equals + 1)));
    }
    if (!found)
        return std::nullopt;
    return entry;
}

std::optional<std::string> TDesktopEntry::Value(std::string_view key) const
{
    const auto found = values_.find(key);
    if (found == values_.end())
        return std::nullopt;
    return Unescaped(found->second);
}

std::optional<std::string> TDesktopEntry::LocalizedValue(std::string_view key, std::string_view locale) const
{
    for (const std::string& localized : LocalizedKeys(key, locale))
        if (auto value = Value(localized))
            return value;
    return std::nullopt;
}

bool TDesktopEntry::IsTrue(std::string_view key) const
{
    return Value(key) == "true";
}

std::string ExecValue(const std::vector<std::string>& arguments)
{
    std::string line;
    for (const std::string& argument : arguments)
        line += (line.empty() ? "" : " ") + QuotedExecArgument(argument);
    return Escaped(line);
}

} // namespace tarvo::platform
