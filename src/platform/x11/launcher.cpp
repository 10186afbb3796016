#include "platform/x11/launcher.h"

#include <unistd.h>

#include "platform/linux/detachedprocess.h"
#include "platform/linux/launchplan.h"

namespace tarvo::platform::x11 {

std::vector<std::string> TX11Launcher::WindowClasses(const std::string& file, const std::string& directory) const
{
    return DesktopEntryWindowClasses(file, directory);
}

void TX11Launcher::Execute(const std::string& file, const std::string& parameters, const std::string& directory,
                           TShowCommand show)
{
    const TLaunchPlan plan = PlanLaunch(file, parameters, directory);
    // Every launch gets an id of its own, also in place of one this program
    // may have inherited.
    const std::string startupId = NewStartupId();
    const auto start = [&] { return StartDetached(plan, {"DESKTOP_STARTUP_ID=" + startupId}); };
    // A normal window is what every program shows by itself.
    if (show == TShowCommand::Normal)
        start();
    else
        watcher_.Watch(show, startupId, start);
}

// The startup-notification form "launcher-pid-host-sequence_TIMEtime": the
// time of the key press that caused the launch lets the window manager's
// focus-stealing prevention treat the program's window as the answer to it;
// without a known time the part is left out. No startup sequence is
// announced ("new:"), so no desktop shows a busy cursor that would wait for
// a "remove:" from a program that knows nothing of startup notification.
std::string TX11Launcher::NewStartupId()
{
    std::string id = "tarvo-" + std::to_string(::getpid()) + "-" + hostName_ + "-" + std::to_string(++launches_);
    if (const xcb_timestamp_t time = manager_->UserTime(); time != XCB_CURRENT_TIME)
        id += "_TIME" + std::to_string(time);
    return id;
}

} // namespace tarvo::platform::x11
