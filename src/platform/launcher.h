#pragma once
// Opening a program, script, document or address the way the desktop's
// shell does.

#include <string>
#include <vector>

#include "platform/errors.h"

namespace tarvo::platform {

// How the first window of a started program is shown. The values are those
// of the Windows show commands that hotkey files were written for.
enum class TShowCommand : int {
    Normal = 1,
    Minimized = 2,
    Maximized = 3,
    MinimizedNoActivate = 7,
    NormalNoActivate = 8,
};

// A launch that did not start anything: a missing file or directory, a
// program that cannot be run. The reason names the file and the cause.
class ELaunchError : public EUserTextError {
public:
    using EUserTextError::EUserTextError;
};

class ILauncher {
public:
    virtual ~ILauncher() = default;
    // Opens file with its default action: a program is started with the
    // parameters (one command-line text, split by shell quoting rules) in
    // directory (empty: the current one), a document or address is handed
    // to its application. Returns once the process has started; raises
    // ELaunchError when nothing could be started.
    virtual void Execute(const std::string& file, const std::string& parameters, const std::string& directory,
                         TShowCommand show) = 0;
    // The window classes (X11) or app ids (Wayland) that opening file shows
    // its windows under, as far as the file tells: for a desktop entry its
    // StartupWMClass and its desktop id; nothing for other files.
    virtual std::vector<std::string> WindowClasses(const std::string& file, const std::string& directory) const = 0;
    // Waits until the show commands of the programs started so far have been
    // applied to their windows or given up on. For programs that end right
    // after a launch; with an event loop running this happens by itself.
    virtual void WaitForShowCommands() = 0;
};

} // namespace tarvo::platform
