// Starting programs: arguments, working directory, scripts, detaching, and
// the show commands applied to the started program's window.
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "launchtest.h"
#include "platform/childreaper.h"
#include "platform/launcher.h"
#include "platform/services.h"
#include "support/logrecorder.h"

using namespace tarvo;
using namespace tarvo::launchtest;

namespace {

using TLines = std::vector<std::string>;

TEST_F(LaunchTest, ParametersArriveAsArgumentsInTheWorkingDirectory)
{
    testsupport::TScopedEnvironmentVariable probeDirectory("PROBE_DIR",
                                                           std::filesystem::path(LAUNCH_PROBE_PATH).parent_path());
    const std::string report = scratch.File("report");
    AddCommand("%PROBE_DIR%/launch_probe", report + " 'a b' \"c \\\"d\\\"\" e\\ f '' $HOME *").Directory =
        scratch.Path().string();
    hotkey.ExecuteHotKey();
    const TLines lines = ReportLines(report);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0], "cwd " + scratch.Path().string());
    EXPECT_EQ(TLines(lines.begin() + 2, lines.end()),
              (TLines{"arg a b", "arg c \"d\"", "arg e f", "arg ", "arg $HOME", "arg *"}));
}

TEST_F(LaunchTest, AScriptWithoutExecutePermissionRunsWithTheShell)
{
    const std::string script = scratch.File("script");
    testsupport::WriteTextFile(script, "#!/bin/sh\nexec '" LAUNCH_PROBE_PATH "' \"$@\"\n");
    ::chmod(script.c_str(), 0644);
    const std::string report = scratch.File("report");
    AddCommand(script, report + " 'x y'");
    hotkey.ExecuteHotKey();
    const TLines lines = ReportLines(report);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2], "arg x y");
}

TEST_F(LaunchTest, ADesktopEntryRunsItsExecKeyInItsPath)
{
    const std::string report = scratch.File("report");
    const std::string entry = scratch.File("probe.desktop");
    std::filesystem::create_directory(scratch.Path() / "work");
    testsupport::WriteTextFile(entry,
                               "[Desktop Entry]\nType=Application\nName=Probe\nPath=" + scratch.File("work")
                                   + "\nExec=\"" LAUNCH_PROBE_PATH "\" " + report + " %c %F --end\n");
    AddCommand(entry, "'a b' c");
    hotkey.ExecuteHotKey();
    const TLines lines = ReportLines(report);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "cwd " + scratch.File("work"));
    EXPECT_EQ(TLines(lines.begin() + 2, lines.end()), (TLines{"arg Probe", "arg a b", "arg c", "arg --end"}));
}

TEST_F(LaunchTest, AFailedCommandReportsOneLineAndTheNextOneRuns)
{
    const std::string report = scratch.File("report");
    AddCommand("/nonexistent/tool");
    AddCommand(LAUNCH_PROBE_PATH).Directory = scratch.File("missing");
    AddCommand(LAUNCH_PROBE_PATH, report);
    testsupport::TLogRecorder log;
    hotkey.ExecuteHotKey();
    EXPECT_FALSE(ReportLines(report).empty());
    EXPECT_EQ(log.Lines(),
              (std::vector<std::string>{"tarvo.hotkeys: cannot open \"/nonexistent/tool\": no such file",
                                        "tarvo.hotkeys: cannot open \"" LAUNCH_PROBE_PATH "\": the directory \""
                                            + scratch.File("missing") + "\" does not exist"}));
}

// A bare name not on PATH is looked for in the working directory; when that
// directory has been removed, finding it fails with a file-system error,
// which must stop no more than a launch error does.
TEST_F(LaunchTest, AWorkingDirectoryThatIsGoneStopsNoCommand)
{
    const std::filesystem::path gone = scratch.Path() / "gone";
    std::filesystem::create_directory(gone);
    const std::string report = scratch.File("report");
    AddCommand("tarvo-no-such-program");
    AddCommand(LAUNCH_PROBE_PATH, report).Directory = scratch.Path().string();
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(gone);
    std::filesystem::remove(gone);
    testing::internal::CaptureStderr();
    EXPECT_NO_THROW(hotkey.ExecuteHotKey());
    const std::string diagnostics = testing::internal::GetCapturedStderr();
    std::filesystem::current_path(previous);
    EXPECT_NE(diagnostics.find("tarvo-no-such-program"), std::string::npos) << diagnostics;
    EXPECT_FALSE(ReportLines(report).empty());
}

TEST_F(LaunchTest, StartedProgramsInheritNoDescriptorsAndLeaveNoZombie)
{
    const int inheritable = ::open("/dev/null", O_RDONLY); // deliberately without O_CLOEXEC
    const std::string report = scratch.File("report");
    AddCommand(LAUNCH_PROBE_PATH, report);
    hotkey.ExecuteHotKey();
    const TLines lines = ReportLines(report);
    ::close(inheritable);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[1], "fds 0 1 2");
    // Reaped when the reaper's descriptor wakes up, as in the session's event loop.
    platform::TChildReaper& reaper = platform::ChildReaper();
    EXPECT_TRUE(WaitFor([&] {
        pollfd watched{reaper.Descriptor(), POLLIN, 0};
        if (::poll(&watched, 1, 0) > 0)
            reaper.ReapEnded();
        return testsupport::ChildStates(::getpid(), "launch_probe").empty();
    }));
}

// Runs every show-command test without a window manager and under each one.
class ShowCommands : public LaunchTestUnderWm {
protected:
    void TearDown() override { StopProbe(); }

    // Ends the program of the window, whether or not it names its process.
    void StopProbe()
    {
        if (probeWindow) {
            xcb_kill_client(display->Xcb(), *probeWindow);
            xcb_flush(display->Xcb());
        }
        probeWindow.reset();
    }

    // Starts a program that shows a window, with the show mode; TITLE in its
    // parameters stands for the window's title, which is returned.
    std::string Launch(TExecMode mode, const std::string& file, std::string parameters)
    {
        const std::string title = "probe " + std::to_string(::getpid()) + " " + std::to_string(++launches);
        parameters.replace(parameters.find("TITLE"), 5, "'" + title + "'");
        hotkey.Commands = std::make_unique<TIDList>();
        AddCommand(file, parameters).ExecMode = mode;
        hotkey.ExecuteHotKey();
        return title;
    }

    // Waits until the show mode has been applied; the window is then in probeWindow.
    void AwaitWindow(const std::string& title)
    {
        platform::Services().Launcher->WaitForShowCommands();
        ASSERT_TRUE(WaitFor([&] { return (probeWindow = display->WindowTitled(title)).has_value(); }));
    }

    void Start(TExecMode mode, const std::string& file = LAUNCH_PROBE_PATH,
               const std::string& parameters = "--window TITLE")
    {
        AwaitWindow(Launch(mode, file, parameters));
    }

    // A window of the test that has the focus before the start.
    void ShowActiveWindow(const TTestWindow& window)
    {
        AddCommand("/nonexistent", "", display->NetWmName(window.Id()));
        hotkey.ExecuteHotKey();
        hotkey.Commands = std::make_unique<TIDList>();
        ASSERT_TRUE(WaitFor([&] { return display->ActiveWindow(WindowManager()) == window.Id(); }));
    }

    bool IsMaximized(xcb_window_t window) const
    {
        if (WindowManager())
            return display->HasState(window, "_NET_WM_STATE_MAXIMIZED_VERT")
                && display->HasState(window, "_NET_WM_STATE_MAXIMIZED_HORZ");
        return display->OuterSize(window)
            == std::pair<int, int>(display->Screen().width_in_pixels, display->Screen().height_in_pixels);
    }

    bool IsMinimized(xcb_window_t window) const { return display->IsIconic(window) && !display->IsViewable(window); }

    std::optional<xcb_window_t> probeWindow;
    int launches = 0;
};

TEST_P(ShowCommands, Maximized)
{
    Start(ExecMaximized);
    EXPECT_TRUE(WaitFor([&] { return IsMaximized(*probeWindow); }));
}

TEST_P(ShowCommands, Minimized)
{
    Start(ExecMinimized);
    EXPECT_TRUE(WaitFor([&] { return IsMinimized(*probeWindow); }));
}

TEST_P(ShowCommands, NoActivateModesLeaveTheFocusWhereItWas)
{
    TTestWindow previous(*display, "Previous");
    previous.Show();
    ShowActiveWindow(previous);
    Start(ExecNormalNoActivate);
    EXPECT_TRUE(WaitFor(
        [&] { return display->IsViewable(*probeWindow) && display->ActiveWindow(WindowManager()) == previous.Id(); }));
    StopProbe();

    Start(ExecMinimizedNoActivate);
    EXPECT_TRUE(
        WaitFor([&] { return IsMinimized(*probeWindow) && display->ActiveWindow(WindowManager()) == previous.Id(); }));
}

// Windows that do not name the started process in _NET_WM_PID: of an Xt
// program, which names no process; of a program a script started; with the
// launch's startup id, naming another process.
TEST_P(ShowCommands, ProgramsThatDoNotNameTheStartedProcessAreReached)
{
    const std::string script = scratch.File("wrapper");
    testsupport::WriteTextFile(script, "#!/bin/sh\n'" LAUNCH_PROBE_PATH "' --window \"$1\"\nexit 0\n");
    const std::pair<std::string, std::string> programs[] = {
        {"xmessage", "-title TITLE hello"},
        {script, "TITLE"},
        {LAUNCH_PROBE_PATH, "--startup-window TITLE"},
    };
    for (const auto& [file, parameters] : programs) {
        SCOPED_TRACE(file + " " + parameters);
        Start(ExecMinimized, file, parameters);
        EXPECT_TRUE(WaitFor([&] { return IsMinimized(*probeWindow); }));
        StopProbe();
    }
}

// A window that names no process is taken only when it is new.
TEST_P(ShowCommands, AWindowThatExistedBeforeTheLaunchIsLeftAlone)
{
    TTestWindow existing(*display, "Existing");
    const std::string title = Launch(ExecMinimized, "xmessage", "-title TITLE hello");
    existing.Show();
    AwaitWindow(title);
    EXPECT_TRUE(WaitFor([&] { return IsMinimized(*probeWindow); }));
    EXPECT_TRUE(display->IsViewable(existing.Id()));
}

INSTANTIATE_UNDER_EACH_WM(ShowCommands);

} // namespace
