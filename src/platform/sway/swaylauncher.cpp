#include "platform/sway/swaylauncher.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <QLoggingCategory>

#include "platform/errors.h"
#include "platform/linux/detachedprocess.h"
#include "platform/linux/launchplan.h"
#include "platform/sway/swayconnection.h"

namespace tarvo::platform::sway {

Q_LOGGING_CATEGORY(lcSwayLauncher, "tarvo.platform.sway.launcher", QtWarningMsg)

namespace {

constexpr uint32_t SwayGetTree = 4;
constexpr uint32_t SwayWindowEvent = 0x80000003;

// The focused container below node, 0 when there is none.
long long FindFocused(const QJsonObject& node)
{
    if (node[QStringLiteral("focused")].toBool())
        return node[QStringLiteral("id")].toInteger();
    for (const char* children : {"nodes", "floating_nodes"})
        for (const QJsonValue& child : node[QLatin1String(children)].toArray())
            if (const long long found = FindFocused(child.toObject()))
                return found;
    return 0;
}

QByteArray Criteria(long long container)
{
    return "[con_id=" + QByteArray::number(container) + "] ";
}

} // namespace

TSwayLauncher::TSwayLauncher(const std::string& socketPath)
    : commands_(std::make_unique<TSwayConnection>(socketPath)), events_(std::make_unique<TSwayConnection>(socketPath))
{
    events_->Request(SwaySubscribe, R"(["window"])");
    notifier_ = std::make_unique<QSocketNotifier>(events_->Descriptor(), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { ReadEvents(0); });
}

TSwayLauncher::~TSwayLauncher() = default;

std::vector<std::string> TSwayLauncher::WindowClasses(const std::string& file, const std::string& directory) const
{
    return DesktopEntryWindowClasses(file, directory);
}

void TSwayLauncher::Execute(const std::string& file, const std::string& parameters, const std::string& directory,
                            TShowCommand show)
{
    const TLaunchPlan plan = PlanLaunch(file, parameters, directory);
    // A normal window is what every program shows by itself; without
    // sway's events no other can be shown.
    if (show == TShowCommand::Normal || broken_) {
        StartDetached(plan);
        return;
    }
    const long long previousFocus = KeepsFocus(show) ? FocusedContainer() : 0;
    pending_.Add(StartDetached(plan), show, previousFocus, WindowPatience);
}

void TSwayLauncher::WaitForShowCommands()
{
    while (!broken_) {
        const auto wait = pending_.TimeLeft();
        if (!wait)
            return;
        ReadEvents(static_cast<int>(wait->count()));
    }
}

void TSwayLauncher::ReadEvents(int timeoutMs)
{
    try {
        while (const auto message = events_->Read(timeoutMs)) {
            timeoutMs = 0;
            const QJsonObject event = QJsonDocument::fromJson(message->Payload).object();
            if (message->Type != SwayWindowEvent || event[QStringLiteral("change")].toString() != "new")
                continue;
            const QJsonObject container = event[QStringLiteral("container")].toObject();
            WindowMapped(container[QStringLiteral("id")].toInteger(),
                         static_cast<pid_t>(container[QStringLiteral("pid")].toInteger()));
        }
    } catch (const EWindowSystemError& error) {
        // The programs run; only their show commands are lost. The hotkeys'
        // own connection reports the end of the session.
        qCWarning(lcSwayLauncher).noquote() << "show commands are no longer applied:" << error.what();
        // Disabled, not destroyed: this may run in the notifier's own signal.
        notifier_->setEnabled(false);
        broken_ = true;
        pending_.Clear();
    }
}

void TSwayLauncher::WindowMapped(long long container, pid_t process)
{
    const auto started = pending_.TakeFor(process);
    if (!started)
        return;
    const QByteArray window = Criteria(container);
    switch (started->Show) {
    case TShowCommand::Minimized:
    case TShowCommand::MinimizedNoActivate:
        commands_->Request(SwayRunCommand, window + "move scratchpad");
        break;
    case TShowCommand::Maximized:
        commands_->Request(SwayRunCommand, window + "fullscreen enable");
        break;
    case TShowCommand::Normal:
    case TShowCommand::NormalNoActivate:
        break;
    }
    if (KeepsFocus(started->Show) && started->PreviousFocus)
        commands_->Request(SwayRunCommand, Criteria(started->PreviousFocus) + "focus");
}

long long TSwayLauncher::FocusedContainer()
{
    try {
        return FindFocused(QJsonDocument::fromJson(commands_->Request(SwayGetTree, {})).object());
    } catch (const EWindowSystemError& error) {
        // The launch goes on; a no-activate window then keeps the focus.
        qCWarning(lcSwayLauncher).noquote() << "the focused window is unknown:" << error.what();
        return 0;
    }
}

} // namespace tarvo::platform::sway
