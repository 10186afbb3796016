#include "app/session.h"

#include <QCoreApplication>
#include <QLoggingCategory>

#include <optional>
#include <string>

#include "app/sessionhost.h"
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
      host_(std::make_unique<TSessionHost>(&EndEventLoop)),
      registrar_(std::make_unique<THotKeyRegistrar>(*platform::Services().HotKeys, trayMenu, std::move(document)))
{
}

TSession::~TSession() = default;

void TSession::ServeCommands(TCommandHandlers handlers)
{
    commands_ = TSessionHost::ServeCommands(*registrar_, std::move(handlers));
}

void TSession::Run()
{
    QCoreApplication::exec();
    registrar_->UnregisterAllHotKeys();
    if (const auto& problem = windowSystem_->LostProblem())
        throw EWindowSystemError(*problem);
}

} // namespace tarvo
