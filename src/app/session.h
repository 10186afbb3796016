#pragma once
// The running program's wiring, shared by the windowed program and tvotool
// listen: the window-system services, the registrar that registers the
// document's hotkeys, keeps the tray menu in step and runs a hotkey when its
// combination is pressed, what the host system needs while the program runs
// (app/sessionhost.h), and the end of the event loop when the system asks
// the program to end or when the connection to the window system breaks. Presses reach the
// registrar through the platform's hotkey service, not through a window.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/commandhandlers.h"
#include "app/hotkeyregistrar.h"
#include "app/traymenu.h"
#include "hotkeys/hotkeyfile.h"
#include "platform/errors.h"

class QObject;

namespace tarvo {

class TSessionHost;

// Why no window system can be reached ("no X server can be reached
// (DISPLAY=)"), or nothing when one can: for a program that must know
// before it creates its Qt application object.
std::optional<std::string> WindowSystemProblem();

class TSession {
public:
    // Needs the Qt application object (QCoreApplication or QApplication),
    // which must outlive the session. Installs the window-system services;
    // raises EWindowSystemError, with what was looked for, when no window
    // system can be reached. document gives the current document whenever
    // it is needed; the tray menu must outlive the session.
    TSession(ITrayMenu& trayMenu, std::function<THotKeyFile&()> document);
    // Withdraws every registration and puts the headless window-system
    // services back, before the application object goes.
    ~TSession();
    TSession(const TSession&) = delete;
    TSession& operator=(const TSession&) = delete;

    THotKeyRegistrar& Registrar() { return *registrar_; }

    // Serves the program's interface to its later starts while the session
    // lives (app/runningprogram.h): hotkeys run through the registrar, the rest
    // through the handlers.
    void ServeCommands(TCommandHandlers handlers);

    // Runs the event loop until the system asks the program to end (SIGINT,
    // SIGTERM; Ctrl+C on Windows' console) or the loop is
    // ended otherwise, then withdraws the document's hotkeys. Raises
    // EWindowSystemError when the connection to the window system broke.
    void Run();

private:
    class TWindowSystemServices;

    // Destroyed in reverse order: the registrar withdraws its registrations
    // while the services it registered with are still there.
    std::unique_ptr<TWindowSystemServices> windowSystem_;
    std::unique_ptr<TSessionHost> host_;
    std::unique_ptr<THotKeyRegistrar> registrar_;
    std::unique_ptr<QObject> commands_;
};

} // namespace tarvo
