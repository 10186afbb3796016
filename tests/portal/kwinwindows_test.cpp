// Run-or-raise on a real KDE Plasma desktop, which with-kde starts headless:
// native Wayland windows found through KWin's scripting by title, pattern
// and app id, brought back from minimised, and cycled.
#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QProcess>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "hotkeys/hotkey.h"
#include "platform/fake/fakeservices.h"
#include "platform/kwin/kwinwindows.h"
#include "portaltestsupport.h"

using namespace tarvo;
using testsupport::Until;

namespace {

constexpr int Patience = 15000;

class KWinWindowsTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (const char* problem = std::getenv("TARVO_NO_KDE"))
            GTEST_SKIP() << "no KDE desktop could be started here: " << problem;
        ASSERT_TRUE(platform::kwin::KWinOffersScripting(QDBusConnection::sessionBus()));
        platform::Services().WindowSystem =
            std::make_unique<platform::kwin::TKWinWindowSystem>(QDBusConnection::sessionBus());
    }
    void TearDown() override
    {
        for (auto& window : windows_) {
            window->terminate();
            window->waitForFinished(Patience);
        }
    }

    void Open(const QString& title, const QString& appId, bool minimized = false)
    {
        auto& window = windows_.emplace_back(std::make_unique<QProcess>());
        auto environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "wayland");
        window->setProcessEnvironment(environment);
        window->start(TESTWINDOW_PATH, {title, appId, minimized ? "minimized" : "shown"});
        ASSERT_TRUE(Until([&] { return Listed(title.toStdString()); }, Patience)) << title.toStdString();
    }
    std::vector<platform::TTopLevelWindow> Windows() const
    {
        return platform::Services().WindowSystem->TopLevelWindows();
    }
    bool Listed(const std::string& title) const
    {
        const auto windows = Windows();
        return std::ranges::any_of(windows, [&](const auto& window) { return window.Title == title; });
    }
    std::string ActiveTitle() const
    {
        for (const auto& window : Windows())
            if (window.Active)
                return window.Title;
        return {};
    }
    // Runs a hotkey whose one command looks for the window text, and returns
    // the title of the window that has the focus afterwards.
    std::string Press(const std::string& lookFor)
    {
        THotTarvo hotkey;
        auto command = std::make_unique<THotKeyCommand>();
        command->FileName = "/nonexistent";
        command->LookForWindow = lookFor;
        hotkey.Commands->Add(std::move(command));
        const std::string before = ActiveTitle();
        hotkey.ExecuteHotKey();
        Until([&] { return ActiveTitle() != before; }, 3000);
        return ActiveTitle();
    }

    platform::TScopedFakeServices fakes_;
    std::vector<std::unique_ptr<QProcess>> windows_;
};

TEST_F(KWinWindowsTest, WindowsAreFoundByTitlePatternAndAppIdAndCycled)
{
    Open("Alpha notes", "org.tarvo.TestNotes", true);
    Open("Beta chat (3)", "org.tarvo.TestChat");
    Open("Gamma chat", "org.tarvo.TestChat");
    const auto windows = Windows();
    const auto alpha = std::ranges::find_if(windows, [](const auto& window) { return window.Title == "Alpha notes"; });
    ASSERT_NE(alpha, windows.end());
    EXPECT_EQ(alpha->Class, "org.tarvo.TestNotes");

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
        EXPECT_EQ(Press(press.lookFor), press.raised) << press.lookFor;
    EXPECT_TRUE(fakes_.Launcher.Launches.empty()) << "nothing was started";
}

} // namespace
