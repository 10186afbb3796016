// Hotkey-to-launch latency of tvotool listen, the tarvo program, sxhkd and
// xbindkeys, of tvotool listen on a headless KDE Plasma desktop (Wayland,
// through the desktop portal), of tvotool listen against sway's own binding
// on a headless sway, and the CPU time tvotool listen uses while it waits
// with 100 hotkeys registered.
//
// Each launcher in turn binds Ctrl+Alt+E to `touch MARKER`. The benchmark
// presses the combination through XTest and measures the time until the
// marker is created, as reported by inotify; the marker is removed before
// the next press. The launchers take turns several times, each time started
// afresh and measured once it has run the command for a first press. Runs
// on its own Xvfb server unless DISPLAY is set. On Wayland the keys are
// pressed through KWin's fake input (fakekeys), on sway through wtype, one
// process per press; the benchmark runs these parts in a second copy of
// itself inside tests/portal/with-kde and tests/sway/with-sway.
//
//   launch_latency_bench [--presses N]     (default 100, at least 50)
//   launch_latency_bench --wayland [--presses N]   the KDE part alone,
//                                          inside with-kde
//   launch_latency_bench --sway [--presses N]      the sway part alone,
//                                          inside with-sway

#include <X11/keysym.h>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>
#include <xcb/xtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "benchsupport.h"

namespace {

using namespace tarvo;
using namespace tarvo::bench;

constexpr const char* MarkerName = "marker";
constexpr milliseconds LaunchTimeout{2000}; // for one press to create the marker
constexpr milliseconds PauseBetweenPresses{50};
constexpr int Turns = 5; // each launcher measured in this many separate runs
constexpr int IdleSeconds = 10;
constexpr int IdleHotKeys = 100;
// For the whole Wayland part: the desktop's start and the presses.
constexpr std::chrono::minutes WaylandTimeout{10};

// ---------------------------------------------------------------------------

class IKeyboard {
public:
    // Sends the whole press and release of Ctrl+Alt+E at once.
    virtual void PressCtrlAltE() = 0;

protected:
    ~IKeyboard() = default;
};

// The user's keyboard on X11: presses Ctrl+Alt+E through XTest.
class TKeyboard : public IKeyboard {
public:
    TKeyboard()
    {
        connection_ = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(connection_)) {
            xcb_disconnect(connection_);
            throw std::runtime_error("cannot connect to the X server");
        }
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(connection_);
        control_ = Keycode(symbols, XK_Control_L);
        alt_ = Keycode(symbols, XK_Alt_L);
        e_ = Keycode(symbols, XK_e);
        xcb_key_symbols_free(symbols);
        if (!control_ || !alt_ || !e_) {
            xcb_disconnect(connection_);
            throw std::runtime_error("the keyboard map lacks Control_L, Alt_L or e");
        }
    }
    ~TKeyboard() { xcb_disconnect(connection_); }
    TKeyboard(const TKeyboard&) = delete;
    TKeyboard& operator=(const TKeyboard&) = delete;

    void PressCtrlAltE() override
    {
        for (xcb_keycode_t key : {control_, alt_, e_})
            Fake(XCB_KEY_PRESS, key);
        for (xcb_keycode_t key : {e_, alt_, control_})
            Fake(XCB_KEY_RELEASE, key);
        xcb_flush(connection_);
        if (xcb_connection_has_error(connection_))
            throw std::runtime_error("the connection to the X server broke");
    }

    // Whether no client grabs Ctrl+Alt+E (Alt being Mod1, as in the default map).
    bool CtrlAltEIsFree()
    {
        constexpr uint16_t modifiers = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;
        const auto cookie =
            xcb_grab_key_checked(connection_, 0, root_, modifiers, e_, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        if (xcb_generic_error_t* error = xcb_request_check(connection_, cookie)) {
            std::free(error);
            return false;
        }
        xcb_ungrab_key(connection_, e_, root_, modifiers);
        std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
        return true;
    }

private:
    static xcb_keycode_t Keycode(xcb_key_symbols_t* symbols, xcb_keysym_t keysym)
    {
        xcb_keycode_t* keycodes = xcb_key_symbols_get_keycode(symbols, keysym);
        const xcb_keycode_t keycode = keycodes ? keycodes[0] : 0;
        std::free(keycodes);
        return keycode;
    }

    void Fake(uint8_t type, xcb_keycode_t key) { xcb_test_fake_input(connection_, type, key, 0, root_, 0, 0, 0); }

    xcb_connection_t* connection_;
    xcb_window_t root_;
    xcb_keycode_t control_ = 0, alt_ = 0, e_ = 0;
};

// The keyboard on KWin: fakekeys presses the keys of each line written to
// a FIFO it reads.
class TWaylandKeyboard : public IKeyboard {
public:
    explicit TWaylandKeyboard(const TScratchDir& dir)
    {
        const std::string fifo = dir.File("keys").string();
        if (::mkfifo(fifo.c_str(), 0600) != 0)
            throw std::runtime_error(std::string("cannot make a FIFO: ") + std::strerror(errno));
        fakekeys_ = std::make_unique<TChild>("fakekeys", std::vector<std::string>{FAKEKEYS_PATH, "--lines", fifo},
                                             dir.File("fakekeys.log"));
        // Opening for writing fails until fakekeys has opened its end.
        const auto deadline = Clock::now() + ReadyTimeout;
        while ((fd_ = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC)) < 0) {
            fakekeys_->CheckRunning();
            if (Clock::now() > deadline)
                throw std::runtime_error("fakekeys did not open its FIFO; its output:\n" + fakekeys_->Log());
            Pause(milliseconds(10));
        }
    }
    ~TWaylandKeyboard() { ::close(fd_); }
    TWaylandKeyboard(const TWaylandKeyboard&) = delete;
    TWaylandKeyboard& operator=(const TWaylandKeyboard&) = delete;

    void PressCtrlAltE() override
    {
        const std::string line = "29 56 18\n"; // KEY_LEFTCTRL KEY_LEFTALT KEY_E
        if (::write(fd_, line.data(), line.size()) != static_cast<ssize_t>(line.size()))
            throw std::runtime_error("fakekeys does not take key presses; its output:\n" + fakekeys_->Log());
    }

private:
    std::unique_ptr<TChild> fakekeys_;
    int fd_ = -1;
};

// The keyboard on sway: the press script of with-sway sends the keys through
// wtype, a process per press.
class TSwayKeyboard : public IKeyboard {
public:
    TSwayKeyboard() = default;
    ~TSwayKeyboard() { Reap(); }
    TSwayKeyboard(const TSwayKeyboard&) = delete;
    TSwayKeyboard& operator=(const TSwayKeyboard&) = delete;

    void PressCtrlAltE() override
    {
        Reap();
        const char* press = std::getenv("TARVO_SWAY_PRESS");
        char* const arguments[] = {const_cast<char*>(press), const_cast<char*>("-M"), const_cast<char*>("ctrl"),
                                   const_cast<char*>("-M"), const_cast<char*>("alt"), const_cast<char*>("-k"),
                                   const_cast<char*>("e"),  const_cast<char*>("-m"), const_cast<char*>("alt"),
                                   const_cast<char*>("-m"), const_cast<char*>("ctrl"), nullptr};
        if (!press || ::posix_spawn(&pid_, press, nullptr, nullptr, arguments, environ) != 0)
            throw std::runtime_error("cannot run the press script of with-sway (TARVO_SWAY_PRESS)");
    }

private:
    // The previous press has long ended when the next comes.
    void Reap()
    {
        if (pid_ > 0)
            ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

    pid_t pid_ = -1;
};

// The marker file, watched with inotify: creation and the closing of the
// file by the program that created it.
class TMarker {
public:
    explicit TMarker(const TScratchDir& dir) : path_(dir.File(MarkerName))
    {
        fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (fd_ < 0 || ::inotify_add_watch(fd_, dir.Path().c_str(), IN_CREATE | IN_CLOSE_WRITE) < 0)
            throw std::runtime_error(std::string("cannot watch the scratch directory: ") + std::strerror(errno));
    }
    ~TMarker() { ::close(fd_); }
    TMarker(const TMarker&) = delete;
    TMarker& operator=(const TMarker&) = delete;

    const std::filesystem::path& Path() const { return path_; }

    // Removes the marker and forgets every event seen so far.
    void Reset()
    {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
        ReadEvents();
        seen_ = 0;
    }

    // Waits until one of the events in mask has happened to the marker
    // since the last Reset; false when the time runs out first.
    bool WaitFor(uint32_t mask, milliseconds timeout)
    {
        const auto deadline = Clock::now() + timeout;
        while (!(seen_ & mask)) {
            CheckInterrupted();
            pollfd descriptor{fd_, POLLIN, 0};
            const int ready = ::poll(&descriptor, 1, RemainingMs(deadline));
            if (ready == 0)
                return false;
            if (ready > 0)
                ReadEvents();
        }
        return true;
    }

private:
    void ReadEvents()
    {
        alignas(inotify_event) char buffer[4096];
        ssize_t length;
        while ((length = ::read(fd_, buffer, sizeof buffer)) > 0) {
            for (ssize_t offset = 0; offset < length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
                if (event->len > 0 && std::strcmp(event->name, MarkerName) == 0)
                    seen_ |= event->mask;
                offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
    }

    std::filesystem::path path_;
    int fd_ = -1;
    uint32_t seen_ = 0;
};

// ---------------------------------------------------------------------------

struct TLauncher {
    std::string Name;
    std::vector<std::string> Command;
};

// The launchers, each binding Ctrl+Alt+E to `touch MARKER`: tvotool listen,
// the tarvo program with its window, sxhkd and xbindkeys. sxhkd is told to
// run its commands with /bin/sh, as xbindkeys does, rather than the user's
// login shell.
std::vector<TLauncher> PrepareLaunchers(const TScratchDir& dir, const TMarker& marker)
{
    const std::string touch = "touch " + Quoted(marker.Path().string());
    const std::string keys = WriteHotKeyFile(dir.File("keys.tvo"), {ShortCutCtrl | ShortCutAlt | 'E'}, marker.Path());
    WriteFile(dir.File("sxhkdrc"), "ctrl + alt + e\n    " + touch + "\n");
    WriteFile(dir.File("xbindkeysrc"), "\"" + touch + "\"\n    control+alt + e\n");
    return {
        {"tarvo", {TVOTOOL_PATH, "listen", keys}},
        {"tarvo-win", {TARVO_PATH, keys}},
        {"sxhkd", {"env", "SXHKD_SHELL=/bin/sh", "sxhkd", "-c", dir.File("sxhkdrc").string()}},
        {"xbindkeys", {"xbindkeys", "-n", "-f", dir.File("xbindkeysrc").string()}},
    };
}

// Presses the combination until the launcher runs the command once.
void WaitUntilReady(TChild& child, IKeyboard& keyboard, TMarker& marker)
{
    const auto deadline = Clock::now() + ReadyTimeout;
    marker.Reset();
    for (;;) {
        child.CheckRunning();
        if (Clock::now() > deadline)
            throw std::runtime_error(child.Name() + " did not run the command within "
                                     + std::to_string(ReadyTimeout.count()) + " ms; its output:\n" + child.Log());
        keyboard.PressCtrlAltE();
        if (marker.WaitFor(IN_CREATE, milliseconds(200)))
            break;
    }
    // A press sent just before the launcher was ready may still fire.
    marker.WaitFor(IN_CLOSE_WRITE, LaunchTimeout);
    Pause(milliseconds(300));
}

// Milliseconds from each press to the marker's creation.
std::vector<double> MeasureLatency(const TLauncher& launcher, IKeyboard& keyboard, TMarker& marker,
                                   const TScratchDir& dir, int presses)
{
    TChild child(launcher.Name, launcher.Command, dir.File(launcher.Name + ".log"));
    WaitUntilReady(child, keyboard, marker);

    std::vector<double> latencies;
    for (int press = 0; press < presses; ++press) {
        marker.Reset();
        const auto start = Clock::now();
        keyboard.PressCtrlAltE();
        if (!marker.WaitFor(IN_CREATE, LaunchTimeout)) {
            child.CheckRunning();
            throw std::runtime_error(launcher.Name + " did not run the command within "
                                     + std::to_string(LaunchTimeout.count()) + " ms of press "
                                     + std::to_string(press + 1));
        }
        latencies.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        // touch is done with the marker before it is removed.
        marker.WaitFor(IN_CLOSE_WRITE, LaunchTimeout);
        Pause(PauseBetweenPresses);
    }
    marker.Reset();
    child.CheckRunning();
    return latencies;
}

void PrintHeader()
{
    std::printf("%-10s %8s %8s %8s %8s %8s\n", "launcher", "median", "min", "p10", "p90", "max");
}

void PrintRow(const std::string& name, const TSummary& s)
{
    std::printf("%-10s %8.3f %8.3f %8.3f %8.3f %8.3f\n", name.c_str(), s.Median, s.Min, s.P10, s.P90, s.Max);
}

// Runs a part of the benchmark in a copy of itself inside a harness that
// starts a desktop and ends it afterwards, and prints what it printed.
void MeasureOnDesktop(const TScratchDir& dir, int presses, const char* harness, const std::string& part)
{
    std::fflush(stdout);
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe");
    TChild child("the " + part + " part", {harness, self.string(), "--" + part, "--presses", std::to_string(presses)},
                 dir.File(part + ".log"), dir.File(part + ".out"));
    const auto deadline = Clock::now() + WaylandTimeout;
    while (child.Running()) {
        CheckInterrupted();
        if (Clock::now() > deadline)
            throw std::runtime_error("the " + part + " part did not end in time; its output:\n" + child.Log());
        Pause(milliseconds(100));
    }
    const std::string rows = ReadFile(dir.File(part + ".out"));
    std::printf("%s", rows.empty() ? ("the " + part + " part failed:\n" + child.Log()).c_str() : rows.c_str());
    std::fflush(stdout);
}

void MeasureIdleCpu(const TScratchDir& dir)
{
    const std::string keys =
        WriteHotKeyFile(dir.File("idle.tvo"), LetterShortcuts(IdleHotKeys), dir.File("never-touched"));
    TChild child("tvotool listen", {TVOTOOL_PATH, "listen", keys}, dir.File("idle.log"));
    child.WaitForLog("listening for " + std::to_string(IdleHotKeys) + " hotkeys");
    const auto span = std::chrono::seconds(IdleSeconds);
    const TIdleUse use = MeasureIdle(child, span);
    std::printf("\nTarvo idle CPU (tvotool listen, %d hotkeys registered) over %d s:\n", IdleHotKeys, IdleSeconds);
    PrintIdle(use, span);
}

int Run(int presses)
{
    // The X11 part measures the X11 grabs whatever desktop session the
    // benchmark is started in; the desktop parts set up their own.
    for (const char* variable : {"SWAYSOCK", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE", "TARVO_HOTKEYS"})
        ::unsetenv(variable);
    TScratchDir dir;
    TXServer server(dir);
    KeepUserFilesIn(dir);
    TKeyboard keyboard;
    TMarker marker(dir);
    THotKeyClasses classes;
    const std::vector<TLauncher> launchers = PrepareLaunchers(dir, marker);

    // The launchers take turns, so that a change in the machine's load
    // during the run falls on all of them alike.
    const int pressesPerTurn = (presses + Turns - 1) / Turns;
    std::printf("Hotkey-to-launch latency on %s: Ctrl+Alt+E runs `touch MARKER`;\n", server.Description().c_str());
    std::printf("time from the XTest key press to the marker's creation (inotify), in ms;\n");
    std::printf("%d presses each, in %d turns of %d; 1-minute load average at the start: %s\n\n",
                pressesPerTurn * Turns, Turns, pressesPerTurn, LoadAverage().c_str());
    std::fflush(stdout);
    std::vector<std::vector<double>> latencies(launchers.size());
    for (int turn = 0; turn < Turns; ++turn)
        for (size_t i = 0; i < launchers.size(); ++i) {
            if (!keyboard.CtrlAltEIsFree())
                throw std::runtime_error("another client of the X server holds Ctrl+Alt+E");
            const std::vector<double> measured = MeasureLatency(launchers[i], keyboard, marker, dir, pressesPerTurn);
            latencies[i].insert(latencies[i].end(), measured.begin(), measured.end());
        }

    PrintHeader();
    std::vector<TSummary> summaries;
    for (size_t i = 0; i < launchers.size(); ++i) {
        summaries.push_back(Summarise(latencies[i]));
        PrintRow(launchers[i].Name, summaries.back());
    }
    for (size_t tarvo : {0, 1})
        std::printf("%smedian ratio %s/sxhkd: %.2f   %s/xbindkeys: %.2f\n", tarvo == 0 ? "\n" : "",
                    launchers[tarvo].Name.c_str(), summaries[tarvo].Median / summaries[2].Median,
                    launchers[tarvo].Name.c_str(), summaries[tarvo].Median / summaries[3].Median);
    std::fflush(stdout);

    std::printf("\nOn a headless KDE Plasma (Wayland): KWin's fake input, kglobalaccel, the desktop\n"
                "portal; tvotool listen, %d presses:\n",
                presses);
    PrintHeader();
    MeasureOnDesktop(dir, presses, WITH_KDE_PATH, "wayland");
    std::printf("\nOn a headless sway: a wtype process per press; tvotool listen (sway's IPC) against\n"
                "sway's own `bindsym ... exec`, %d presses each, in %d turns:\n",
                pressesPerTurn * Turns, Turns);
    MeasureOnDesktop(dir, presses, WITH_SWAY_PATH, "sway");
    MeasureIdleCpu(dir);
    return 0;
}

// The Wayland part, inside with-kde: tvotool listen through the portal.
int RunWayland(int presses)
{
    if (const char* problem = std::getenv("TARVO_NO_KDE")) {
        std::printf("no KDE desktop could be started: %s\n", problem);
        return 0;
    }
    TScratchDir dir;
    KeepUserFilesIn(dir);
    TMarker marker(dir);
    THotKeyClasses classes;
    const std::string keys = WriteHotKeyFile(dir.File("keys.tvo"), {ShortCutCtrl | ShortCutAlt | 'E'}, marker.Path());
    TWaylandKeyboard keyboard(dir);
    const TLauncher launcher{"tarvo-kde", {"env", "-u", "DISPLAY", TVOTOOL_PATH, "listen", keys}};
    PrintRow(launcher.Name, Summarise(MeasureLatency(launcher, keyboard, marker, dir, presses)));
    return 0;
}

// The sway part, inside with-sway: tvotool listen against sway's own binding
// of the same command, taking turns.
int RunSway(int presses)
{
    if (const char* problem = std::getenv("TARVO_NO_SWAY")) {
        std::printf("no sway could be started: %s\n", problem);
        return 0;
    }
    TScratchDir dir;
    // Sway's own binding runs the command as sway's user.
    std::filesystem::permissions(dir.Path(), std::filesystem::perms::all);
    KeepUserFilesIn(dir);
    TMarker marker(dir);
    THotKeyClasses classes;
    const std::string keys = WriteHotKeyFile(dir.File("keys.tvo"), {ShortCutCtrl | ShortCutAlt | 'E'}, marker.Path());
    // Sway's binding lives as long as the shell that made it.
    const std::string bind = "swaymsg -q -- bindsym Ctrl+Mod1+e exec touch " + Quoted(marker.Path().string())
        + " && trap 'kill $!; swaymsg -q unbindsym Ctrl+Mod1+e; exit 0' TERM"
          " && while :; do sleep 1000 & wait $!; done";
    const std::vector<TLauncher> launchers{{"tarvo-sway", {TVOTOOL_PATH, "listen", keys}},
                                           {"sway", {"sh", "-c", bind}}};
    TSwayKeyboard keyboard;
    const int pressesPerTurn = (presses + Turns - 1) / Turns;
    std::vector<std::vector<double>> latencies(launchers.size());
    for (int turn = 0; turn < Turns; ++turn)
        for (size_t i = 0; i < launchers.size(); ++i) {
            const std::vector<double> measured = MeasureLatency(launchers[i], keyboard, marker, dir, pressesPerTurn);
            latencies[i].insert(latencies[i].end(), measured.begin(), measured.end());
        }
    PrintHeader();
    std::vector<TSummary> summaries;
    for (size_t i = 0; i < launchers.size(); ++i) {
        summaries.push_back(Summarise(latencies[i]));
        PrintRow(launchers[i].Name, summaries.back());
    }
    std::printf("median ratio tarvo-sway/sway: %.2f (target: at most 1.3)\n", summaries[0].Median / summaries[1].Median);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--wayland") == 0)
        return tarvo::bench::RunBenchmark(argc - 1, argv + 1, "--presses", 100, 50, &RunWayland);
    if (argc > 1 && std::strcmp(argv[1], "--sway") == 0)
        return tarvo::bench::RunBenchmark(argc - 1, argv + 1, "--presses", 100, 50, &RunSway);
    return tarvo::bench::RunBenchmark(argc, argv, "--presses", 100, 50, &Run);
}
