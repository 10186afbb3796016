#pragma once
// Start-up and shutdown of the program's modules, and the command line.

#include <string>
#include <string_view>
#include <vector>

namespace tarvo {

// Problems that did not stop start-up (a damaged hotkey file, unreadable
// settings); the main window shows them once it is up.
using TStartupProblems = std::vector<std::string>;

// Starts the program's modules in their fixed order, each layer after the
// one below: the persistence and language modules (InitLangModules), the
// application settings, then the hotkey file module, which loads the default
// file. The order carries two dependencies: the class registry exists before
// the first registration, and every class that a hotkey file can hold is
// registered before the default file is loaded.
TStartupProblems InitModules();
// Ends the modules in reverse order. Nothing is saved.
void FinalizeModules();

// The hotkey file named on the command line: the first argument with its
// double quotes removed; empty when there is none. Further arguments are ignored.
std::string CommandLineFileArgument(const std::vector<std::string>& args);

// The full name of the hotkey file an argument names: ".tvo" is appended
// when it has no extension, the directory of the user's files (the program's
// directory unless the program is installed) put in front when it has no
// directory part.
std::string ResolveHotKeyFileName(std::string_view argument);

// Makes the file named on the command line the current hotkey file and loads
// it. A file that does not exist keeps the document loaded so far, which now
// belongs to the new name.
void OpenCommandLineFile(const std::vector<std::string>& args);

// InitModules, then OpenCommandLineFile; problems of either are collected,
// not raised.
TStartupProblems StartUp(const std::vector<std::string>& args);

} // namespace tarvo
