// The tarvo program as a user runs it: on the test's X server with openbox
// and a tray (trayer), driven with xdotool, its files read with tvotool.
#include <gtest/gtest.h>

#include <QImage>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "launch/xdesktop.h"
#include "support/testsupport.h"

extern char** environ;

using namespace tarvo;
using launchtest::TOpenbox;
using launchtest::TTestDisplay;
using launchtest::WaitFor;
using testsupport::ReadTextFile;
using testsupport::TempDir;
using testsupport::WriteTextFile;

namespace {

using namespace std::chrono_literals;

// A program started in the background, its output going to a file; ended
// with the object.
class TChild {
public:
    TChild(std::vector<std::string> arguments, const std::string& output)
    {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        std::vector<char*> argv;
        for (std::string& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        const int error = posix_spawnp(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (error != 0)
            throw std::runtime_error("cannot start " + arguments[0] + " (scripts/setup installs it)");
    }
    ~TChild()
    {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
    TChild(const TChild&) = delete;
    TChild& operator=(const TChild&) = delete;

    bool Running() const { return ::waitpid(pid_, nullptr, WNOHANG) == 0; }

private:
    pid_t pid_ = -1;
};

// Runs the command and returns what it printed.
std::string Output(const std::string& command)
{
    std::string output;
    std::unique_ptr<FILE, decltype(&::pclose)> pipe(::popen(command.c_str(), "r"), &::pclose);
    char buffer[256];
    while (pipe && std::fgets(buffer, sizeof buffer, pipe.get()))
        output += buffer;
    return output;
}

void Xdotool(const std::string& arguments)
{
    ASSERT_EQ(std::system(("xdotool " + arguments).c_str()), 0) << arguments;
}

// A hotkey file with "Touch" on Ctrl+Alt+T, which creates the marker file,
// "Other" on Ctrl+Alt+O, which does nothing, and "Back" on Ctrl+Alt+B, which
// brings back a window titled "Tarvo" or else creates the marker file.
std::string WriteKeys(const TempDir& dir)
{
    const std::string touch = R"("fileName": "touch", "parameters": "')" + dir.File("marker") + R"('")";
    WriteTextFile(dir.File("keys.json"),
                  R"({"hotkeys": [{"name": "Touch", "hotKey": 49236, "commands": [{"name": "touch", )" + touch
                      + R"(}]}, {"name": "Other", "hotKey": 49231},
                     {"name": "Back", "hotKey": 49218, "commands": [{"lookForWindow": "Tarvo", )"
                      + touch + "}]}]}");
    Output(std::string(TVOTOOL_PATH) + " build " + dir.File("keys.json") + " " + dir.File("keys.tvo"));
    return dir.File("keys.tvo");
}

class TarvoProgram : public testing::Test {
protected:
    TarvoProgram()
    {
        const std::string tray = "trayer --edge top --align right --widthtype request --height 32 --SetDockType true";
        tray_ = std::make_unique<TChild>(std::vector<std::string>{"sh", "-c", "exec " + tray}, dir_.File("tray.txt"));
        EXPECT_TRUE(WaitFor([&] { return !Output("xdotool search --classname panel").empty(); }));
    }

    // Starts tarvo with the file and waits for its main window.
    void Start(const std::string& file)
    {
        tarvo_ = std::make_unique<TChild>(std::vector<std::string>{TARVO_PATH, file}, dir_.File("tarvo.txt"));
        ASSERT_TRUE(WaitFor([&] { return MainWindow() != 0 && display_.IsViewable(MainWindow()); }, 10s))
            << ReadTextFile(dir_.File("tarvo.txt"));
    }
    xcb_window_t MainWindow() const { return display_.WindowTitled("Tarvo").value_or(0); }
    bool Shown(const std::string& title, bool shown = true) const
    {
        return WaitFor([&] {
            const auto window = display_.WindowTitled(title);
            return (window && display_.IsViewable(*window)) == shown;
        });
    }
    // How many windows with the title are on the screen.
    int Visible(const std::string& title) const
    {
        const std::string found = Output("xdotool search --onlyvisible --name '^" + title + "$'");
        return static_cast<int>(std::count(found.begin(), found.end(), '\n'));
    }
    void Keys(const std::string& keys) { Xdotool("key --clearmodifiers --delay 60 " + keys); }
    void Type(const std::string& text) { Xdotool("type --delay 40 '" + text + "'"); }
    bool Touched() const
    {
        return WaitFor([&] { return std::filesystem::exists(dir_.File("marker")); });
    }
    // The screen, once the centred main window has been drawn, as a PNG in
    // the build's screenshots.
    void Screenshot(const std::string& name) const
    {
        xcb_connection_t* c = display_.Xcb();
        const int width = display_.Screen().width_in_pixels, height = display_.Screen().height_in_pixels;
        QImage screen;
        EXPECT_TRUE(WaitFor([&] {
            std::unique_ptr<xcb_get_image_reply_t, decltype(&std::free)> image(
                xcb_get_image_reply(
                    c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, display_.Root(), 0, 0, width, height, ~0u), nullptr),
                &std::free);
            if (!image)
                return false;
            screen = QImage(xcb_get_image_data(image.get()), width, height, QImage::Format_RGB32).copy();
            return screen.pixel(width / 2, height / 2) != qRgb(0, 0, 0);
        }));
        std::filesystem::create_directories(TARVO_SCREENSHOT_DIR);
        EXPECT_TRUE(screen.save(QString::fromStdString(std::string(TARVO_SCREENSHOT_DIR) + "/" + name)));
    }

    TempDir dir_;
    TTestDisplay display_;
    TOpenbox openbox_{display_};
    std::unique_ptr<TChild> tray_;
    std::unique_ptr<TChild> tarvo_;
};

TEST_F(TarvoProgram, WithoutADisplayItSaysSoInOneLine)
{
    EXPECT_EQ(Output("DISPLAY= " TARVO_PATH " 2>&1; echo $?"),
              "tarvo: needs an X display, but no X server can be reached (DISPLAY=)\n1\n");
}

TEST_F(TarvoProgram, StartedWithAFileItsHotKeyLaunchesAProgram)
{
    Start(WriteKeys(dir_));
    Screenshot("tarvo-main.png");
    Keys("ctrl+alt+t");
    EXPECT_TRUE(Touched()) << ReadTextFile(dir_.File("tarvo.txt"));
}

TEST_F(TarvoProgram, AHotKeyMadeWithTheKeyboardAloneWorksAtOnceAndIsSaved)
{
    const std::string file = WriteKeys(dir_);
    Start(file);
    Xdotool("windowactivate --sync " + std::to_string(MainWindow()));
    Keys("alt+n");
    ASSERT_TRUE(Shown("Hotkey definition"));
    Type("Writer");
    Keys("Tab ctrl+alt+w alt+n"); // the key field captures the combination
    ASSERT_TRUE(Shown("Hotkey command"));
    Type("touch");
    Keys("alt+f");
    Type("touch");
    Keys("alt+p");
    Type(dir_.File("marker"));
    Keys("Return");
    ASSERT_TRUE(Shown("Hotkey command", false));
    Keys("Return");
    ASSERT_TRUE(Shown("Hotkey definition", false));
    Keys("alt+s ctrl+alt+w");
    EXPECT_TRUE(Touched());
    const std::string saved = Output(std::string(TVOTOOL_PATH) + " dump " + file);
    EXPECT_NE(saved.find(R"("name": "Writer")"), std::string::npos) << saved;
    EXPECT_NE(saved.find(R"("shortcut": "Strg+Alt+W")"), std::string::npos) << saved;
    EXPECT_NE(saved.find(R"("fileName": "touch")"), std::string::npos) << saved;
}

TEST_F(TarvoProgram, MinimisesIntoTheTrayAndComesBackOnADoubleClick)
{
    Start(WriteKeys(dir_));
    const xcb_window_t window = MainWindow();
    Xdotool("windowminimize " + std::to_string(window));
    ASSERT_TRUE(Shown("Tarvo", false));
    // The icon is the tray's only client, at the panel's right end. A search
    // that meets a window going away while it walks the tree finds nothing,
    // so it is asked again.
    std::string panel;
    ASSERT_TRUE(WaitFor([&] { return !(panel = Output("xdotool search --classname panel | head -1")).empty(); }));
    Xdotool("mousemove --window " + panel.substr(0, panel.size() - 1)
            + " 16 16 sleep 0.3 click --repeat 2 --delay 80 1");
    EXPECT_TRUE(Shown("Tarvo")) << ReadTextFile(dir_.File("tarvo.txt"));
}

TEST_F(TarvoProgram, AHotKeyLookingForItsWindowBringsItBackFromTheTray)
{
    Start(WriteKeys(dir_));
    Xdotool("windowminimize " + std::to_string(MainWindow()));
    ASSERT_TRUE(Shown("Tarvo", false));
    Keys("ctrl+alt+b");
    EXPECT_TRUE(Shown("Tarvo")) << ReadTextFile(dir_.File("tarvo.txt"));
    EXPECT_FALSE(std::filesystem::exists(dir_.File("marker"))) << "nothing is started";
}

TEST_F(TarvoProgram, SwitchedToGermanItAsksInGerman)
{
    Start(WriteKeys(dir_));
    Xdotool("windowactivate --sync " + std::to_string(MainWindow()));
    Keys("alt+l Down"); // the language list: deutsch
    Keys("alt+l");      // "&Löschen" without a selection
    EXPECT_TRUE(Shown("Keine Auswahl")) << "message 8 in German";
    Keys("Return");
    EXPECT_TRUE(Shown("Keine Auswahl", false));
}

TEST_F(TarvoProgram, QuittingWithUnsavedChangesCanBeCancelled)
{
    Start(WriteKeys(dir_));
    Xdotool("windowactivate --sync " + std::to_string(MainWindow()));
    Keys("alt+c Down Up alt+d"); // select "Other" and delete it
    ASSERT_TRUE(Shown("Delete"));
    Keys("alt+y");
    ASSERT_TRUE(Shown("Delete", false));
    Keys("alt+F4");
    ASSERT_TRUE(WaitFor([&] { return Visible("Tarvo") == 2; })) << "the question whether to save";
    Keys("Escape");
    ASSERT_TRUE(WaitFor([&] { return Visible("Tarvo") == 1; }));
    EXPECT_TRUE(tarvo_->Running());
    Keys("ctrl+alt+t");
    EXPECT_TRUE(Touched()) << "its hotkeys still work";
}

} // namespace
