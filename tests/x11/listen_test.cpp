// tvotool listen as a user runs it: a child process on the test's X server.

#include <gtest/gtest.h>

#include <X11/keysym.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>

#include "hotkeys/hotkeyfile.h"
#include "persist/modules.h"
#include "support/testsupport.h"
#include "x11/testkeyboard.h"

extern char** environ;

using namespace tarvo;
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

class ListenTest : public testing::Test {
protected:
    ListenTest() { InitHotKeyFileClasses(); }
    ~ListenTest() override { FinalizePersistModules(); }

    // "Edit" on Ctrl+Alt+E touches the marker, "Run" on Ctrl+Alt+R does nothing.
    std::string WriteKeys() const
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
        EXPECT_EQ(listener.Errors(), "tvotool: hotkey \"Run\" (Strg+Alt+R) is not registered: the combination is "
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

} // namespace
