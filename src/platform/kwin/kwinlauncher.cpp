#include "platform/kwin/kwinlauncher.h"

#include "platform/linux/detachedprocess.h"
#include "platform/linux/launchplan.h"

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
    pending_.Add(StartDetached(plan), show, previous, WindowPatience);
}

void TKWinLauncher::WaitForShowCommands()
{
    while (const auto wait = pending_.TimeLeft())
        TakeAddedWindows(*wait);
}

void TKWinLauncher::TakeAddedWindows(std::chrono::milliseconds wait)
{
    for (auto window = scripts_->Answers().AwaitAddedWindow(wait); window;
         window = scripts_->Answers().AwaitAddedWindow(std::chrono::milliseconds(0)))
        WindowAdded(*window);
}

void TKWinLauncher::WindowAdded(const TAddedWindow& window)
{
    const auto started = pending_.TakeFor(static_cast<pid_t>(window.Process));
    if (!started)
        return;
    scripts_->Run(QString::fromLatin1(ShowWindow)
                      .replace(QStringLiteral("PREVIOUS"), JsString(started->PreviousFocus))
                      .replace(QStringLiteral("WINDOW"), JsString(window.Id))
                      .replace(QStringLiteral("SHOW"), JsString(ShowName(started->Show))),
                  false);
}

} // namespace tarvo::platform::kwin
