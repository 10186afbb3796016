// Run-or-raise on the headless sway that with-sway starts: native Wayland
// windows found through sway's tree by title, pattern and app id, and cycled.
#include <gtest/gtest.h>

#include "platform/fake/fakeservices.h"
#include "platform/sway/swaywindows.h"
#include "support/waylandwindows.h"

using namespace tarvo;

namespace {

TEST(SwayWindowsTest, WindowsAreFoundByTitlePatternAndAppIdAndCycled)
{
    if (const char* problem = std::getenv("TARVO_NO_SWAY"))
        GTEST_SKIP() << "no sway could be started here: " << problem;
    platform::TScopedFakeServices fakes;
    platform::Services().WindowSystem = std::make_unique<platform::sway::TSwaySearchWindows>(std::getenv("SWAYSOCK"));
    QProcessEnvironment environment;
    environment.insert("XDG_RUNTIME_DIR", qEnvironmentVariable("TARVO_SWAY_RUNTIME"));
    environment.insert("WAYLAND_DISPLAY", qEnvironmentVariable("TARVO_SWAY_WAYLAND_DISPLAY"));
    testsupport::TWaylandTestWindows windows(environment);
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

} // namespace
