#include "tools/listen.h"

#include <QCoreApplication>

#include <ostream>
#include <string>

#include "app/session.h"
#include "app/traymenu.h"

namespace tarvo::tools {

void ListenForHotKeys(THotKeyFile& document, std::ostream& out, std::ostream& errors)
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

    registrar.RegisterAllHotKeys();
    for (const auto& [id, reason] : registrar.RefusedHotKeys()) {
        const auto& hotkey = CastTo<THotTarvo>(*document.HotKeyList->ObjectWithID(id));
        errors << "tvotool: hotkey \"" << hotkey.Name << "\" (" << ShortcutText(hotkey.HotKey)
               << ") is not registered: " << RefusalText(reason, LanguageEnglish) << "\n";
    }
    const int registered = document.HotKeyList->Count() - static_cast<int>(registrar.RefusedHotKeys().size());
    out << "tvotool: listening for " << registered << " hotkeys; SIGINT or SIGTERM ends\n" << std::flush;
    session->Run();
}

} // namespace tarvo::tools
