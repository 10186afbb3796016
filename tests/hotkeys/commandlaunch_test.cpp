// What a hotkey does when it fires, against fake window and launcher services.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hotkeys/hotkey.h"
#include "platform/fake/fakeservices.h"
#include "support/logrecorder.h"

using namespace tarvo;
using platform::TFakeLauncher;
using platform::TShowCommand;
using platform::TTopLevelWindow;

namespace {

class CommandLaunch : public testing::Test {
protected:
    // Adds a command that opens file, or brings back a window titled like lookFor.
    THotKeyCommand& AddCommand(const std::string& file, const std::string& lookFor = "")
    {
        auto command = std::make_unique<THotKeyCommand>();
        command->FileName = file;
        command->LookForWindow = lookFor;
        THotKeyCommand& added = *command;
        hotkey.Commands->AddNew(std::move(command));
        return added;
    }

    std::vector<std::string> LaunchedFiles() const
    {
        std::vector<std::string> files;
        for (const auto& launch : fakes.Launcher.Launches)
            files.push_back(launch.File);
        return files;
    }

    platform::TScopedFakeServices fakes;
    THotTarvo hotkey;
};

TEST_F(CommandLaunch, ADeactivatedHotKeyRunsNothing)
{
    fakes.WindowSystem.Windows = {{1, "Editor"}};
    AddCommand("/usr/bin/editor", "Editor");
    AddCommand("/usr/bin/mail");
    hotkey.Enabled = false;
    hotkey.ExecuteHotKey();
    EXPECT_TRUE(fakes.Launcher.Launches.empty());
    EXPECT_TRUE(fakes.WindowSystem.Activated.empty());
}

TEST_F(CommandLaunch, CommandsRunInListOrderAndAFailureStopsNone)
{
    AddCommand("/docs/missing.odt").Name = "z last by name";
    AddCommand("/usr/bin/second").Name = "a first by name";
    AddCommand("/usr/bin/third");
    fakes.Launcher.Failing = {"/docs/missing.odt"};
    testsupport::TLogRecorder log;
    std::vector<std::string> reasons;
    hotkey.ExecuteHotKey([&](const THotKeyCommand& command, const TUserText& reason) {
        reasons.push_back(command.FileName + " | " + reason.English + " | " + reason.German);
    });
    EXPECT_EQ(LaunchedFiles(), (std::vector<std::string>{"/docs/missing.odt", "/usr/bin/second", "/usr/bin/third"}));
    EXPECT_EQ(log.Lines(), std::vector<std::string>{"tarvo.hotkeys: cannot start \"/docs/missing.odt\": no such file"});
    EXPECT_EQ(reasons,
              std::vector<std::string>{"/docs/missing.odt | cannot start \"/docs/missing.odt\": no such file | "
                                       "\"/docs/missing.odt\" kann nicht gestartet werden: die Datei gibt es "
                                       "nicht"});
}

TEST_F(CommandLaunch, AFoundWindowIsActivatedInsteadOfAStart)
{
    fakes.WindowSystem.Windows = {{7, "Mail"}, {8, "Unbenannt - Editor"}};
    AddCommand("/usr/bin/editor", "edit");
    hotkey.ExecuteHotKey();
    EXPECT_EQ(fakes.WindowSystem.Activated, std::vector<platform::TWindowId>{8});
    EXPECT_TRUE(fakes.Launcher.Launches.empty());

    fakes.WindowSystem.Windows = {{7, "Mail"}};
    fakes.WindowSystem.Activated.clear();
    hotkey.ExecuteHotKey();
    EXPECT_TRUE(fakes.WindowSystem.Activated.empty());
    EXPECT_EQ(LaunchedFiles(), std::vector<std::string>{"/usr/bin/editor"});
}

struct TSearchCase {
    const char* what;
    std::vector<TTopLevelWindow> windows; // topmost first
    std::string lookFor;
    platform::TWindowId expected; // 0: none found
};

TEST_F(CommandLaunch, WindowSearch)
{
    const std::string x197(197, 'x');
    std::string umlauts197;
    for (int i = 0; i < 197; ++i)
        umlauts197 += "ä";
    const std::vector<TSearchCase> cases = {
        {"a part of the title", {{1, "Unbenannt - Editor"}}, "edit", 1},
        {"case is ignored", {{1, "Unbenannt - Editor"}}, "EDITOR", 1},
        {"case is ignored beyond ASCII", {{1, "Übersicht"}}, "übersicht", 1},
        {"the topmost match wins", {{1, "Mail"}, {2, "Editor 2"}, {3, "Editor 1"}}, "Editor", 2},
        {"no match", {{1, "Mail"}}, "Editor", 0},
        {"a window without title is skipped", {{1, ""}, {2, "x"}}, "x", 2},
        {"only the first 199 characters count", {{1, x197 + "Editor"}}, "Ed", 1},
        {"past the 199th character", {{1, x197 + "Editor"}}, "Edi", 0},
        {"characters, not bytes", {{1, umlauts197 + "Editor"}}, "Ed", 1},
        {"a Windows-1252 title", {{1, "Caf\xE9 M\xFCller"}}, "CAFÉ MÜ", 1},
        {"a star in the text is an ordinary character", {{1, "ab"}, {2, "a*b"}}, "*b", 2},
        {"a question mark too", {{1, "ab"}, {2, "a?"}}, "?", 2},
        {"a pattern", {{1, "Editor"}, {2, "Editor 7"}}, "regex:editor \\d", 2},
        {"the focused match gives way to the lowest other",
         {{1, "Editor 1", "", "", true}, {2, "Mail"}, {3, "Editor 2"}, {4, "Editor 3"}},
         "Editor",
         4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fakes.WindowSystem.Windows = c.windows;
        fakes.WindowSystem.Activated.clear();
        fakes.Launcher.Launches.clear();
        hotkey.Commands = std::make_unique<TIDList>();
        AddCommand("/usr/bin/started", c.lookFor);
        hotkey.ExecuteHotKey();
        if (c.expected) {
            EXPECT_EQ(fakes.WindowSystem.Activated, std::vector<platform::TWindowId>{c.expected});
            EXPECT_TRUE(fakes.Launcher.Launches.empty());
        } else {
            EXPECT_TRUE(fakes.WindowSystem.Activated.empty());
            EXPECT_EQ(fakes.Launcher.Launches.size(), 1u);
        }
    }
}

TEST_F(CommandLaunch, AnInvalidPatternStartsNothingAndIsReported)
{
    fakes.WindowSystem.Windows = {{1, "Editor"}};
    AddCommand("/usr/bin/editor", "regex:(");
    std::vector<std::string> reasons;
    testsupport::TLogRecorder log;
    hotkey.ExecuteHotKey([&](const THotKeyCommand&, const TUserText& reason) { reasons.push_back(reason.German); });
    EXPECT_TRUE(fakes.Launcher.Launches.empty() && fakes.WindowSystem.Activated.empty());
    EXPECT_EQ(reasons, std::vector<std::string>{"der reguläre Ausdruck \"(\" ist ungültig"});
}

TEST_F(CommandLaunch, FileParametersAndDirectoryAreExpandedButNotTheWindowText)
{
    fakes.Environment.Variables = {{"TOOLS", "/opt/tools"}, {"TEMP", "/var/tmp"}, {"WHO", "Ann"}};
    fakes.WindowSystem.Windows = {{1, "Letter to Ann"}};
    THotKeyCommand& command = AddCommand("%TOOLS%/write", "to %WHO%");
    command.Parameters = "--to %WHO% --cc %NOBODY%";
    command.Directory = "%TEMP%";
    hotkey.ExecuteHotKey();
    ASSERT_EQ(fakes.Launcher.Launches.size(), 1u);
    EXPECT_EQ(fakes.Launcher.Launches[0],
              (TFakeLauncher::TLaunch{"/opt/tools/write", "--to Ann --cc %NOBODY%", "/var/tmp", TShowCommand::Normal}));
}

TEST_F(CommandLaunch, ExecModesBecomeShowCommands)
{
    const std::vector<std::pair<int32_t, TShowCommand>> modes = {
        {ExecNormal, TShowCommand::Normal},
        {ExecMaximized, TShowCommand::Maximized},
        {ExecMinimized, TShowCommand::Minimized},
        {ExecNormalNoActivate, TShowCommand::NormalNoActivate},
        {ExecMinimizedNoActivate, TShowCommand::MinimizedNoActivate},
        {5, TShowCommand::Normal}, // never written by the program
    };
    for (const auto& [mode, show] : modes) {
        AddCommand("/usr/bin/tool").ExecMode = mode;
        hotkey.ExecuteHotKey();
        hotkey.Commands = std::make_unique<TIDList>();
        ASSERT_FALSE(fakes.Launcher.Launches.empty());
        EXPECT_EQ(fakes.Launcher.Launches.back().Show, show) << "ExecMode " << mode;
    }
}

} // namespace
