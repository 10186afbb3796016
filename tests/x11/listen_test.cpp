// tvotool listen as a user runs it: a child process on the test's X server.

#include <gtest/gtest.h>

#include <X11/keysym.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <thread>
#include <vector>

#include "hotkeys/hotkeyfile.h"
#include "launch/xdesktop.h"
#include "persist/modules.h"
#include "support/testsupport.h"
#include "support/toolsupport.h"
#include "x11/testkeyboard.h"

extern char** environ;

using namespace tarvo;
using launchtest::TRunningWm;
using launchtest::TTestDisplay;
using launchtest::TTestWindow;
using launchtest::TWm;
using testsupport::ChildStates;
using testsupport::ReadTextFile;
using testsupport::TempDir;
using testsupport::TScopedEnvironmentVariable;
using testsupport::TTestKeyboard;
using testsupport::WaitFor;

namespace {

// tvotool starts slowly under the sanitizers.
constexpr std::chrono::seconds ListenTimeout(10);

// tvotool listen FILE in the background, its output going to files.
class TListener {
public:
    TListener(const TempDir& dir, std::string hotkeyFile) : out_(dir.File("out.txt")), err_(dir.File("err.txt"))
    {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, out_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, 2, err_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        std::string program = TVOTOOL_PATH, command = "listen";
        char* argv[] = {program.data(), command.data(), hotkeyFile.data(), nullptr};
        const int spawned = posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        if (spawned != 0)
            throw std::runtime_error("cannot start " + program);
    }
    ~TListener()
    {
        if (pid_ > 0)
            Stop(SIGKILL);
    }
    TListener(const TListener&) = delete;
    TListener& operator=(const TListener&) = delete;

    bool WaitUntilListening() const
    {
        return WaitFor([&] { return ReadTextFile(out_).find("listening") != std::string::npos; }, ListenTimeout);
    }
    // The exit status; -1 when a signal ended the tool.
    int Wait()
    {
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    pid_t Pid() const { return pid_; }
    int Stop(int signal)
    {
        ::kill(pid_, signal);
        return Wait();
    }
    std::string Errors() const { return ReadTextFile(err_); }

private:
    pid_t pid_ = -1;
    std::string out_;
    std::string err_;
};

// An X server of the test's own, which the test can end; its messages go
// to log.
class TPrivateXvfb {
public:
    explicit TPrivateXvfb(const std::string& log)
    {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0)
            throw std::runtime_error("cannot create a pipe");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, ends[1], 3);
        posix_spawn_file_actions_addopen(&actions, 2, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        std::vector<std::string> args = {"Xvfb", "-displayfd", "3", "-screen", "0", "640x480x24", "-nolisten", "tcp"};
        std::vector<char*> argv;
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        const int spawned = posix_spawnp(&pid_, "Xvfb", &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(ends[1]);
        // Xvfb writes its display number and a newline once it accepts
        // connections, and gives up if it cannot write all of it.
        std::string number;
        char byte = 0;
        while (spawned == 0 && ::read(ends[0], &byte, 1) == 1 && byte != '\n')
            number += byte;
        ::close(ends[0]);
        if (byte != '\n') {
            End();
            throw std::runtime_error("Xvfb did not start");
        }
        display_ = ":" + number;
    }
    ~TPrivateXvfb() { End(); }
    TPrivateXvfb(const TPrivateXvfb&) = delete;
    TPrivateXvfb& operator=(const TPrivateXvfb&) = delete;

    const std::string& Display() const { return display_; }
    void End()
    {
        if (pid_ <= 0)
            return;
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    std::string display_;
};

class ListenTest : public testing::Test {
protected:
    ListenTest() { InitHotKeyFileClasses(); }
    ~ListenTest() override { FinalizePersistModules(); }

    // "Edit" on Ctrl+Alt+E touches the marker unless it finds a window titled
    // lookFor, "Run" on Ctrl+Alt+R does nothing.
    std::string WriteKeys(const std::string& lookFor = "") const
    {
        THotKeyFile document;
        for (auto [name, key] : {std::pair{"Edit", 'E'}, std::pair{"Run", 'R'}}) {
            auto hotkey = std::make_unique<THotTarvo>();
            hotkey->Name = name;
            hotkey->HotKey = static_cast<TShortCut>(ShortCutCtrl | ShortCutAlt | key);
            document.HotKeyList->Add(std::move(hotkey));
        }
        auto touch = std::make_unique<THotKeyCommand>();
        touch->FileName = "touch";
        touch->Parameters = "'" + Marker() + "'";
        touch->LookForWindow = lookFor;
        document.HotKey(0).Commands->Add(std::move(touch));
        WriteHotKeyDocument(document, dir_.File("keys.tvo"));
        return dir_.File("keys.tvo");
    }
    std::string Marker() const { return dir_.File("pressed marker"); }

    TempDir dir_;
};

TEST_F(ListenTest, RunsThePressedHotKeyReportsRefusalsAndWithdrawsOnSignal)
{
    constexpr uint16_t XCtrlAlt = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1; // Alt is Mod1 in the default map
    for (int signal : {SIGINT, SIGTERM}) {
        std::filesystem::remove(Marker());
        TTestKeyboard keyboard;
        TTestKeyboard other;
        const xcb_keycode_t e = keyboard.Keycode(XK_e);
        ASSERT_TRUE(other.Hold(keyboard.Keycode(XK_r), XCtrlAlt));
        TListener listener(dir_, WriteKeys());
        ASSERT_TRUE(listener.WaitUntilListening());

        keyboard.Type(e, {XK_Control_L, XK_Alt_L});
        EXPECT_TRUE(WaitFor([&] { return std::filesystem::exists(Marker()); }, ListenTimeout)) << listener.Errors();
        EXPECT_EQ(listener.Stop(signal), 0);
        EXPECT_EQ(listener.Errors(),
                  "tvotool: hotkey \"Run\" (Strg+Alt+R) is not registered: the combination is "
                  "held by another program or another hotkey\n");
        EXPECT_TRUE(keyboard.IsFree(e, XCtrlAlt)) << "withdrawn";
    }
}

TEST_F(ListenTest, WithoutAnXServerFailsWithOneLine)
{
    const std::string fileName = WriteKeys();
    TScopedEnvironmentVariable noDisplay("DISPLAY", "");
    TListener listener(dir_, fileName);
    EXPECT_EQ(listener.Wait(), 1);
    EXPECT_EQ(listener.Errors(),
              "tvotool: " + fileName + ": cannot listen for hotkeys: no X server can be reached (DISPLAY=)\n");
}

// The hotkeys that tvotool import makes of either format run when pressed:
// a command run directly, and a keypad key's command that needs the shell
// (on Ctrl alone: Ctrl+Alt with a keypad operator switches the X server's
// video mode).
TEST_F(ListenTest, RunsTheHotKeysOfImportedConfigurations)
{
    const std::string direct = dir_.File("direct"), shell = dir_.File("shell");
    const std::pair<const char*, std::string> configs[] = {
        {"sxhkdrc", "ctrl + alt + e\n  touch '" + direct + "'\nctrl + KP_Add\n  echo $((6*7)) > '" + shell + "'\n"},
        {"xbindkeysrc",
         "\"touch '" + direct + "'\"\n  control+alt + e\n\"echo $((6*7)) > '" + shell + "'\"\n  Control + KP_Add\n"},
    };
    for (const auto& [name, config] : configs) {
        std::filesystem::remove(direct);
        std::filesystem::remove(shell);
        testsupport::WriteTextFile(dir_.File(name), config);
        const auto import = testsupport::RunTool({"import", dir_.File(name), dir_.File("imported.tvo")}, dir_);
        ASSERT_EQ(import.status, 0) << import.err;
        TListener listener(dir_, dir_.File("imported.tvo"));
        ASSERT_TRUE(listener.WaitUntilListening()) << listener.Errors();
        TTestKeyboard keyboard;
        keyboard.Type(keyboard.Keycode(XK_e), {XK_Control_L, XK_Alt_L});
        keyboard.Type(keyboard.Keycode(XK_KP_Add), {XK_Control_L});
        EXPECT_TRUE(WaitFor([&] { return std::filesystem::exists(direct); }, ListenTimeout)) << name;
        EXPECT_TRUE(WaitFor([&] { return ReadTextFile(shell) == "42\n"; }, ListenTimeout)) << name;
        EXPECT_EQ(listener.Stop(SIGTERM), 0);
        EXPECT_EQ(listener.Errors(), "");
    }
}

// Children that a process of the test leaves behind come to the test,
// zombies included, while this lives.
class TSubreaper {
public:
    TSubreaper() { ::prctl(PR_SET_CHILD_SUBREAPER, 1); }
    ~TSubreaper() { ::prctl(PR_SET_CHILD_SUBREAPER, 0); }
    TSubreaper(const TSubreaper&) = delete;
    TSubreaper& operator=(const TSubreaper&) = delete;
};

TEST_F(ListenTest, ALostDisplayEndsItWithStatusOneAndLeavesNoProcess)
{
    const TSubreaper subreaper;
    TPrivateXvfb xvfb(dir_.File("xvfb.log"));
    TScopedEnvironmentVariable display("DISPLAY", xvfb.Display());
    const std::string fileName = WriteKeys();
    TListener listener(dir_, fileName);
    ASSERT_TRUE(listener.WaitUntilListening()) << listener.Errors() << ReadTextFile(dir_.File("xvfb.log"));
    {
        TTestKeyboard keyboard;
        keyboard.Type(keyboard.Keycode(XK_e), {XK_Control_L, XK_Alt_L});
    }
    ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(Marker()); })) << listener.Errors();
    EXPECT_TRUE(WaitFor([&] { return ChildStates(listener.Pid()).empty(); })) << "the started program is reaped";

    xvfb.End();
    EXPECT_EQ(listener.Wait(), 1);
    EXPECT_EQ(listener.Errors(), "tvotool: " + fileName + ": the connection to the X server broke\n");
    EXPECT_EQ(ChildStates(::getpid()), "");
}

// Runs every test without a window manager and under each one the tests
// know; a manager that is not installed is skipped.
class ListenUnderWm : public ListenTest, public testing::WithParamInterface<TWm> {
protected:
    void SetUp() override
    {
        if (!launchtest::WmInstalled(GetParam()))
            GTEST_SKIP() << launchtest::WmName(GetParam()) << " is not installed (scripts/setup installs it)";
        if (Managed())
            wm_.emplace(display_, GetParam());
    }
    bool Managed() const { return GetParam() != TWm::None; }
    // Switches to the desktop and waits until the manager has; without one
    // there is only the screen.
    void SwitchTo(uint32_t desktop)
    {
        if (!Managed())
            return;
        display_.Request(display_.Root(), "_NET_CURRENT_DESKTOP", {desktop});
        ASSERT_TRUE(WaitFor([&] {
            return display_.Values(display_.Root(), "_NET_CURRENT_DESKTOP") == std::vector<uint32_t>{desktop};
        }));
    }

    TTestDisplay display_;
    std::optional<TRunningWm> wm_;
};

// The window's desktop has another window that had the focus there last;
// switching desktops hands the focus to that one, the key must still win.
TEST_P(ListenUnderWm, AHotKeyBringsBackAWindowMinimisedOnAnotherDesktopWithTheFocus)
{
    TTestWindow target(display_, "Target window"), other(display_, "Other window"), current(display_, "Current");
    SwitchTo(1);
    target.Show();
    other.Show();
    target.Minimize(Managed());
    SwitchTo(0);
    current.Show();
    ASSERT_TRUE(!Managed() || WaitFor([&] { return display_.ActiveWindow(true) == current.Id(); }));
    TListener listener(dir_, WriteKeys("target win"));
    ASSERT_TRUE(listener.WaitUntilListening()) << listener.Errors();

    TTestKeyboard keyboard;
    keyboard.Type(keyboard.Keycode(XK_e), {XK_Control_L, XK_Alt_L});
    const auto back = [&] {
        return display_.IsViewable(target.Id()) && display_.ActiveWindow(Managed()) == target.Id();
    };
    EXPECT_TRUE(WaitFor(back)) << listener.Errors();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_TRUE(back()) << "the focus stays";
    EXPECT_FALSE(std::filesystem::exists(Marker())) << "nothing is started";
}

INSTANTIATE_TEST_SUITE_P(, ListenUnderWm, testing::Values(TWm::None, TWm::Openbox, TWm::Xfwm4),
                         [](const auto& info) { return launchtest::WmName(info.param); });

} // namespace
