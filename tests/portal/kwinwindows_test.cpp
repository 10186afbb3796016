// Run-or-raise on a real KDE Plasma desktop, which with-kde starts headless:
// native Wayland windows found through KWin's scripting by title, pattern
// and app id, brought back from minimised, and cycled; programs started with
// a show command shown as it says.
#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QJsonDocument>
#include <QJsonObject>

#include "platform/fake/fakeservices.h"
#include "platform/kwin/kwinlauncher.h"
#include "platform/kwin/kwinwindows.h"
#include "support/eventloop.h"
#include "support/testsupport.h"
#include "support/waylandwindows.h"

using namespace tarvo;

namespace {

TEST(KWinWindowsTest, WindowsAreFoundByTitlePatternAndAppIdAndCycled)
{
    if (const char* problem = std::getenv("TARVO_NO_KDE"))
        GTEST_SKIP() << "no KDE desktop could be started here: " << problem;
    ASSERT_TRUE(platform::kwin::KWinOffersScripting(QDBusConnection::sessionBus()));
    platform::TScopedFakeServices fakes;
    platform::Services().WindowSystem = std::make_unique<platform::kwin::TKWinWindowSystem>(
        std::make_shared<platform::kwin::TKWinScripts>(QDBusConnection::sessionBus()));
    testsupport::TWaylandTestWindows windows(QProcessEnvironment::systemEnvironment());
    ASSERT_TRUE(windows.Open("Alpha notes", "org.tarvo.TestNotes", true));
    ASSERT_TRUE(windows.Open("Beta chat (3)", "org.tarvo.TestChat"));
    ASSERT_TRUE(windows.Open("Gamma chat", "org.tarvo.TestChat"));
    EXPECT_EQ(windows.Find("Alpha notes")->Class, "org.tarvo.TestNotes");

    const struct {
        std::string lookFor;
        std::string raised;
    } presses[] = {
        {"ALPHA", "Alpha notes"}, // raised from minimised
        {"regex:chat \\(\\d+\\)$", "Beta chat (3)"},
        {"class:org.tarvo.testnotes", "Alpha notes"},
        {"class:org.tarvo.TestChat", "Beta chat (3)"}, // the topmost chat window
        {"class:org.tarvo.TestChat", "Gamma chat"},    // it had the focus: the other one
        {"class:org.tarvo.TestChat", "Beta chat (3)"},
    };
    for (const auto& press : presses)
        EXPECT_EQ(windows.Press(press.lookFor), press.raised) << press.lookFor;
    EXPECT_TRUE(fakes.Launcher.Launches.empty()) << "nothing was started";
}

// How KWin shows the window with the title.
struct TKWinWindowState {
    bool Found = false;
    bool Minimized = false;
    bool Maximized = false;
    bool Active = false;
    bool operator==(const TKWinWindowState&) const = default;
};

TKWinWindowState WindowState(platform::kwin::TKWinScripts& scripts, const std::string& title)
{
    const QString script = QStringLiteral(R"(
var found = {found: false};
workspace.clientList().forEach(function (c) {
    if (c.caption !== TITLE)
        return;
    var area = workspace.clientArea(KWin.MaximizeArea, c);
    found = {found: true, minimized: c.minimized, active: c === workspace.activeClient,
             maximized: c.frameGeometry.width >= area.width && c.frameGeometry.height >= area.height};
});
answer(JSON.stringify(found));
)")
                               .replace("TITLE", platform::kwin::JsString(QString::fromStdString(title)));
    const QJsonObject state = QJsonDocument::fromJson(scripts.Run(script, true).value_or("{}").toUtf8()).object();
    return {state["found"].toBool(), state["minimized"].toBool(), state["maximized"].toBool(),
            state["active"].toBool()};
}

TEST(KWinWindowsTest, StartedProgramsShowTheirFirstWindowAsTheCommandSays)
{
    if (const char* problem = std::getenv("TARVO_NO_KDE"))
        GTEST_SKIP() << "no KDE desktop could be started here: " << problem;
    auto scripts = std::make_shared<platform::kwin::TKWinScripts>(QDBusConnection::sessionBus());
    platform::TScopedFakeServices fakes;
    platform::Services().WindowSystem = std::make_unique<platform::kwin::TKWinWindowSystem>(scripts);
    testsupport::TWaylandTestWindows windows(QProcessEnvironment::systemEnvironment());
    ASSERT_TRUE(windows.Open("Keeper", "org.tarvo.TestKeeper"));
    // The started programs inherit the test's environment.
    testsupport::TScopedEnvironmentVariable platform("QT_QPA_PLATFORM", "wayland");

    platform::kwin::TKWinLauncher launcher(scripts);
    const struct {
        platform::TShowCommand Show;
        std::string Title;
        TKWinWindowState State;
    } launches[] = {
        {platform::TShowCommand::Maximized, "Maximised", {true, false, true, true}},
        {platform::TShowCommand::NormalNoActivate, "Quiet", {true, false, false, false}},
        {platform::TShowCommand::Minimized, "Minimised", {true, true, false, false}},
        {platform::TShowCommand::MinimizedNoActivate, "Silent", {true, true, false, false}},
    };
    for (const auto& launch : launches) {
        launcher.Execute(TESTWINDOW_PATH, "'" + launch.Title + "' org.tarvo.TestLaunched", "", launch.Show);
        launcher.WaitForShowCommands();
        // A maximised window takes its size once it has drawn itself anew.
        testsupport::Until([&] { return WindowState(*scripts, launch.Title) == launch.State; }, 5000);
        EXPECT_TRUE(WindowState(*scripts, launch.Title) == launch.State) << launch.Title;
    }
    EXPECT_TRUE(WindowState(*scripts, "Maximised").Active) << "the no-activate windows left the focus where it was";
    EXPECT_EQ(windows.Press("Minimised"), "Minimised") << "a hotkey brings a minimised window back";
    scripts->Run(R"(workspace.clientList().forEach(function (c) {
    if (c.desktopFileName === "org.tarvo.TestLaunched")
        c.closeWindow();
});)",
                 false);
}

} // namespace
