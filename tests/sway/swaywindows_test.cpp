// Run-or-raise on the headless sway that with-sway starts: native Wayland
// windows found through sway's tree by title, pattern and app id, and cycled;
// programs started with a show command shown as it says.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "platform/fake/fakeservices.h"
#include "platform/sway/swayconnection.h"
#include "platform/sway/swaylauncher.h"
#include "platform/sway/swaywindows.h"
#include "support/testsupport.h"
#include "support/waylandwindows.h"

using namespace tarvo;

namespace {

// The environment of sway's clients.
QProcessEnvironment SwayClientEnvironment()
{
    QProcessEnvironment environment;
    environment.insert("XDG_RUNTIME_DIR", qEnvironmentVariable("TARVO_SWAY_RUNTIME"));
    environment.insert("WAYLAND_DISPLAY", qEnvironmentVariable("TARVO_SWAY_WAYLAND_DISPLAY"));
    return environment;
}

// How sway shows the window with the title.
struct TSwayWindowState {
    bool Found = false;
    std::string Workspace;
    bool Fullscreen = false;
    bool Focused = false;
};

void FindWindowState(const QJsonObject& node, const QString& title, const QString& workspace, TSwayWindowState& state)
{
    const QString here = node["type"].toString() == "workspace" ? node["name"].toString() : workspace;
    if (node["name"].toString() == title && node["pid"].toInteger() > 0)
        state = {true, here.toStdString(), node["fullscreen_mode"].toInt() == 1, node["focused"].toBool()};
    for (const char* children : {"nodes", "floating_nodes"})
        for (const QJsonValue& child : node[QLatin1String(children)].toArray())
            FindWindowState(child.toObject(), title, here, state);
}

TSwayWindowState WindowState(platform::sway::TSwayConnection& sway, const std::string& title)
{
    constexpr uint32_t GetTree = 4;
    TSwayWindowState state;
    FindWindowState(QJsonDocument::fromJson(sway.Request(GetTree, {})).object(), QString::fromStdString(title), {},
                    state);
    return state;
}

TEST(SwayWindowsTest, WindowsAreFoundByTitlePatternAndAppIdAndCycled)
{
    if (const char* problem = std::getenv("TARVO_NO_SWAY"))
        GTEST_SKIP() << "no sway could be started here: " << problem;
    platform::TScopedFakeServices fakes;
    platform::Services().WindowSystem = std::make_unique<platform::sway::TSwaySearchWindows>(std::getenv("SWAYSOCK"));
    testsupport::TWaylandTestWindows windows(SwayClientEnvironment());
    ASSERT_TRUE(windows.Open("Alpha notes", "org.tarvo.TestNotes"));
    ASSERT_TRUE(windows.Open("Beta chat (3)", "org.tarvo.TestChat"));
    ASSERT_TRUE(windows.Open("Gamma chat", "org.tarvo.TestChat"));
    EXPECT_EQ(windows.Find("Alpha notes")->Class, "org.tarvo.TestNotes");

    const struct {
        std::string lookFor;
        std::string raised;
    } presses[] = {
        {"ALPHA", "Alpha notes"},
        {"regex:chat \\(\\d+\\)$", "Beta chat (3)"},
        {"class:org.tarvo.TestChat", "Gamma chat"}, // Beta had the focus: the other one
        {"class:org.tarvo.TestChat", "Beta chat (3)"},
        {"class:org.tarvo.testnotes", "Alpha notes"},
    };
    for (const auto& press : presses)
        EXPECT_EQ(windows.Press(press.lookFor), press.raised) << press.lookFor;
    EXPECT_TRUE(fakes.Launcher.Launches.empty()) << "nothing was started";
}

// Sway has no minimised windows: those go to the scratchpad, from where a
// hotkey brings them back; maximised ones fill the output; the no-activate
// ones leave the focus where it was.
TEST(SwayWindowsTest, StartedProgramsShowTheirFirstWindowAsTheCommandSays)
{
    if (const char* problem = std::getenv("TARVO_NO_SWAY"))
        GTEST_SKIP() << "no sway could be started here: " << problem;
    platform::TScopedFakeServices fakes;
    platform::Services().WindowSystem = std::make_unique<platform::sway::TSwaySearchWindows>(std::getenv("SWAYSOCK"));
    platform::sway::TSwayConnection sway(std::getenv("SWAYSOCK"));
    testsupport::TWaylandTestWindows windows(SwayClientEnvironment());
    ASSERT_TRUE(windows.Open("Keeper", "org.tarvo.TestKeeper"));
    // The started programs inherit the test's environment.
    testsupport::TScopedEnvironmentVariable runtime("XDG_RUNTIME_DIR", std::getenv("TARVO_SWAY_RUNTIME"));
    testsupport::TScopedEnvironmentVariable display("WAYLAND_DISPLAY", std::getenv("TARVO_SWAY_WAYLAND_DISPLAY"));
    testsupport::TScopedEnvironmentVariable platform("QT_QPA_PLATFORM", "wayland");

    platform::sway::TSwayLauncher launcher(std::getenv("SWAYSOCK"));
    const struct {
        platform::TShowCommand Show;
        std::string Title;
        std::string Workspace;
        bool Fullscreen;
        bool Focused;
    } launches[] = {
        {platform::TShowCommand::Maximized, "Maximised", "1", true, true},
        {platform::TShowCommand::NormalNoActivate, "Quiet", "1", false, false},
        {platform::TShowCommand::Minimized, "Minimised", "__i3_scratch", false, false},
        {platform::TShowCommand::MinimizedNoActivate, "Silent", "__i3_scratch", false, false},
    };
    for (const auto& launch : launches) {
        launcher.Execute(TESTWINDOW_PATH, "'" + launch.Title + "' org.tarvo.TestLaunched", "", launch.Show);
        launcher.WaitForShowCommands();
        const TSwayWindowState state = WindowState(sway, launch.Title);
        EXPECT_TRUE(state.Found) << launch.Title;
        EXPECT_EQ(state.Workspace, launch.Workspace) << launch.Title;
        EXPECT_EQ(state.Fullscreen, launch.Fullscreen) << launch.Title;
        EXPECT_EQ(state.Focused, launch.Focused) << launch.Title;
    }
    EXPECT_TRUE(WindowState(sway, "Maximised").Focused) << "the no-activate windows left the focus where it was";
    EXPECT_EQ(windows.Press("Minimised"), "Minimised") << "a hotkey brings a minimised window back";
    sway.Request(platform::sway::SwayRunCommand, R"([app_id="org.tarvo.TestLaunched"] kill)");
}

} // namespace
