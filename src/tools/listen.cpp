#include "tools/listen.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <functional>
#include <ostream>
#include <string>
#include <system_error>

#include "app/hotkeyregistrar.h"
#include "app/traymenu.h"
#include "platform/launcher.h"
#include "platform/messagebox.h"
#include "platform/registry.h"
#include "platform/services.h"
#include "platform/windowsystem.h"
#include "platform/windowsystemservices.h"

namespace tarvo::tools {

namespace {

// SIGINT and SIGTERM, turned into a call on the main thread: the signal
// handler writes a byte into a pipe that the event loop watches.
class TTerminationSignals {
public:
    explicit TTerminationSignals(std::function<void()> onSignal)
    {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
            throw std::system_error(errno, std::generic_category(), "cannot create the signal pipe");
        readEnd_ = ends[0];
        writeEnd_ = ends[1];
        notifier_ = std::make_unique<QSocketNotifier>(readEnd_, QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this, onSignal = std::move(onSignal)] {
            char bytes[16];
            while (::read(readEnd_, bytes, sizeof bytes) > 0) {
            }
            onSignal();
        });
        struct sigaction action {};
        action.sa_handler = &Handler;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(SIGINT, &action, &previousInt_);
        ::sigaction(SIGTERM, &action, &previousTerm_);
    }

    ~TTerminationSignals()
    {
        ::sigaction(SIGINT, &previousInt_, nullptr);
        ::sigaction(SIGTERM, &previousTerm_, nullptr);
        notifier_.reset();
        ::close(readEnd_);
        ::close(writeEnd_);
    }

    TTerminationSignals(const TTerminationSignals&) = delete;
    TTerminationSignals& operator=(const TTerminationSignals&) = delete;

private:
    static void Handler(int /*signal*/)
    {
        const int savedErrno = errno;
        const char byte = 1;
        // A full pipe already holds a wake-up, so a failed write loses nothing.
        const ssize_t written = ::write(writeEnd_, &byte, 1);
        (void)written;
        errno = savedErrno;
    }

    static inline int writeEnd_ = -1; // read by the signal handler
    int readEnd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    struct sigaction previousInt_ {};
    struct sigaction previousTerm_ {};
};

// The window-system services while the tool listens. The headless ones are
// put back before the event loop's application object goes, which the
// connection's socket notifier needs.
class TWindowSystemServices {
public:
    explicit TWindowSystemServices(std::function<void()> onConnectionLost)
    {
        const platform::TWindowSystemChoice choice = platform::InstallWindowSystemServices(
            platform::Services(), [onConnectionLost](const std::string& /*problem*/) { onConnectionLost(); });
        if (!choice.Reached)
            throw EXServerError("cannot listen for hotkeys: " + choice.Problem);
    }
    ~TWindowSystemServices() { platform::WithdrawWindowSystemServices(platform::Services()); }
    TWindowSystemServices(const TWindowSystemServices&) = delete;
    TWindowSystemServices& operator=(const TWindowSystemServices&) = delete;
};

std::string RefusalText(platform::THotKeyResult reason)
{
    if (reason == platform::THotKeyResult::Taken)
        return "the combination is held by another program or another hotkey";
    if (reason == platform::THotKeyResult::UnknownKey)
        return "the key cannot be registered";
    return "there is no window system to register with";
}

} // namespace

void ListenForHotKeys(THotKeyFile& document, std::ostream& out, std::ostream& errors)
{
    int argc = 1;
    char name[] = "tvotool";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    constexpr int ConnectionLost = 1;
    TWindowSystemServices windowSystem([] { QCoreApplication::exit(ConnectionLost); });
    TTerminationSignals termination([] { QCoreApplication::quit(); });
    TTrayMenuList trayMenu;
    THotKeyRegistrar registrar(*platform::Services().HotKeys, trayMenu, [&]() -> THotKeyFile& { return document; });

    registrar.RegisterAllHotKeys();
    for (const auto& [id, reason] : registrar.RefusedHotKeys()) {
        const auto& hotkey = CastTo<THotTarvo>(*document.HotKeyList->ObjectWithID(id));
        errors << "tvotool: hotkey \"" << hotkey.Name << "\" (" << ShortcutText(hotkey.HotKey)
               << ") is not registered: " << RefusalText(reason) << "\n";
    }
    const int registered = document.HotKeyList->Count() - static_cast<int>(registrar.RefusedHotKeys().size());
    out << "tvotool: listening for " << registered << " hotkeys; SIGINT or SIGTERM ends\n" << std::flush;
    const int result = application.exec();
    registrar.UnregisterAllHotKeys();
    if (result == ConnectionLost)
        throw EXServerError("the connection to the X server broke");
}

} // namespace tarvo::tools
