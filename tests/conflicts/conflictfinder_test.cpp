// The conflict finder against the real stores that with-stores starts:
// kglobalaccel, GSettings with the machine's schemas, xfconfd, a running
// sxhkd and xbindkeys, and a Tarvo started here. Each store spells
// combinations its own way; the finder must meet them all.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QThread>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "conflicts/conflictfinder.h"
#include "platform/virtualkeys.h"
#include "support/testsupport.h"
#include "support/toolsupport.h"

using namespace tarvo;
using namespace tarvo::conflicts;
using Texts = std::vector<std::string>;

namespace {

constexpr TShortCut Ctrl = ShortCutCtrl;
constexpr TShortCut Alt = ShortCutAlt;
constexpr TShortCut Shift = ShortCutShift;

std::vector<std::unique_ptr<IHolderSource>> EverySource()
{
    std::vector<std::unique_ptr<IHolderSource>> sources;
    sources.push_back(KdeGlobalShortcuts());
    for (TGSettingsDesktop desktop : {TGSettingsDesktop::Gnome, TGSettingsDesktop::Cinnamon, TGSettingsDesktop::Mate})
        sources.push_back(GSettingsKeybindings(desktop));
    sources.push_back(XfceKeyboardShortcuts());
    sources.push_back(RunningHotKeyPrograms());
    sources.push_back(OtherTarvos());
    return sources;
}

Texts HoldersOf(const TConflictFinder& finder, TShortCut shortcut)
{
    Texts texts;
    for (const THolder& holder : finder.Holders(shortcut))
        texts.push_back(HolderText(holder, false, false));
    return texts;
}

// The file sxhkd was started with, beside the private home.
std::string SxhkdConfig()
{
    return (std::filesystem::path(std::getenv("HOME")).parent_path() / "sxhkd" / "sxhkdrc").string();
}

TEST(ConflictFinder, NamesTheHoldersInEveryStoreWhateverTheSpelling)
{
    ASSERT_TRUE(std::getenv("DISPLAY")) << "sxhkd and xbindkeys need the X server of scripts/with-xvfb";
    const TConflictFinder finder(EverySource());
    const struct {
        TShortCut shortcut;
        Texts holders;
    } rows[] = {
        // Ctrl+Alt+R: Qt's key code, "<Primary><Alt>r", "<Alt><Control>r",
        // "alt + ctrl + r"
        {Ctrl | Alt | 'R',
         {"held by KDE: Spectacle — Capture Rectangular Region", "held by GNOME: Take a note",
          "held by Xfce: xfce4-screenshooter -r", "held by sxhkd: scrot -s"}},
        // The keypad's + ("Ctrl+Num++", "<Control>KP_Add", "ctrl + KP_Add"),
        // which the = key is not.
        {Ctrl | platform::VkAdd, {"held by KDE: KWin — Zoom In", "held by Cinnamon: Louder",
                                  "held by sxhkd: amixer set Master 5%+"}},
        {Ctrl | platform::VkOemPlus, {}},
        // The schemas' defaults and a window manager's default set.
        {Alt | platform::VkF1 + 3,
         {"held by KDE: KWin — Close Window", "held by GNOME: Close window", "held by Cinnamon: Close window",
          "held by MATE: Close window", "held by Xfce: close_window_key"}},
        {Alt | platform::VkSnapshot,
         {"held by GNOME: Take a screenshot of a window", "held by Cinnamon: Take a screenshot of a window",
          "held by MATE: Take a screenshot of a window"}},
        // xbindkeys's default file, "Mod1 + Shift + F5"; Xfce's custom set of
        // the window manager counts only once it overrides the defaults.
        {Alt | Shift | platform::VkF1 + 4, {"held by xbindkeys: xdotool key F5"}},
        {Alt | platform::VkF1 + 4,
         {"held by GNOME: Restore window", "held by Cinnamon: Restore window", "held by MATE: Restore window"}},
        // Xfce's default commands, overridden by its custom ones; a Tarvo's
        // own shortcut in KDE's list; sxhkd's Super binding.
        {Alt | platform::VkF1 + 2, {}},
        {Ctrl | Alt | 'J', {}},
        {'E', {}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(HoldersOf(finder, row.shortcut), row.holders) << ShortcutText(row.shortcut);
}

using THotKeys = std::vector<std::pair<std::string, TShortCut>>;

// A hotkey file in dir with the hotkeys (names and combinations); its path.
std::string Write(const testsupport::TempDir& dir, const std::string& name, const THotKeys& hotkeys)
{
    THotKeyFile document;
    for (const auto& [hotkeyName, shortcut] : hotkeys) {
        auto hotkey = std::make_unique<THotTarvo>();
        hotkey->Name = hotkeyName;
        hotkey->HotKey = shortcut;
        document.HotKeyList->Add(std::move(hotkey));
    }
    WriteHotKeyDocument(document, dir.File(name));
    return dir.File(name);
}

// A Tarvo with a file of its own, ended with the test.
class TOtherTarvo {
public:
    explicit TOtherTarvo(const std::string& file)
    {
        process_.setProgram(TARVO_PATH);
        process_.setArguments({QString::fromStdString(file)});
        process_.start();
        const QDBusConnection bus = QDBusConnection::sessionBus();
        for (int tries = 0; tries < 300 && !bus.interface()->isServiceRegistered("org.tarvo.Tarvo").value(); ++tries)
            QThread::msleep(50);
    }
    ~TOtherTarvo()
    {
        process_.terminate();
        if (!process_.waitForFinished(10000))
            process_.kill();
        process_.waitForFinished();
    }

private:
    QProcess process_;
};

TEST(ConflictFinder, OtherTarvosAndTvotoolCheckNameTheHoldersOfAFile)
{
    const testsupport::TempDir dir;
    const auto write = [&](const std::string& name, const THotKeys& hotkeys) { return Write(dir, name, hotkeys); };
    // The other Tarvo holds Ctrl+Alt+G; sxhkd refuses it Ctrl+Alt+R.
    const std::string other = write("other.tvo", {{"Grab", Ctrl | Alt | 'G'}, {"Region", Ctrl | Alt | 'R'}});
    const TOtherTarvo tarvo(other);
    const TConflictFinder finder(EverySource());
    EXPECT_EQ(HoldersOf(finder, Ctrl | Alt | 'G'), Texts{"held by Tarvo: Grab"});
    EXPECT_EQ(HoldersOf(finder, Ctrl | Alt | 'R').size(), 4u) << "a refused hotkey holds nothing";

    const std::string checked = write("keys.tvo", {{"Note", Ctrl | Alt | 'R'},
                                                   {"Close", Alt | platform::VkF1 + 3},
                                                   {"Again", Alt | platform::VkF1 + 3},
                                                   {"Grabbed", Ctrl | Alt | 'G'},
                                                   {"Free", Ctrl | Alt | 'Q'}});
    ::setenv("XDG_CURRENT_DESKTOP", "ubuntu:GNOME", 1);
    const testsupport::TToolRun run = testsupport::RunTool({"check", checked}, dir);
    ::unsetenv("XDG_CURRENT_DESKTOP");
    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_EQ(run.out,
              "\"Note\" (Strg+Alt+R): held by KDE: Spectacle — Capture Rectangular Region "
              "(System Settings > Keyboard > Shortcuts)\n"
              "\"Note\" (Strg+Alt+R): held by Xfce: xfce4-screenshooter -r "
              "(Settings > Keyboard > Application Shortcuts)\n"
              "\"Note\" (Strg+Alt+R): held by GNOME: Take a note (Settings > Keyboard > Keyboard Shortcuts)\n"
              "\"Note\" (Strg+Alt+R): held by sxhkd: scrot -s ("
                  + SxhkdConfig()
                  + ")\n"
                    "\"Close\" (Alt+F4): held by KDE: KWin — Close Window (System Settings > Keyboard > Shortcuts)\n"
                    "\"Close\" (Alt+F4): held by Xfce: close_window_key (Settings > Window Manager > Keyboard)\n"
                    "\"Close\" (Alt+F4): held by GNOME: Close window (Settings > Keyboard > Keyboard Shortcuts)\n"
                    "\"Close\" (Alt+F4): used twice in this file: also by the hotkey \"Again\"\n"
                    "\"Again\" (Alt+F4): held by KDE: KWin — Close Window (System Settings > Keyboard > Shortcuts)\n"
                    "\"Again\" (Alt+F4): held by Xfce: close_window_key (Settings > Window Manager > Keyboard)\n"
                    "\"Again\" (Alt+F4): held by GNOME: Close window (Settings > Keyboard > Keyboard Shortcuts)\n"
                    "\"Again\" (Alt+F4): used twice in this file: also by the hotkey \"Close\"\n"
                    "\"Grabbed\" (Strg+Alt+G): held by Tarvo: Grab (the Tarvo that has "
                  + other + " open)\n");
}

TEST(ConflictFinder, ListenNamesWhoHoldsARefusedCombination)
{
    const testsupport::TempDir dir;
    QProcess listen;
    listen.start(TVOTOOL_PATH, {"listen", QString::fromStdString(Write(dir, "keys.tvo", {{"Note", Ctrl | Alt | 'R'}}))});
    ASSERT_TRUE(listen.waitForReadyRead(20000)) << "tvotool listen did not start";
    listen.terminate();
    ASSERT_TRUE(listen.waitForFinished(20000));
    EXPECT_EQ(listen.readAllStandardError().toStdString(),
              "tvotool: hotkey \"Note\" (Strg+Alt+R) is not registered: the combination is held by another program "
              "or another hotkey\n"
              "tvotool:   held by KDE: Spectacle — Capture Rectangular Region (System Settings > Keyboard > Shortcuts)\n"
              "tvotool:   held by Xfce: xfce4-screenshooter -r (Settings > Keyboard > Application Shortcuts)\n"
              "tvotool:   held by sxhkd: scrot -s ("
                  + SxhkdConfig() + ")\n");
}

} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    QCoreApplication application(argc, argv);
    InitHotKeyFileClasses();
    return RUN_ALL_TESTS();
}
