// The Tarvo program: starts the modules, opens the hotkey file named on the
// command line, shows the main window and runs until it closes.

#include <QApplication>
#include <QTimer>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/autostart.h"
#include "app/runningprogram.h"
#include "app/session.h"
#include "app/startup.h"
#include "app/windows/hosthelp.h"
#include "app/windows/tformmain.h"
#include "dialogs/programicon.h"
#include "dialogs/tforminfo.h"
#include "hotkeys/hotkeyfile.h"
#include "platform/messagebox.h"
#include "platform/programarguments.h"
#include "platform/qt/qtmessagebox.h"
#include "platform/services.h"
#include "tarvo/version.h"

using namespace tarvo;

namespace {

const std::string Usage = std::string("Usage: tarvo [FILE]\n"
                                      "       tarvo --run NAME|ID\n"
                                      "Keeps system-wide hotkeys that start programs; lives in the notification area.\n"
                                      "\n"
                                      "  FILE       the hotkey file to open: \".tvo\" is added to a name without an\n"
                                      "             extension, the program's directory to a name without a directory.\n"
                                      "             Without FILE, KeyList.TVO in the program's directory is opened.\n"
                                      "             A Tarvo that runs with FILE open shows its window instead.\n"
                                      "  --run NAME|ID  run a hotkey of the Tarvo that runs, by its name or ID\n"
                                      "  --autostart on|off  start Tarvo at every login, or no longer\n"
                                      "  --help     show this text\n"
                                      "  --version  show the version and its release date\n")
    + WindowSystemHelp;

// Shows each problem that did not stop the start, once the window is up.
void ShowStartupProblems(const TStartupProblems& problems)
{
    for (const std::string& problem : problems)
        platform::ShowMessageBox(problem, "Tarvo", platform::MbOk | platform::MbIconExclamation);
}

// The windows' run: the main window and the about dialog, created in this
// order, until the main window closes.
void RunWindows(const TStartupProblems& problems)
{
    std::unique_ptr<TSession> session;
    TFormMain formMain([&session](ITrayMenu& trayMenu) -> THotKeyRegistrar& {
        session = std::make_unique<TSession>(trayMenu, &CurrentHotKeyFile);
        return session->Registrar();
    });
    session->Registrar().DocumentFile = [] { return HotKeyFileName(); };
    session->Registrar().OutsideCommand = [](const THotTarvo& hotkey) {
        return std::vector<std::string>{platform::Services().Program->ProgramPath(), "--run",
                                        std::to_string(hotkey.ID)};
    };
    session->ServeCommands({[&formMain] { formMain.RestoreApplication(); }, [&formMain] { formMain.BtnReloadClick(); },
                            [] { return HotKeyFileName(); }});
    TFormInfo formInfo;
    formMain.FormInfo = &formInfo;
    // The window has asked its question already; the program ends at once.
    QObject::connect(&formMain, &TFormMain::Closed, qApp, [] { QCoreApplication::exit(0); });
    formMain.show();
    QTimer::singleShot(0, qApp, [&problems] { ShowStartupProblems(problems); });
    session->Run();
}

} // namespace

int main(int argc, char** argv)
{
    platform::ConnectToCallersConsole();
    const std::vector<std::string> arguments = platform::ProgramArguments(argc, argv);
    const std::string option = arguments.empty() ? "" : arguments[0];
    if (option == "--help") {
        std::cout << Usage;
        return 0;
    }
    if (option == "--version") {
        std::cout << "Tarvo " << version::Text << " (" << version::ReleaseDate << ")\n";
        return 0;
    }
    if (option == "--autostart") {
        const std::string state = arguments.size() > 1 ? arguments[1] : "";
        if (state != "on" && state != "off") {
            std::cerr << "tarvo: --autostart needs on or off\n";
            return 2;
        }
        try {
            SetAutostart(state == "on");
        } catch (const EAutostartError& error) {
            std::cerr << "tarvo: " << error.what() << "\n";
            return 1;
        }
        return 0;
    }
    if (option == "--run") {
        if (arguments.size() != 2) {
            std::cerr << "tarvo: --run needs the name or ID of a hotkey\n";
            return 2;
        }
        QCoreApplication application(argc, argv);
        try {
            RunInRunningProgram(arguments[1]);
        } catch (const ECommandBusError& error) {
            std::cerr << "tarvo: " << error.what() << "\n";
            return 1;
        }
        return 0;
    }
    // Qt's own start-up would end the program with a long report of its
    // platform plugins.
    if (const auto problem = WindowSystemProblem()) {
        std::cerr << "tarvo: needs an X display, but " << *problem << "\n";
        return 1;
    }

    QApplication application(argc, argv);
    QApplication::setWindowIcon(ProgramIcon());
    // The desktop finds the program's entry, name and icon by it.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(version::AppId));
    // The program ends when the main window closes, not when a message box
    // shown while it hides in the tray does.
    QApplication::setQuitOnLastWindowClosed(false);
    platform::qt::InstallQtMessageBox(platform::Services());

    // Qt has taken its own options out of argv (Windows' wide command line
    // still holds them).
    const TStartupProblems problems = StartUp(platform::ProgramArguments(argc, argv));
    // A second copy with the same file would overwrite the first one's saves.
    if (ShowRunningProgramWith(HotKeyFileName())) {
        FinalizeModules();
        return 0;
    }
    int status = 0;
    try {
        RunWindows(problems);
    } catch (const EWindowSystemError& error) {
        std::cerr << "tarvo: " << error.what() << "\n";
        status = 1;
    }
    FinalizeModules();
    return status;
}
