// Hotkey-to-launch latency of tvotool listen, sxhkd and xbindkeys, and the
// CPU time tvotool listen uses while it waits with 100 hotkeys registered.
//
// Each launcher in turn binds Ctrl+Alt+E to `touch MARKER`. The benchmark
// presses the combination through XTest and measures the time until the
// marker is created, as reported by inotify; the marker is removed before
// the next press. The launchers take turns several times, each time started
// afresh and measured once it has run the command for a first press. Runs
// on its own Xvfb server unless DISPLAY is set.
//
//   launch_latency_bench [--presses N]     (default 100, at least 50)

#include <X11/keysym.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/inotify.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>
#include <xcb/xtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "hotkeys/hotkeyfile.h"
#include "persist/modules.h"

namespace {

using namespace tarvo;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr const char* MarkerName = "marker";
constexpr milliseconds ReadyTimeout{10000}; // for a launcher to start and grab the keys
constexpr milliseconds LaunchTimeout{2000}; // for one press to create the marker
constexpr milliseconds PauseBetweenPresses{50};
constexpr int Turns = 5; // each launcher measured in this many separate runs
constexpr int IdleSeconds = 10;
constexpr int IdleHotKeys = 100;

// ---------------------------------------------------------------------------
// Interruption: SIGINT, SIGTERM and SIGHUP end the run through the normal
// clean-up path. Every wait below is bounded and checks the flag.

volatile sig_atomic_t interrupted = 0;

void OnSignal(int /*signal*/)
{
    interrupted = 1;
}

void InstallSignalHandlers()
{
    struct sigaction action { };
    action.sa_handler = &OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0; // no SA_RESTART: a signal cuts waits short
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

void CheckInterrupted()
{
    if (interrupted)
        throw std::runtime_error("interrupted");
}

void Pause(milliseconds duration)
{
    CheckInterrupted();
    ::poll(nullptr, 0, static_cast<int>(duration.count()));
    CheckInterrupted();
}

int RemainingMs(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now()).count();
    return static_cast<int>(std::max<milliseconds::rep>(left, 0));
}

std::string ReadFile(const std::filesystem::path& file)
{
    std::ifstream in(file);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const std::filesystem::path& file, const std::string& text)
{
    std::ofstream out(file);
    out << text;
    if (!out.flush())
        throw std::runtime_error("cannot write " + file.string());
}

// ---------------------------------------------------------------------------

// A directory for the configurations, logs and the marker, removed with its
// contents at the end.
class TScratchDir {
public:
    TScratchDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "tarvo-launch-bench.XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a directory in " + pattern);
        path_ = pattern;
    }
    ~TScratchDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TScratchDir(const TScratchDir&) = delete;
    TScratchDir& operator=(const TScratchDir&) = delete;

    std::filesystem::path File(const std::string& name) const { return path_ / name; }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

// A program started by the benchmark, stopped (SIGTERM, then SIGKILL) when
// the object goes. Standard error, and standard output unless it has a file
// of its own, go to the log file. The child is also sent SIGTERM if the
// benchmark dies without cleaning up.
class TChild {
public:
    TChild(std::string name, const std::vector<std::string>& command, std::filesystem::path log,
           const std::filesystem::path& output = {})
        : name_(std::move(name)), log_(std::move(log))
    {
        std::vector<char*> argv;
        for (const std::string& argument : command)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        const std::string outputFile = output.string();
        const pid_t parent = ::getpid();

        pid_ = ::fork();
        if (pid_ < 0)
            throw std::runtime_error("cannot start " + name_ + ": " + std::strerror(errno));
        if (pid_ == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGTERM);
            if (::getppid() != parent)
                ::_exit(127);
            ::setpgid(0, 0); // a Ctrl+C in the terminal reaches only the benchmark, which stops its children
            const int in = ::open("/dev/null", O_RDONLY);
            const int err = ::open(log_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            const int out = output.empty() ? err : ::open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (in < 0 || err < 0 || out < 0)
                ::_exit(127);
            ::dup2(in, 0);
            ::dup2(out, 1);
            ::dup2(err, 2);
            ::execvp(argv[0], argv.data());
            std::fprintf(stderr, "cannot run %s: %s\n", argv[0], std::strerror(errno));
            ::_exit(127);
        }
    }
    ~TChild() { Stop(); }
    TChild(const TChild&) = delete;
    TChild& operator=(const TChild&) = delete;

    pid_t Pid() const { return pid_; }
    const std::string& Name() const { return name_; }

    bool Running()
    {
        if (pid_ <= 0)
            return false;
        if (::waitpid(pid_, nullptr, WNOHANG) == 0)
            return true;
        pid_ = -1;
        return false;
    }

    // Throws, with the program's log, when it has exited.
    void CheckRunning()
    {
        if (!Running())
            throw std::runtime_error(name_ + " exited; its output:\n" + ReadFile(log_));
    }

    std::string Log() const { return ReadFile(log_); }

    void Stop()
    {
        if (!Running())
            return;
        ::kill(pid_, SIGTERM);
        const auto deadline = Clock::now() + milliseconds(3000);
        while (Clock::now() < deadline) {
            if (::waitpid(pid_, nullptr, WNOHANG) != 0) {
                pid_ = -1;
                return;
            }
            ::poll(nullptr, 0, 10);
        }
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    std::string name_;
    std::filesystem::path log_;
    pid_t pid_ = -1;
};

// The X server: the one DISPLAY names, or a private Xvfb started here.
class TXServer {
public:
    explicit TXServer(const TScratchDir& dir)
    {
        if (const char* display = std::getenv("DISPLAY"); display && *display) {
            description_ = std::string("DISPLAY=") + display;
            return;
        }
        const auto displayFile = dir.File("xvfb-display");
        const std::vector<std::string> command{"Xvfb",         "-displayfd", "1",   "-screen", "0",
                                               "1280x1024x24", "-nolisten",  "tcp", "-noreset"};
        xvfb_ = std::make_unique<TChild>("Xvfb", command, dir.File("xvfb.log"), displayFile);
        const auto deadline = Clock::now() + ReadyTimeout;
        std::string number = ReadFile(displayFile);
        while (number.find('\n') == std::string::npos) {
            xvfb_->CheckRunning();
            if (Clock::now() > deadline)
                throw std::runtime_error("Xvfb did not start");
            Pause(milliseconds(20));
            number = ReadFile(displayFile);
        }
        const std::string display = ":" + number.substr(0, number.find('\n'));
        ::setenv("DISPLAY", display.c_str(), 1);
        description_ = "a private Xvfb, DISPLAY=" + display;
    }
    ~TXServer()
    {
        if (xvfb_)
            ::unsetenv("DISPLAY");
    }
    TXServer(const TXServer&) = delete;
    TXServer& operator=(const TXServer&) = delete;

    const std::string& Description() const { return description_; }

private:
    std::unique_ptr<TChild> xvfb_;
    std::string description_;
};

// The user's keyboard: presses Ctrl+Alt+E through XTest.
class TKeyboard {
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

    // Sends the whole press and release of Ctrl+Alt+E to the server at once.
    void PressCtrlAltE()
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

// The class registry that writing a hotkey file needs, for a scope.
struct THotKeyClasses {
    THotKeyClasses() { InitHotKeyFileClasses(); }
    ~THotKeyClasses() { FinalizePersistModules(); }
    THotKeyClasses(const THotKeyClasses&) = delete;
    THotKeyClasses& operator=(const THotKeyClasses&) = delete;
};

struct TLauncher {
    std::string Name;
    std::vector<std::string> Command;
};

// The path in single quotes, for a command line (the scratch paths hold no quotes).
std::string Quoted(const std::string& path)
{
    std::string quoted = "'";
    quoted += path;
    quoted += "'";
    return quoted;
}

// A hotkey file of hotkeys named "Key N" whose commands touch a file.
std::string WriteHotKeyFile(const std::filesystem::path& file, const std::vector<TShortCut>& shortcuts,
                            const std::filesystem::path& touched)
{
    THotKeyFile document;
    for (size_t i = 0; i < shortcuts.size(); ++i) {
        auto hotkey = std::make_unique<THotTarvo>();
        hotkey->Name = "Key " + std::to_string(i);
        hotkey->HotKey = shortcuts[i];
        auto touch = std::make_unique<THotKeyCommand>();
        touch->FileName = "touch";
        touch->Parameters = Quoted(touched.string());
        hotkey->Commands->Add(std::move(touch));
        document.HotKeyList->Add(std::move(hotkey));
    }
    WriteHotKeyDocument(document, file.string());
    return file.string();
}

// The three launchers, each binding Ctrl+Alt+E to `touch MARKER`. sxhkd is
// told to run its commands with /bin/sh, as xbindkeys does, rather than the
// user's login shell.
std::vector<TLauncher> PrepareLaunchers(const TScratchDir& dir, const TMarker& marker)
{
    const std::string touch = "touch " + Quoted(marker.Path().string());
    const std::string keys = WriteHotKeyFile(dir.File("keys.tvo"), {ShortCutCtrl | ShortCutAlt | 'E'}, marker.Path());
    WriteFile(dir.File("sxhkdrc"), "ctrl + alt + e\n    " + touch + "\n");
    WriteFile(dir.File("xbindkeysrc"), "\"" + touch + "\"\n    control+alt + e\n");
    return {
        {"tarvo", {TVOTOOL_PATH, "listen", keys}},
        {"sxhkd", {"env", "SXHKD_SHELL=/bin/sh", "sxhkd", "-c", dir.File("sxhkdrc").string()}},
        {"xbindkeys", {"xbindkeys", "-n", "-f", dir.File("xbindkeysrc").string()}},
    };
}

// Presses the combination until the launcher runs the command once.
void WaitUntilReady(TChild& child, TKeyboard& keyboard, TMarker& marker)
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
std::vector<double> MeasureLatency(const TLauncher& launcher, TKeyboard& keyboard, TMarker& marker,
                                   const TScratchDir& dir, int presses)
{
    if (!keyboard.CtrlAltEIsFree())
        throw std::runtime_error("another client of the X server holds Ctrl+Alt+E");
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

// The value below which the fraction p of the sorted values lie, interpolated.
double Percentile(const std::vector<double>& sorted, double p)
{
    const double position = p * static_cast<double>(sorted.size() - 1);
    const size_t below = static_cast<size_t>(position);
    const size_t above = std::min(below + 1, sorted.size() - 1);
    return sorted[below] + (position - static_cast<double>(below)) * (sorted[above] - sorted[below]);
}

struct TSummary {
    double Median, Min, P10, P90, Max;
};

TSummary Summarise(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return {Percentile(values, 0.5), values.front(), Percentile(values, 0.1), Percentile(values, 0.9), values.back()};
}

// ---------------------------------------------------------------------------

// User plus system CPU time of the process, in clock ticks.
long long CpuTicks(pid_t pid)
{
    const std::string stat = ReadFile("/proc/" + std::to_string(pid) + "/stat");
    const size_t end = stat.rfind(')'); // the command name may contain blanks
    if (end == std::string::npos)
        throw std::runtime_error("cannot read /proc/" + std::to_string(pid) + "/stat");
    std::istringstream fields(stat.substr(end + 1));
    std::string field;
    for (int i = 3; i < 14; ++i) // from field 3 (state) up to field 13
        fields >> field;
    long long utime = 0, stime = 0; // fields 14 and 15
    fields >> utime >> stime;
    return utime + stime;
}

// Context switches of every thread of the process: how often it woke up.
long long ContextSwitches(pid_t pid)
{
    long long total = 0;
    for (const auto& task : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task")) {
        std::istringstream status(ReadFile(task.path() / "status"));
        for (std::string line; std::getline(status, line);)
            if (line.find("ctxt_switches:") != std::string::npos)
                total += std::stoll(line.substr(line.find(':') + 1));
    }
    return total;
}

void MeasureIdleCpu(const TScratchDir& dir)
{
    // Ctrl+Alt, Ctrl+Shift, Alt+Shift and Ctrl+Alt+Shift with the letters.
    const TShortCut modifiers[] = {ShortCutCtrl | ShortCutAlt, ShortCutCtrl | ShortCutShift,
                                   ShortCutAlt | ShortCutShift, ShortCutCtrl | ShortCutAlt | ShortCutShift};
    std::vector<TShortCut> shortcuts;
    for (int i = 0; i < IdleHotKeys; ++i)
        shortcuts.push_back(static_cast<TShortCut>(modifiers[i / 26] | ('A' + i % 26)));
    const std::string keys = WriteHotKeyFile(dir.File("idle.tvo"), shortcuts, dir.File("never-touched"));

    TChild child("tvotool listen", {TVOTOOL_PATH, "listen", keys}, dir.File("idle.log"));
    const std::string listening = "listening for " + std::to_string(IdleHotKeys) + " hotkeys";
    const auto deadline = Clock::now() + ReadyTimeout;
    while (child.Log().find(listening) == std::string::npos) {
        child.CheckRunning();
        if (Clock::now() > deadline)
            throw std::runtime_error("tvotool listen did not register the hotkeys; its output:\n" + child.Log());
        Pause(milliseconds(20));
    }
    Pause(milliseconds(1000)); // start-up is over

    const long long ticksBefore = CpuTicks(child.Pid());
    const long long switchesBefore = ContextSwitches(child.Pid());
    Pause(std::chrono::seconds(IdleSeconds));
    const long long ticks = CpuTicks(child.Pid()) - ticksBefore;
    const long long switches = ContextSwitches(child.Pid()) - switchesBefore;
    child.CheckRunning();

    const double tickMs = 1000.0 / static_cast<double>(::sysconf(_SC_CLK_TCK));
    std::printf("\nTarvo idle CPU (tvotool listen, %d hotkeys registered) over %d s:\n", IdleHotKeys, IdleSeconds);
    std::printf("  %lld clock ticks = %.0f ms of CPU (%.3f %% of one CPU), %lld context switches\n", ticks,
                static_cast<double>(ticks) * tickMs, static_cast<double>(ticks) * tickMs / (IdleSeconds * 10.0),
                switches);
}

// The machine's 1-minute load average: the figures compare well only when it is low.
std::string LoadAverage()
{
    std::istringstream loads(ReadFile("/proc/loadavg"));
    std::string oneMinute;
    loads >> oneMinute;
    return oneMinute;
}

int Run(int presses)
{
    TScratchDir dir;
    TXServer server(dir);
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
            const std::vector<double> measured = MeasureLatency(launchers[i], keyboard, marker, dir, pressesPerTurn);
            latencies[i].insert(latencies[i].end(), measured.begin(), measured.end());
        }

    std::printf("%-10s %8s %8s %8s %8s %8s\n", "launcher", "median", "min", "p10", "p90", "max");
    std::vector<TSummary> summaries;
    for (size_t i = 0; i < launchers.size(); ++i) {
        const TSummary s = Summarise(latencies[i]);
        std::printf("%-10s %8.3f %8.3f %8.3f %8.3f %8.3f\n", launchers[i].Name.c_str(), s.Median, s.Min, s.P10, s.P90,
                    s.Max);
        summaries.push_back(s);
    }
    std::printf("\nmedian ratio Tarvo/sxhkd: %.2f   Tarvo/xbindkeys: %.2f\n", summaries[0].Median / summaries[1].Median,
                summaries[0].Median / summaries[2].Median);
    std::fflush(stdout);

    MeasureIdleCpu(dir);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    int presses = 100;
    if (argc == 3 && std::strcmp(argv[1], "--presses") == 0)
        presses = std::atoi(argv[2]);
    if ((argc != 1 && argc != 3) || presses < 50) {
        std::fprintf(stderr, "usage: %s [--presses N]   (N at least 50, default 100)\n", argv[0]);
        return 2;
    }
    InstallSignalHandlers();
    try {
        return Run(presses);
    } catch (const std::exception& error) {
        std::fflush(stdout);
        std::fprintf(stderr, "launch_latency_bench: %s\n", error.what());
        return 1;
    }
}
