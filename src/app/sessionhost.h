#pragma once
// What the running session needs of the host system: the end of the event
// loop when the system asks the program to end (SIGINT or SIGTERM on Linux,
// Ctrl+C, Ctrl+Break or the console closing on Windows), the reaping of
// started programs as they end where the system needs it (Linux), and the
// program's interface to its later starts (the session bus on Linux, a
// message window on Windows). One implementation per host system, picked by CMake.

#include <functional>
#include <memory>

#include <QObject>

#include "app/commandhandlers.h"
#include "app/hotkeyregistrar.h"

namespace tarvo {

class TSessionHost {
public:
    // Needs the Qt application object. onEndRequested is called on the main
    // thread, from the event loop.
    explicit TSessionHost(std::function<void()> onEndRequested);
    ~TSessionHost();
    TSessionHost(const TSessionHost&) = delete;
    TSessionHost& operator=(const TSessionHost&) = delete;

    // Serves the program's interface to its later starts while the returned
    // object lives.
    static std::unique_ptr<QObject> ServeCommands(THotKeyRegistrar& registrar, TCommandHandlers handlers);

private:
    struct TState;
    std::unique_ptr<TState> state_;
};

} // namespace tarvo
