#include "app/session.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <optional>
#include <string>

#include "platform/childreaper.h"
#include "platform/services.h"
#include "platform/windowsystemservices.h"

namespace tarvo {

// Which backends serve is information, shown when asked for
// (QT_LOGGING_RULES="tarvo.app.info=true"); a poor choice is a warning.
Q_LOGGING_CATEGORY(lcSession, "tarvo.app", QtWarningMsg)

namespace {

// Ends the event loop at once. QCoreApplication::quit() would first ask
// every window to close, and a window could ask its user a question that
// nobody is there to answer.
void EndEventLoop()
{
    QCoreApplication::exit(0);
}

} // namespace

// SIGINT and SIGTERM, turned into a call on the main thread: the signal
// handler writes a byte into a pipe that the event loop watches.
class TSession::TTerminationSignals {
public:
    explicit TTerminationSignals(std::function<void()> onSignal)
    {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
            throw ETarvoError(std::string("cannot create the signal pipe: ") + std::strerror(errno));
        readEnd_ = ends[0];
        writeEnd_ = ends[1];
        notifier_ = std::make_unique<QSocketNotifier>(readEnd_, QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this, onSignal = std::move(onSignal)] {
            char bytes[16];
            while (::read(readEnd_, bytes, sizeof bytes) > 0) { }
            onSignal();
        });
        struct sigaction action { };
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
    struct sigaction previousInt_ { };
    struct sigaction previousTerm_ { };
};

// The window-system services while the session runs. The headless ones are
// put back before the event loop's application object goes, which the
// connection's socket notifier needs.
class TSession::TWindowSystemServices {
public:
    TWindowSystemServices()
    {
        const platform::TWindowSystemChoice choice =
            platform::InstallWindowSystemServices(platform::Services(), [this](const std::string& problem) {
                lostProblem_ = problem;
                EndEventLoop();
            });
        if (!choice.Reached)
            throw EWindowSystemError(choice.Problem);
        qCInfo(lcSession).noquote() << QString::fromStdString("hotkeys through " + choice.HotKeys
                                                              + "; window search: " + choice.WindowSearch);
        if (!choice.Warning.empty())
            qCWarning(lcSession).noquote() << QString::fromStdString(choice.Warning);
    }
    ~TWindowSystemServices() { platform::WithdrawWindowSystemServices(platform::Services()); }
    TWindowSystemServices(const TWindowSystemServices&) = delete;
    TWindowSystemServices& operator=(const TWindowSystemServices&) = delete;

    // What happened to the connection, once it broke.
    const std::optional<std::string>& LostProblem() const { return lostProblem_; }

private:
    std::optional<std::string> lostProblem_;
};

std::optional<std::string> WindowSystemProblem()
{
    const platform::TWindowSystemChoice choice = platform::InstallWindowSystemServices(platform::Services());
    platform::WithdrawWindowSystemServices(platform::Services());
    if (choice.Reached)
        return std::nullopt;
    return choice.Problem;
}

TSession::TSession(ITrayMenu& trayMenu, std::function<THotKeyFile&()> document)
    : windowSystem_(std::make_unique<TWindowSystemServices>()),
      termination_(std::make_unique<TTerminationSignals>(&EndEventLoop)),
      childReaping_(std::make_unique<QSocketNotifier>(platform::ChildReaper().Descriptor(), QSocketNotifier::Read)),
      registrar_(std::make_unique<THotKeyRegistrar>(*platform::Services().HotKeys, trayMenu, std::move(document)))
{
    // Started programs are reaped as they end, not only at the next start.
    QObject::connect(childReaping_.get(), &QSocketNotifier::activated, [] { platform::ChildReaper().ReapEnded(); });
}

TSession::~TSession() = default;

void TSession::ServeCommands(TCommandHandlers handlers)
{
    commands_ = std::make_unique<TCommandBus>(*registrar_, std::move(handlers));
}

void TSession::Run()
{
    QCoreApplication::exec();
    registrar_->UnregisterAllHotKeys();
    if (const auto& problem = windowSystem_->LostProblem())
        throw EWindowSystemError(*problem);
}

} // namespace tarvo
