#include "app/sessionhost.h"

#include <windows.h>

#include <QCoreApplication>
#include <QMetaObject>

#include "app/commandwindow_win32.h"

namespace tarvo {

namespace {

std::function<void()> endRequested; // the one session's, for the console's handler thread

// Runs on a thread of the system's: hands the request to the main thread.
BOOL WINAPI ConsoleControl(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT)
        return FALSE;
    QMetaObject::invokeMethod(QCoreApplication::instance(), [] { endRequested(); }, Qt::QueuedConnection);
    return TRUE;
}

} // namespace

// Programs started through the shell need no reaping; the console's control
// events end the event loop.
struct TSessionHost::TState { };

TSessionHost::TSessionHost(std::function<void()> onEndRequested) : state_(std::make_unique<TState>())
{
    endRequested = std::move(onEndRequested);
    ::SetConsoleCtrlHandler(ConsoleControl, TRUE);
}

TSessionHost::~TSessionHost()
{
    ::SetConsoleCtrlHandler(ConsoleControl, FALSE);
}

std::unique_ptr<QObject> TSessionHost::ServeCommands(THotKeyRegistrar& registrar, TCommandHandlers handlers)
{
    return ServeCommandWindow(registrar, std::move(handlers));
}

} // namespace tarvo
