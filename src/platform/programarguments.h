#pragma once
// What a program gets from the command line it was started from: its
// arguments in UTF-8, as every text in the program is (on Windows main's
// argv is in the ANSI code page, which cannot hold every file name: there
// the arguments come from the wide command line), and the console for its
// messages.

#include <string>
#include <vector>

namespace tarvo::platform {

// The arguments after the program's name; argc and argv are main's, or what
// Qt's application object left of them. On Windows the wide command line,
// which still holds the options Qt takes for itself.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// Lets the text output of a program without a console of its own (a Windows
// GUI program) reach the console it was started from, where its standard
// output goes nowhere else. Nothing to do on Linux.
void ConnectToCallersConsole();

} // namespace tarvo::platform
