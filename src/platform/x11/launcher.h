#pragma once
// Launching on an X11 desktop: the programs are started like on any Linux
// host, with a startup-notification id, and their show commands are applied
// to their first windows.

#include <chrono>
#include <memory>
#include <string>

#include "platform/launcher.h"
#include "platform/x11/showcommands.h"

namespace tarvo::platform::x11 {

class TX11Launcher : public ILauncher {
public:
    // How long a started program may take to show its first window.
    static constexpr std::chrono::milliseconds WindowPatience{5000};

    explicit TX11Launcher(std::shared_ptr<TWindowManager> manager)
        : manager_(manager), watcher_(std::move(manager), WindowPatience), hostName_(LocalHostName())
    {
    }

    void Execute(const std::string& file, const std::string& parameters, const std::string& directory,
                 TShowCommand show) override;
    std::vector<std::string> WindowClasses(const std::string& file, const std::string& directory) const override;
    void WaitForShowCommands() override { watcher_.WaitForAll(); }

private:
    std::string NewStartupId();

    std::shared_ptr<TWindowManager> manager_;
    TShowCommandWatcher watcher_;
    std::string hostName_;
    unsigned launches_ = 0;
};

} // namespace tarvo::platform::x11
