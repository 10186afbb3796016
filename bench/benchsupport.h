#pragma once
// What the benchmarks share: interruption, scratch files, child programs,
// the X server they run on, hotkey files and readings from /proc.

#include <signal.h>
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "hotkeys/shortcut.h"

namespace tarvo::bench {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// How long a program may take to start and get ready.
constexpr milliseconds ReadyTimeout{10000};

// The whole of a benchmark's main: reads "[OPTION N]" (N at least minimum,
// defaultCount without the option), then calls run(N) with the signal
// handlers installed, and reports an error as the program's.
// Returns the exit status.
int RunBenchmark(int argc, char** argv, const char* option, int defaultCount, int minimum,
                 const std::function<int(int count)>& run);

// SIGINT, SIGTERM and SIGHUP end a run through the normal clean-up path:
// every wait is bounded and checks for them.
void CheckInterrupted();
void Pause(milliseconds duration);
int RemainingMs(Clock::time_point deadline);

std::string ReadFile(const std::filesystem::path& file);
void WriteFile(const std::filesystem::path& file, const std::string& text);

// A directory for configurations, logs and markers, removed with its contents
// at the end.
class TScratchDir {
public:
    TScratchDir();
    ~TScratchDir();
    TScratchDir(const TScratchDir&) = delete;
    TScratchDir& operator=(const TScratchDir&) = delete;

    std::filesystem::path File(const std::string& name) const { return path_ / name; }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

// A program started by a benchmark, stopped (SIGTERM, then SIGKILL) when the
// object goes. Standard error, and standard output unless it has a file of
// its own, go to the log file. The child is also sent SIGTERM if the
// benchmark dies without cleaning up.
class TChild {
public:
    TChild(std::string name, const std::vector<std::string>& command, std::filesystem::path log,
           const std::filesystem::path& output = {});
    ~TChild() { Stop(); }
    TChild(const TChild&) = delete;
    TChild& operator=(const TChild&) = delete;

    pid_t Pid() const { return pid_; }
    const std::string& Name() const { return name_; }
    bool Running();
    // Throws, with the program's log, when it has exited.
    void CheckRunning();
    std::string Log() const { return ReadFile(log_); }
    // Waits until the log holds the text; throws with the log when the
    // program exits or the time runs out first.
    void WaitForLog(const std::string& text, milliseconds timeout = ReadyTimeout);
    void Stop();

private:
    std::string name_;
    std::filesystem::path log_;
    pid_t pid_ = -1;
};

// The X server: the one DISPLAY names, or a private Xvfb started here.
class TXServer {
public:
    explicit TXServer(const TScratchDir& dir);
    ~TXServer();
    TXServer(const TXServer&) = delete;
    TXServer& operator=(const TXServer&) = delete;

    const std::string& Description() const { return description_; }

private:
    std::unique_ptr<TChild> xvfb_;
    std::string description_;
};

// Points the programs the benchmark starts at configuration and registry
// directories in the scratch directory, so that a run leaves the user's alone.
void KeepUserFilesIn(const TScratchDir& dir);

// The class registry that writing a hotkey file needs, for a scope.
struct THotKeyClasses {
    THotKeyClasses();
    ~THotKeyClasses();
    THotKeyClasses(const THotKeyClasses&) = delete;
    THotKeyClasses& operator=(const THotKeyClasses&) = delete;
};

// The path in single quotes, for a command line (scratch paths hold no quotes).
std::string Quoted(const std::string& path);

// Writes a hotkey file of hotkeys named "Key N" whose commands touch a file,
// and returns its name.
std::string WriteHotKeyFile(const std::filesystem::path& file, const std::vector<TShortCut>& shortcuts,
                            const std::filesystem::path& touched, bool minimizeAtStart = false);

// Letters with Ctrl+Alt, Ctrl+Shift, Alt+Shift and Ctrl+Alt+Shift, then again
// from the start: distinct for the first 104.
std::vector<TShortCut> LetterShortcuts(int count);

// A field of /proc/PID/smaps_rollup ("Rss", "Pss"), in KiB.
long long MemoryKiB(pid_t pid, const std::string& field);
// What a program used while it waited: CPU time and wake-ups.
struct TIdleUse {
    long long Ticks = 0;
    long long Switches = 0;
};
// Measures the program over the span, after a second for its start-up to end.
TIdleUse MeasureIdle(TChild& child, std::chrono::seconds span);
// Prints "N clock ticks = ... ms of CPU (... % of one CPU), N context switches".
void PrintIdle(const TIdleUse& use, std::chrono::seconds span);
// The machine's 1-minute load average: figures compare well only when it is low.
std::string LoadAverage();

struct TSummary {
    double Median, Min, P10, P90, Max;
};
TSummary Summarise(std::vector<double> values);

} // namespace tarvo::bench
