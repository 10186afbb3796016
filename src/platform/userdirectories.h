#pragma once
// Where the program keeps the user's files. Run from the directory it was
// built in, the program keeps them beside itself, where the hotkey files have
// always been looked for. Installed, its directory belongs to the system and
// the user's files go to the user's configuration directory (after the XDG
// base directory rules on Linux, the application-data folder on Windows);
// the program's own read-only files stay beside it.

#include <string>

#include "platform/services.h"

namespace tarvo::platform {

// The variable's value when it is set and not empty.
std::optional<std::string> NonEmptyVariable(const IEnvironment& environment, const std::string& name);

// On Linux $XDG_CONFIG_HOME when it is an absolute path, $HOME/.config
// otherwise; on Windows %APPDATA%. Empty when none of them is set.
std::string UserConfigDirectory(const IEnvironment& environment);

// Whether the user may create files in the directory.
bool MayCreateFilesIn(const std::string& directory);

// The directory of the user's files for a program in programDirectory:
// programDirectory itself when the user may create files there, "tarvo" in
// the user's configuration directory otherwise (and programDirectory again
// when there is none). Ends with a separator, like ProgramDirectory().
std::string UserFileDirectory(const std::string& programDirectory, bool programDirectoryWritable,
                              const IEnvironment& environment);

// The same for the running program (Services().Program) in its environment.
std::string UserFileDirectory();

// Creates the directory and its missing parents, each for the user alone
// (mode 0700), as the XDG rules ask of configuration directories. A directory
// that cannot be created is reported by the write into it that follows.
void CreateUserDirectory(const std::string& directory);

} // namespace tarvo::platform
