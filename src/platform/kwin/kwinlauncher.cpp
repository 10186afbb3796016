#include "platform/kwin/kwinlauncher.h"

#include <algorithm>

#include "platform/linux/detachedprocess.h"
#include "platform/linux/launchplan.h"
#include "platform/linux/processtree.h"

namespace tarvo::platform::kwin {

namespace {

constexpr const char* ActiveWindow = R"(
answer(workspace.activeClient ? workspace.activeClient.internalId.toString() : "");
)";

// Shows the window WINDOW as SHOW says ("minimize", "maximize" or
// "normal"), then activates PREVIOUS unless it is empty.
constexpr const char* ShowWindow = R"(
var previous = null;
workspace.clientList().forEach(function (c) {
    if (c.internalId.toString() === PREVIOUS)
        previous = c;
    if (c.internalId.toString() !== WINDOW)
        return;
    if (SHOW === "minimize")
        c.minimized = true;
    else if (SHOW === "maximize")
        c.setMaximize(true, true);
});
if (previous)
    workspace.activeClient = previous;
)";

QString ShowName(TShowCommand show)
{
    switch (show) {
    case TShowCommand::Minimized:
    case TShowCommand::MinimizedNoActivate:
        return QStringLiteral("minimize");
    case TShowCommand::Maximized:
        return QStringLiteral("maximize");
    case TShowCommand::Normal:
    case TShowCommand::NormalNoActivate:
        break;
    }
    return QStringLiteral("normal");
}

bool KeepsFocus(TShowCommand show)
{
    return show == TShowCommand::MinimizedNoActivate || show == TShowCommand::NormalNoActivate;
}

} // namespace

TKWinLauncher::TKWinLauncher(std::shared_ptr<TKWinScripts> scripts) : scripts_(std::move(scripts))
{
}

TKWinLauncher::~TKWinLauncher()
{
    scripts_->StopWatchingWindows();
}

std::vector<std::string> TKWinLauncher::WindowClasses(const std::string& file, const std::string& directory) const
{
    return DesktopEntryWindowClasses(file, directory);
}

void TKWinLauncher::Execute(const std::string& file, const std::string& parameters, const std::string& directory,
                            TShowCommand show)
{
    const TLaunchPlan plan = PlanLaunch(file, parameters, directory);
    // A normal window is what every program shows by itself.
    if (show == TShowCommand::Normal) {
        StartDetached(plan);
        return;
    }
    // Watched from the first such launch on, before the window can appear.
    scripts_->WatchWindows(&eventContext_, [this] { TakeAddedWindows(std::chrono::milliseconds(0)); });
    const QString previous =
        KeepsFocus(show) ? scripts_->Run(QString::fromLatin1(ActiveWindow), true).value_or(QString()) : QString();
    pending_.push_back({StartDetached(plan), show, previous, std::chrono::steady_clock::now() + WindowPatience});
}

void TKWinLauncher::WaitForShowCommands()
{
    for (;;) {
        DropExpired();
        if (pending_.empty())
            return;
        TakeAddedWindows(std::chrono::duration_cast<std::chrono::milliseconds>(pending_.front().Deadline
                                                                               - std::chrono::steady_clock::now()));
    }
}

void TKWinLauncher::TakeAddedWindows(std::chrono::milliseconds wait)
{
    for (auto window = scripts_->Answers().AwaitAddedWindow(std::max(wait, std::chrono::milliseconds(0))); window;
         window = scripts_->Answers().AwaitAddedWindow(std::chrono::milliseconds(0)))
        WindowAdded(*window);
}

void TKWinLauncher::WindowAdded(const TAddedWindow& window)
{
    DropExpired();
    const pid_t process = static_cast<pid_t>(window.Process);
    const auto started = std::find_if(pending_.begin(), pending_.end(), [process](const TPendingShow& show) {
        return process > 0 && IsProcessOrDescendant(process, show.Process);
    });
    if (started == pending_.end())
        return;
    scripts_->Run(QString::fromLatin1(ShowWindow)
                      .replace(QStringLiteral("PREVIOUS"), JsString(started->PreviousActive))
                      .replace(QStringLiteral("WINDOW"), JsString(window.Id))
                      .replace(QStringLiteral("SHOW"), JsString(ShowName(started->Show))),
                  false);
    pending_.erase(started);
}

void TKWinLauncher::DropExpired()
{
    const auto now = std::chrono::steady_clock::now();
    std::erase_if(pending_, [now](const TPendingShow& show) { return show.Deadline <= now; });
}

} // namespace tarvo::platform::kwin
