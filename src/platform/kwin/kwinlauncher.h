#pragma once
// Launching on a KWin Wayland desktop: programs start as on any Linux host,
// and the show command is applied through KWin's scripting to the first
// window that the started process, or one it started, shows: minimised,
// maximised, and for the no-activate ones the focus handed back to the
// window that had it.

#include <sys/types.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include <QObject>

#include "platform/kwin/kwinscripts.h"
#include "platform/launcher.h"
#include "platform/linux/pendingshows.h"

namespace tarvo::platform::kwin {

class TKWinLauncher : public ILauncher {
public:
    // How long a started program may take to show its first window.
    static constexpr std::chrono::milliseconds WindowPatience{5000};

    explicit TKWinLauncher(std::shared_ptr<TKWinScripts> scripts);
    ~TKWinLauncher() override;
    TKWinLauncher(const TKWinLauncher&) = delete;
    TKWinLauncher& operator=(const TKWinLauncher&) = delete;

    void Execute(const std::string& file, const std::string& parameters, const std::string& directory,
                 TShowCommand show) override;
    std::vector<std::string> WindowClasses(const std::string& file, const std::string& directory) const override;
    void WaitForShowCommands() override;

private:
    // Applies the show commands to the added windows that have arrived.
    void TakeAddedWindows(std::chrono::milliseconds wait);
    void WindowAdded(const TAddedWindow& window);

    std::shared_ptr<TKWinScripts> scripts_;
    // KWin's id of the window that was active is kept for each; empty for none.
    TPendingShows<QString> pending_;
    QObject eventContext_; // the added windows' calls go through it
};

} // namespace tarvo::platform::kwin
