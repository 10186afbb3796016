#pragma once
// Desktop entry files (*.desktop), the way desktops describe the
// applications of their menus: the keys of the "Desktop Entry" group, their
// string escapes and translations, and the quoting of an Exec line.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo::platform {

class TDesktopEntry {
public:
    // The entry in the text of a desktop entry file; nullopt when the text
    // has no "Desktop Entry" group. Comments, other groups and lines that
    // are no "key=value" are passed over.
    static std::optional<TDesktopEntry> Parse(std::string_view text);

    // The value of key with the escapes \s \n \t \r and \\ resolved; other
    // backslashes stay (an Exec line's quoting needs them). Nullopt when the
    // entry has no such key.
    std::optional<std::string> Value(std::string_view key) const;
    // The value of key translated for the locale ("de_AT.UTF-8@euro" and the
    // like): key[lang_COUNTRY@MODIFIER], key[lang_COUNTRY], key[lang@MODIFIER],
    // key[lang], key, the first that exists.
    std::optional<std::string> LocalizedValue(std::string_view key, std::string_view locale) const;
    // Whether key has the value "true".
    bool IsTrue(std::string_view key) const;

private:
    std::map<std::string, std::string, std::less<>> values_; // as written, escapes unresolved
};

// The value of an Exec key that runs the arguments: each quoted where the
// Exec rules ask for it, "%" doubled, and escaped as a string value.
std::string ExecValue(const std::vector<std::string>& arguments);

} // namespace tarvo::platform
