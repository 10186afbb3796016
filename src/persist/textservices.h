#pragma once
// Locale-aware text services: the one place where texts are compared and
// upper-cased under the user's locale. Texts are byte strings; bytes that are
// not valid UTF-8 are read as Windows-1252 (files of the original program).

#include <string>
#include <string_view>

namespace tarvo::text {

// -1, 0 or 1: a against b under the user's locale, case ignored.
int CompareIgnoreCase(std::string_view a, std::string_view b);

// The text in upper case under the user's locale, as UTF-8.
std::string ToUpper(std::string_view text);

// The text as valid UTF-8: unchanged when it is UTF-8 already, otherwise
// decoded as Windows-1252.
std::string ToDisplayText(std::string_view bytes);

} // namespace tarvo::text
