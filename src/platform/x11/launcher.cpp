#include "platform/x11/launcher.h"

#include "platform/linux/detachedprocess.h"
#include "platform/linux/launchplan.h"

namespace tarvo::platform::x11 {

void TX11Launcher::Execute(const std::string& file, const std::string& parameters, const std::string& directory,
                           TShowCommand show)
{
    const pid_t pid = StartDetached(PlanLaunch(file, parameters, directory));
    // A normal window is what every program shows by itself.
    if (show != TShowCommand::Normal)
        watcher_.Watch(pid, show);
}

} // namespace tarvo::platform::x11
