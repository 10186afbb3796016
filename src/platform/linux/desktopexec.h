#pragma once
// What an application's desktop entry runs.

#include <optional>
#include <string>
#include <vector>

#include "platform/desktopentry.h"

namespace tarvo::platform {

// The arguments the entry's Exec key runs: split by its quoting rules (those
// of the shell, of which the Exec rules are a part), then the field codes
// expanded. The files go where the first of %f %F %u %U stands, or after
// everything when there is none; %i is "--icon" and the Icon (nothing without
// one), %c the Name translated for locale, %k entryPath, %% a "%"; the
// deprecated %d %D %n %N %v %m are dropped. Raises ELaunchError, with the
// reason only, for a missing Exec key, a quote that is not closed or an
// unknown field code.
std::vector<std::string> ExecArguments(const TDesktopEntry& entry, const std::string& entryPath,
                                       const std::vector<std::string>& files, std::string_view locale);

// The desktop entry of that file name among the installed applications: in
// "applications" under $XDG_DATA_HOME (~/.local/share), then under each
// directory of $XDG_DATA_DIRS (/usr/local/share:/usr/share).
std::optional<std::string> FindInstalledDesktopEntry(const std::string& name);

} // namespace tarvo::platform
