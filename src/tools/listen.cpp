#include "tools/listen.h"

#include <QCoreApplication>

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/session.h"
#include "app/traymenu.h"
#include "conflicts/conflictfinder.h"
#include "platform/services.h"

namespace tarvo::tools {

void ListenForHotKeys(THotKeyFile& document, const std::string& fileName, std::ostream& out, std::ostream& errors)
{
    int argc = 1;
    char name[] = "tvotool";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    TTrayMenuList trayMenu;
    std::unique_ptr<TSession> session;
    try {
        session = std::make_unique<TSession>(trayMenu, [&]() -> THotKeyFile& { return document; });
    } catch (const EWindowSystemError& error) {
        throw EWindowSystemError(std::string("cannot listen for hotkeys: ") + error.what());
    }
    THotKeyRegistrar& registrar = session->Registrar();
    registrar.DocumentFile = [&fileName] { return fileName; };
    registrar.OutsideCommand = [file = std::filesystem::absolute(fileName).string()](const THotTarvo& hotkey) {
        return std::vector<std::string>{platform::Services().Program->ProgramPath(), "exec", file, hotkey.Name};
    };
    // Asked once, at the first refusal.
    std::optional<conflicts::TConflictFinder> finder;
    const auto reportRefusal = [&](const THotTarvo& hotkey) {
        const auto refused = registrar.RefusedHotKeys().find(hotkey.ID);
        if (refused == registrar.RefusedHotKeys().end())
            return;
        errors << "tvotool: hotkey \"" << hotkey.Name << "\" (" << ShortcutText(hotkey.HotKey)
               << ") is not registered: " << RefusalText(refused->second, LanguageEnglish) << "\n";
        if (!finder)
            finder.emplace(conflicts::RunningDesktopSources());
        for (const conflicts::THolder& holder : finder->Holders(hotkey.HotKey, document, hotkey.ID))
            errors << "tvotool:   " << conflicts::HolderText(holder, false) << "\n";
        errors << std::flush;
    };
    // A desktop that binds the shortcuts itself decides once the event loop
    // runs, and may change its mind later.
    registrar.OnRegistrationChanged = reportRefusal;

    registrar.RegisterAllHotKeys();
    for (const auto& refused : registrar.RefusedHotKeys())
        reportRefusal(CastTo<THotTarvo>(*document.HotKeyList->ObjectWithID(refused.first)));
    const int registered = document.HotKeyList->Count() - static_cast<int>(registrar.RefusedHotKeys().size());
    out << "tvotool: listening for " << registered << " hotkeys; SIGINT or SIGTERM ends\n" << std::flush;
    session->Run();
}

} // namespace tarvo::tools
