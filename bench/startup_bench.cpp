// Start-up time and footprint of the tarvo program.
//
// Start-up: from the exec of tarvo to the moment its main window is mapped
// and every hotkey of its file has been registered (or refused), for files of
// 100 and 10,000 hotkeys; several starts each. The map is seen as a MapNotify
// on the root window, the registration as the line the program logs when it
// is done (category tarvo.windows, enabled for the run).
//
// Footprint: with 100 hotkeys, started minimised into a tray (trayer), its
// resident memory (RSS, PSS) and the CPU time and wake-ups over 10 seconds
// of waiting.
//
// Runs on its own Xvfb server without a window manager unless DISPLAY is set.
//
//   startup_bench [--runs N]     (default 10 starts per file)

#include <stdlib.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "benchsupport.h"

namespace {

using namespace tarvo;
using namespace tarvo::bench;

constexpr const char* RegisteredLine = " hotkeys registered";
constexpr int FootprintHotKeys = 100;
constexpr std::chrono::seconds IdleSpan{10};

// A log file read as it grows: only the new part is searched each time.
class TLogFollower {
public:
    explicit TLogFollower(std::filesystem::path file) : file_(std::move(file)) { }

    bool Contains(const std::string& text)
    {
        std::ifstream in(file_, std::ios::binary);
        in.seekg(static_cast<std::streamoff>(read_));
        std::string added((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        read_ += added.size();
        // A line may have been cut at the end of the last read.
        tail_ += added;
        if (tail_.find(text) != std::string::npos)
            return true;
        if (tail_.size() > text.size())
            tail_.erase(0, tail_.size() - text.size());
        return false;
    }

private:
    std::filesystem::path file_;
    size_t read_ = 0;
    std::string tail_;
};

// The benchmark's own connection to the X server, told of every top-level
// window that is mapped.
class TMapWatch {
public:
    TMapWatch()
    {
        connection_ = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(connection_)) {
            xcb_disconnect(connection_);
            throw std::runtime_error("cannot connect to the X server");
        }
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
        pidAtom_ = Atom("_NET_WM_PID");
        xcb_flush(connection_);
    }
    ~TMapWatch() { xcb_disconnect(connection_); }
    TMapWatch(const TMapWatch&) = delete;
    TMapWatch& operator=(const TMapWatch&) = delete;

    int Fd() const { return xcb_get_file_descriptor(connection_); }

    // The top-level window of the process that was mapped since the last
    // call, if any.
    std::optional<xcb_window_t> MappedWindowOf(pid_t pid)
    {
        std::optional<xcb_window_t> mapped;
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
                const xcb_window_t window = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
                if (PidOf(window) == pid)
                    mapped = window;
            }
            std::free(event);
        }
        if (xcb_connection_has_error(connection_))
            throw std::runtime_error("the connection to the X server broke");
        return mapped;
    }

    bool Viewable(xcb_window_t window)
    {
        auto* reply =
            xcb_get_window_attributes_reply(connection_, xcb_get_window_attributes(connection_, window), nullptr);
        const bool viewable = reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
        std::free(reply);
        return viewable;
    }

private:
    xcb_atom_t Atom(const char* name)
    {
        auto* reply = xcb_intern_atom_reply(
            connection_, xcb_intern_atom(connection_, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
        const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(reply);
        return atom;
    }

    pid_t PidOf(xcb_window_t window)
    {
        auto* reply = xcb_get_property_reply(
            connection_, xcb_get_property(connection_, 0, window, pidAtom_, XCB_ATOM_CARDINAL, 0, 1), nullptr);
        pid_t pid = 0;
        if (reply && xcb_get_property_value_length(reply) == 4)
            pid = static_cast<pid_t>(*static_cast<uint32_t*>(xcb_get_property_value(reply)));
        std::free(reply);
        return pid;
    }

    xcb_connection_t* connection_;
    xcb_window_t root_;
    xcb_atom_t pidAtom_;
};

// A started tarvo program that logs when its hotkeys are registered.
class TTarvo {
public:
    TTarvo(const TScratchDir& dir, const std::string& keys)
        : log_(Removed(dir.File("tarvo.log"))), child_("tarvo", {TARVO_PATH, keys}, log_), follower_(log_)
    {
    }

    // Waits until the main window is mapped and the hotkeys are registered;
    // returns the main window and the milliseconds from the start to each.
    struct TReady {
        xcb_window_t Window;
        double MappedMs, RegisteredMs;
    };
    TReady WaitUntilReady(TMapWatch& watch)
    {
        std::optional<double> mappedMs, registeredMs;
        xcb_window_t window = 0;
        const auto deadline = started_ + ReadyTimeout * 6;
        while (!mappedMs || !registeredMs) {
            child_.CheckRunning();
            if (Clock::now() > deadline)
                throw std::runtime_error("tarvo did not get ready; its output:\n" + child_.Log());
            if (!mappedMs)
                if (const auto mapped = watch.MappedWindowOf(child_.Pid())) {
                    window = *mapped;
                    mappedMs = SinceStart();
                }
            if (!registeredMs && follower_.Contains(RegisteredLine))
                registeredMs = SinceStart();
            Pause(milliseconds(1));
        }
        return {window, *mappedMs, *registeredMs};
    }

    TChild& Child() { return child_; }

private:
    // The log of the previous start must not be read as this one's.
    static std::filesystem::path Removed(const std::filesystem::path& file)
    {
        std::filesystem::remove(file);
        return file;
    }

    double SinceStart() const { return std::chrono::duration<double, std::milli>(Clock::now() - started_).count(); }

    std::filesystem::path log_;
    Clock::time_point started_ = Clock::now();
    TChild child_;
    TLogFollower follower_;
};

void MeasureStartUp(const TScratchDir& dir, TMapWatch& watch, int hotkeys, int runs)
{
    const std::string keys = WriteHotKeyFile(dir.File("keys-" + std::to_string(hotkeys) + ".tvo"),
                                             LetterShortcuts(hotkeys), dir.File("never-touched"));
    std::vector<double> mapped, registered, ready;
    for (int run = 0; run < runs; ++run) {
        TTarvo tarvo(dir, keys);
        const TTarvo::TReady times = tarvo.WaitUntilReady(watch);
        mapped.push_back(times.MappedMs);
        registered.push_back(times.RegisteredMs);
        ready.push_back(std::max(times.MappedMs, times.RegisteredMs));
    }
    std::printf("%6d hotkeys", hotkeys);
    for (const auto& values : {mapped, registered, ready}) {
        const TSummary s = Summarise(values);
        std::printf("   %7.1f %7.1f %7.1f", s.Median, s.Min, s.Max);
    }
    std::printf("\n");
    std::fflush(stdout);
}

// Started minimised into a tray with 100 hotkeys: memory, CPU and wake-ups.
void MeasureFootprint(const TScratchDir& dir, TMapWatch& watch)
{
    TChild tray("trayer", {"trayer", "--edge", "top", "--align", "right", "--widthtype", "request", "--height", "32"},
                dir.File("trayer.log"));
    Pause(milliseconds(500));
    tray.CheckRunning();
    const std::string keys =
        WriteHotKeyFile(dir.File("keys-tray.tvo"), LetterShortcuts(FootprintHotKeys), dir.File("never-touched"), true);
    TTarvo tarvo(dir, keys);
    const xcb_window_t window = tarvo.WaitUntilReady(watch).Window;
    const TIdleUse use = MeasureIdle(tarvo.Child(), IdleSpan);
    const pid_t pid = tarvo.Child().Pid();
    std::printf("\nMinimised into the tray (trayer) with %d hotkeys; main window %s:\n", FootprintHotKeys,
                watch.Viewable(window) ? "still shown (no tray?)" : "hidden");
    std::printf("  RSS %.1f MB, PSS %.1f MB\n", static_cast<double>(MemoryKiB(pid, "Rss")) / 1024.0,
                static_cast<double>(MemoryKiB(pid, "Pss")) / 1024.0);
    std::printf("  idle over %lld s:", static_cast<long long>(IdleSpan.count()));
    PrintIdle(use, IdleSpan);
}

int Run(int runs)
{
    TScratchDir dir;
    TXServer server(dir);
    KeepUserFilesIn(dir);
    ::setenv("QT_LOGGING_RULES", "tarvo.windows.info=true", 1);
    THotKeyClasses classes;
    TMapWatch watch;

    std::printf("Start-up of tarvo on %s, %d starts per file; 1-minute load average at the start: %s\n",
                server.Description().c_str(), runs, LoadAverage().c_str());
    std::printf("milliseconds from exec: median, min, max\n\n");
    std::printf("%13s   %23s   %23s   %23s\n", "", "window mapped", "hotkeys registered", "both (ready)");
    for (int hotkeys : {100, 10000})
        MeasureStartUp(dir, watch, hotkeys, runs);
    MeasureFootprint(dir, watch);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    return tarvo::bench::RunBenchmark(argc, argv, "--runs", 10, 1, &Run);
}
