#pragma once
// The program's command-line arguments in UTF-8, as every text in the
// program is. On Windows main's argv is in the ANSI code page, which cannot
// hold every file name: there the arguments come from the wide command line.

#include <string>
#include <vector>

namespace tarvo::platform {

// The arguments after the program's name; argc and argv are main's, or what
// Qt's application object left of them. On Windows the wide command line,
// which still holds the options Qt takes for itself.
std::vector<std::string> ProgramArguments(int argc, char** argv);

} // namespace tarvo::platform
