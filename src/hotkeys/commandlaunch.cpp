// What a hotkey does when it fires: each command either brings back a window
// that its window text asks for or opens the command's file.

#include <QLoggingCategory>
#include <QString>

#include <exception>
#include <optional>

#include "hotkeys/hotkey.h"
#include "hotkeys/windowmatch.h"
#include "persist/text.h"
#include "platform/launcher.h"
#include "platform/ownwindows.h"
#include "platform/services.h"

namespace tarvo {

namespace {

Q_LOGGING_CATEGORY(lcHotKeys, "tarvo.hotkeys")

platform::TShowCommand ShowCommand(int32_t execMode)
{
    using platform::TShowCommand;
    switch (execMode) {
    case ExecMaximized:
        return TShowCommand::Maximized;
    case ExecMinimized:
        return TShowCommand::Minimized;
    case ExecNormalNoActivate:
        return TShowCommand::NormalNoActivate;
    case ExecMinimizedNoActivate:
        return TShowCommand::MinimizedNoActivate;
    default:
        return TShowCommand::Normal; // ExecNormal, and values the program never writes
    }
}

std::string ExpandEnvironment(const std::string& value)
{
    TText text(value);
    text.ExpandEnvironment();
    return text.GetText();
}

} // namespace

void THotKeyCommand::ExecuteCommand(const TLaunchFailureHandler& onFailure) const
{
    std::optional<platform::TWindowId> window;
    try {
        window = WindowToBringBack();
        if (!window)
            platform::Services().Launcher->Execute(ExpandEnvironment(FileName), ExpandEnvironment(Parameters),
                                                   ExpandEnvironment(Directory), ShowCommand(ExecMode));
    } catch (const std::exception& error) {
        // A failed launch must not interrupt the user or stop the hotkey's
        // other commands, whatever failed (a launch error, a window text
        // that is no valid pattern, or a file-system error such as a working
        // directory that is gone): the caller decides how to tell. The log
        // line is for whoever looks into why nothing started.
        qCWarning(lcHotKeys).noquote() << QString::fromUtf8(error.what());
        if (!onFailure)
            return;
        const auto* userError = dynamic_cast<const EUserTextError*>(&error);
        onFailure(*this, userError ? userError->Reason : TUserText{error.what(), "er konnte nicht gestartet werden"});
    }
    if (window)
        platform::RestoreAndActivate(*window);
}

void THotKeyCommand::CheckLookForWindow() const
{
    if (!LookForWindow.empty())
        WindowMatch();
}

TWindowMatch THotKeyCommand::WindowMatch() const
{
    return TWindowMatch(LookForWindow, ExpandEnvironment(FileName), ExpandEnvironment(Directory));
}

std::optional<platform::TWindowId> THotKeyCommand::WindowToBringBack() const
{
    if (LookForWindow.empty())
        return std::nullopt;
    const TWindowMatch match = WindowMatch();
    const std::vector<platform::TTopLevelWindow> windows = platform::SearchableWindows();
    const platform::TTopLevelWindow* chosen = match.Choose(windows);
    return chosen ? std::optional<platform::TWindowId>(chosen->Id) : std::nullopt;
}

void THotTarvo::ExecuteHotKey(const TLaunchFailureHandler& onFailure) const
{
    if (!Enabled)
        return;
    for (int i = 0; i < Commands->Count(); ++i)
        Command(i).ExecuteCommand(onFailure);
}

} // namespace tarvo
