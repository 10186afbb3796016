#pragma once
// Splitting a command-line text into program arguments.

#include <string>
#include <string_view>
#include <vector>

namespace tarvo::platform {

// The arguments of the text by the quoting rules of the POSIX shell: blanks
// (space, tab, line break) separate arguments; a backslash takes the next
// character literally; single quotes take everything up to the closing quote
// literally; in double quotes a backslash only escapes $ ` " and \. Nothing
// else is interpreted: variables, globs and command substitutions are data.
// Raises ELaunchError for a quote that is not closed.
std::vector<std::string> SplitArguments(std::string_view text);

} // namespace tarvo::platform
