#pragma once
// Deciding how a file is opened: run directly, run by the shell, or handed
// to the desktop's default application.

#include <string>
#include <vector>

namespace tarvo::platform {

struct TLaunchPlan {
    std::string Program;                // the file to execute, as a path
    std::vector<std::string> Arguments; // the argument vector, the program name first
    std::string Directory;              // the working directory; empty keeps the caller's
};

// How ILauncher::Execute opens file. After PATH lookup of a bare name (or
// resolving a relative path against directory):
// - an executable file runs directly with the parameters as arguments;
// - a desktop entry (a file ending in ".desktop"; a bare name that is not in
//   the directory is looked for among the installed applications) runs its
//   Exec key with the parameters as its files (desktopexec.h), in its Path
//   when it has one, in a terminal when it asks for one; a link opens its URL
//   with xdg-open. A hidden entry, a TryExec or Exec program that is not
//   installed, or a type that starts nothing cannot be opened;
// - a file that is not executable but starts with "#!" or ends in ".sh" or
//   ".bat" runs with /bin/sh;
// - anything else (a document, a folder, an address such as https://...)
//   is opened with xdg-open; the parameters are not passed on.
// Raises ELaunchError when the file or the directory does not exist, the
// parameters cannot be split, or a desktop entry cannot be started.
TLaunchPlan PlanLaunch(const std::string& file, const std::string& parameters, const std::string& directory);

// For a file that PlanLaunch takes as a desktop entry: its StartupWMClass,
// when it has one, and its desktop id (the file name without ".desktop").
// Empty for any other file and for an entry that cannot be read.
std::vector<std::string> DesktopEntryWindowClasses(const std::string& file, const std::string& directory);

} // namespace tarvo::platform
