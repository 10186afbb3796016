#pragma once
// Launching in a sway session: programs start as on any Linux host, and the
// show command is applied to the first window that the started process, or
// one it started, maps. Sway has no minimised windows, so a minimised one
// goes to the scratchpad, from where a hotkey that looks for it brings it
// back; a maximised one fills its output (fullscreen); a no-activate one
// hands the focus back to the window that had it. Window events arrive on a
// connection of their own, read from the event loop or while waiting.

#include <sys/types.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include <QSocketNotifier>

#include "platform/launcher.h"
#include "platform/linux/pendingshows.h"

namespace tarvo::platform::sway {

class TSwayConnection;

class TSwayLauncher : public ILauncher {
public:
    // How long a started program may take to show its first window.
    static constexpr std::chrono::milliseconds WindowPatience{5000};

    // Connects to the socket; raises EWindowSystemError when it cannot.
    explicit TSwayLauncher(const std::string& socketPath);
    ~TSwayLauncher() override;

    void Execute(const std::string& file, const std::string& parameters, const std::string& directory,
                 TShowCommand show) override;
    std::vector<std::string> WindowClasses(const std::string& file, const std::string& directory) const override;
    void WaitForShowCommands() override;

private:
    // Handles the window events that arrive within timeoutMs (0: those that
    // can be read without waiting).
    void ReadEvents(int timeoutMs);
    void WindowMapped(long long container, pid_t process);
    // The container that has the focus; 0 for none.
    long long FocusedContainer();

    std::unique_ptr<TSwayConnection> commands_;
    std::unique_ptr<TSwayConnection> events_;
    std::unique_ptr<QSocketNotifier> notifier_;
    bool broken_ = false; // the event connection broke: show commands are no longer applied
    // The container that had the focus is kept for each; 0 for none.
    TPendingShows<long long> pending_;
};

} // namespace tarvo::platform::sway
