#pragma once
// Text helpers for reading other programs' configuration files.

#include <string>
#include <string_view>
#include <vector>

namespace tarvo::tools {

// The text without blanks (spaces, tabs, carriage returns) at either end.
std::string_view Trim(std::string_view text);

// The text with every run of blanks and line breaks made one space, and
// none at either end.
std::string CollapseBlanks(std::string_view text);

// The parts of a key combination written with "+" between them ("ctrl +
// shift + a"), each trimmed.
std::vector<std::string_view> KeyParts(std::string_view keys);

bool EqualIgnoringCase(std::string_view a, std::string_view b);

// Whether text starts with prefix, ignoring case.
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);

// A line of a file and its number, counting from 1.
struct TNumberedLine {
    int Number;
    std::string_view Text;
};

// The lines of the text, without their line breaks.
std::vector<TNumberedLine> NumberedLines(std::string_view text);

} // namespace tarvo::tools
