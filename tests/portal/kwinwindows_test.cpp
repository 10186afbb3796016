// Run-or-raise on a real KDE Plasma desktop, which with-kde starts headless:
// native Wayland windows found through KWin's scripting by title, pattern
// and app id, brought back from minimised, and cycled.
#include <gtest/gtest.h>

#include <QDBusConnection>

#include "platform/fake/fakeservices.h"
#include "platform/kwin/kwinwindows.h"
#include "support/waylandwindows.h"

using namespace tarvo;

namespace {

TEST(KWinWindowsTest, WindowsAreFoundByTitlePatternAndAppIdAndCycled)
{
    if (const char* problem = std::getenv("TARVO_NO_KDE"))
        GTEST_SKIP() << "no KDE desktop could be started here: " << problem;
    ASSERT_TRUE(platform::kwin::KWinOffersScripting(QDBusConnection::sessionBus()));
    platform::TScopedFakeServices fakes;
    platform::Services().WindowSystem =
        std::make_unique<platform::kwin::TKWinWindowSystem>(QDBusConnection::sessionBus());
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

} // namespace
