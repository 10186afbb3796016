#pragma once
// The bindings of other X hotkey programs' configurations (sxhkd,
// xbindkeys), read as they are written, to be turned into hotkeys. The
// readers take the file's text decoded (text::Decode), as hotkeys hold UTF-8.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo::tools {

// One binding: the keys it is bound to, written as "+"-separated modifier
// and keysym names, and the shell command it runs. Problem, when not empty,
// says why the binding cannot become a hotkey.
struct TPeerBinding {
    int Line = 0; // where the binding starts in the file
    std::string Keys;
    std::string Command;
    std::string Problem;
};

enum class TPeerFormat { Sxhkd, Xbindkeys };

// The format called name ("sxhkd", "xbindkeys"), or nullopt.
std::optional<TPeerFormat> PeerFormatNamed(std::string_view name);

// The format of the configuration: xbindkeys when the file name ends in
// ".scm" or the first line that is neither empty, a comment nor one of its
// keystate_ settings starts with a double quote (a command) or a parenthesis
// (Guile), sxhkd otherwise.
TPeerFormat DetectPeerFormat(std::string_view fileName, std::string_view text);

// sxhkd: a line that does not start with a blank is a hotkey, the indented
// line after it its command; "\" at a line's end continues it on the next.
// Sequences {a,b,c} (with ranges such as 1-9, and _ for nothing) in the
// hotkey and the command are expanded into one binding each, the hotkey's
// n-th expansion going with the command's n-th (or with its only one); a
// backslash before {, } or , keeps it as it is. Chord chains, release (@),
// replay (~) and pointer buttons are problems.
std::vector<TPeerBinding> ReadSxhkdConfig(std::string_view text);

// xbindkeys: a command in double quotes on one line, its keys on the next.
// Release bindings, pointer buttons (b:N), raw keycodes (c:N) and modifier
// masks (m:MASK) are problems, as is every binding of a Guile (Scheme)
// configuration.
std::vector<TPeerBinding> ReadXbindkeysConfig(std::string_view text);

std::vector<TPeerBinding> ReadPeerConfig(TPeerFormat format, std::string_view text);

} // namespace tarvo::tools
