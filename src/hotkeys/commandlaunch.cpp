// What a hotkey does when it fires: each command either brings back a window
// whose title contains the command's window text or opens the command's file.

#include <QLoggingCategory>
#include <QString>

#include <exception>
#include <optional>
#include <string_view>

#include "hotkeys/hotkey.h"
#include "persist/text.h"
#include "persist/textservices.h"
#include "platform/launcher.h"
#include "platform/ownwindows.h"
#include "platform/services.h"

namespace tarvo {

namespace {

Q_LOGGING_CATEGORY(lcHotKeys, "tarvo.hotkeys")

// Titles are compared on their first 199 characters: as much as the title
// buffer of the program the hotkey files come from could hold.
constexpr size_t ComparedTitleLength = 199;

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

// The topmost window whose title contains lookFor, case ignored. Titles are
// decoded like stored texts: some old programs set them in an 8-bit code page.
std::optional<platform::TWindowId> FindWindow(const std::string& lookFor)
{
    const std::string pattern = "*" + lookFor + "*";
    for (const auto& window : platform::SearchableWindows()) {
        const std::string title = text::Decode(window.Title);
        if (!title.empty() && MatchesWildcard(FirstCharacters(title, ComparedTitleLength), pattern))
            return window.Id;
    }
    return std::nullopt;
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
    if (!LookForWindow.empty()) {
        if (const auto window = FindWindow(LookForWindow)) {
            platform::RestoreAndActivate(*window);
            return;
        }
    }
    try {
        platform::Services().Launcher->Execute(ExpandEnvironment(FileName), ExpandEnvironment(Parameters),
                                               ExpandEnvironment(Directory), ShowCommand(ExecMode));
    } catch (const std::exception& error) {
        // A failed launch must not interrupt the user or stop the hotkey's
        // other commands, whatever failed (a launch error, or a file-system
        // error such as a working directory that is gone): the caller decides
        // how to tell. The log line is for whoever looks into why nothing
        // started.
        qCWarning(lcHotKeys).noquote() << QString::fromUtf8(error.what());
        if (!onFailure)
            return;
        const auto* launchError = dynamic_cast<const platform::ELaunchError*>(&error);
        onFailure(*this,
                  launchError ? launchError->Reason : TUserText{error.what(), "er konnte nicht gestartet werden"});
    }
}

void THotTarvo::ExecuteHotKey(const TLaunchFailureHandler& onFailure) const
{
    if (!Enabled)
        return;
    for (int i = 0; i < Commands->Count(); ++i)
        Command(i).ExecuteCommand(onFailure);
}

} // namespace tarvo
