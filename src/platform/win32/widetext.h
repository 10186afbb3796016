#pragma once
// UTF-8 texts of the program to and from the UTF-16 texts of the Win32 calls.
// Every file name, key name and text goes through these to a wide ("W")
// call, so that no text depends on the system's ANSI code page.

#include <string>
#include <string_view>

namespace tarvo::platform::win32 {

// Bytes that are not valid UTF-8 each become U+FFFD.
std::wstring Wide(std::string_view utf8);

// Unpaired surrogates become U+FFFD.
std::string Utf8(std::wstring_view utf16);

} // namespace tarvo::platform::win32
