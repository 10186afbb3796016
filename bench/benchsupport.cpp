#include "benchsupport.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "hotkeys/hotkeyfile.h"
#include "persist/modules.h"

namespace tarvo::bench {

namespace {

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

std::string ProcFile(pid_t pid, const std::string& name)
{
    return "/proc/" + std::to_string(pid) + "/" + name;
}

// The value below which the fraction p of the sorted values lie, interpolated.
double Percentile(const std::vector<double>& sorted, double p)
{
    const double position = p * static_cast<double>(sorted.size() - 1);
    const size_t below = static_cast<size_t>(position);
    const size_t above = std::min(below + 1, sorted.size() - 1);
    return sorted[below] + (position - static_cast<double>(below)) * (sorted[above] - sorted[below]);
}

// User plus system CPU time of the process, in clock ticks.
long long CpuTicks(pid_t pid)
{
    const std::string stat = ReadFile(ProcFile(pid, "stat"));
    const size_t end = stat.rfind(')'); // the command name may contain blanks
    if (end == std::string::npos)
        throw std::runtime_error("cannot read " + ProcFile(pid, "stat"));
    std::istringstream fields(stat.substr(end + 1));
    std::string field;
    for (int i = 3; i < 14; ++i) // from field 3 (state) up to field 13
        fields >> field;
    long long utime = 0, stime = 0; // fields 14 and 15
    fields >> utime >> stime;
    return utime + stime;
}

double TickMs()
{
    return 1000.0 / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

// Context switches of every thread of the process: how often it woke up.
long long ContextSwitches(pid_t pid)
{
    long long total = 0;
    for (const auto& task : std::filesystem::directory_iterator(ProcFile(pid, "task"))) {
        std::istringstream status(ReadFile(task.path() / "status"));
        for (std::string line; std::getline(status, line);)
            if (line.find("ctxt_switches:") != std::string::npos)
                total += std::stoll(line.substr(line.find(':') + 1));
    }
    return total;
}

} // namespace

int RunBenchmark(int argc, char** argv, const char* option, int defaultCount, int minimum,
                 const std::function<int(int count)>& run)
{
    const std::string program = std::filesystem::path(argv[0]).filename().string();
    int count = defaultCount;
    if (argc == 3 && std::strcmp(argv[1], option) == 0)
        count = std::atoi(argv[2]);
    if ((argc != 1 && argc != 3) || count < minimum) {
        std::fprintf(stderr, "usage: %s [%s N]   (N at least %d, default %d)\n", program.c_str(), option, minimum,
                     defaultCount);
        return 2;
    }
    InstallSignalHandlers();
    try {
        return run(count);
    } catch (const std::exception& error) {
        std::fflush(stdout);
        std::fprintf(stderr, "%s: %s\n", program.c_str(), error.what());
        return 1;
    }
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

TScratchDir::TScratchDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "tarvo-bench.XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a directory in " + pattern);
    path_ = pattern;
}

TScratchDir::~TScratchDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

TChild::TChild(std::string name, const std::vector<std::string>& command, std::filesystem::path log,
               const std::filesystem::path& output)
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

bool TChild::Running()
{
    if (pid_ <= 0)
        return false;
    if (::waitpid(pid_, nullptr, WNOHANG) == 0)
        return true;
    pid_ = -1;
    return false;
}

void TChild::CheckRunning()
{
    if (!Running())
        throw std::runtime_error(name_ + " exited; its output:\n" + ReadFile(log_));
}

void TChild::WaitForLog(const std::string& text, milliseconds timeout)
{
    const auto deadline = Clock::now() + timeout;
    while (Log().find(text) == std::string::npos) {
        CheckRunning();
        if (Clock::now() > deadline)
            throw std::runtime_error(name_ + " did not print \"" + text + "\"; its output:\n" + Log());
        Pause(milliseconds(20));
    }
}

void TChild::Stop()
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

TXServer::TXServer(const TScratchDir& dir)
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

TXServer::~TXServer()
{
    if (xvfb_)
        ::unsetenv("DISPLAY");
}

void KeepUserFilesIn(const TScratchDir& dir)
{
    ::setenv("XDG_CONFIG_HOME", dir.File("config").c_str(), 1);
    ::setenv("TARVO_REGISTRY_DIR", dir.File("registry").c_str(), 1);
}

THotKeyClasses::THotKeyClasses()
{
    InitHotKeyFileClasses();
}

THotKeyClasses::~THotKeyClasses()
{
    FinalizePersistModules();
}

std::string Quoted(const std::string& path)
{
    return "'" + path + "'";
}

std::string WriteHotKeyFile(const std::filesystem::path& file, const std::vector<TShortCut>& shortcuts,
                            const std::filesystem::path& touched, bool minimizeAtStart)
{
    THotKeyFile document;
    document.MinimizeAtStart = minimizeAtStart;
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

std::vector<TShortCut> LetterShortcuts(int count)
{
    const TShortCut modifiers[] = {ShortCutCtrl | ShortCutAlt, ShortCutCtrl | ShortCutShift,
                                   ShortCutAlt | ShortCutShift, ShortCutCtrl | ShortCutAlt | ShortCutShift};
    std::vector<TShortCut> shortcuts;
    for (int i = 0; i < count; ++i)
        shortcuts.push_back(static_cast<TShortCut>(modifiers[i / 26 % 4] | ('A' + i % 26)));
    return shortcuts;
}

long long MemoryKiB(pid_t pid, const std::string& field)
{
    std::istringstream rollup(ReadFile(ProcFile(pid, "smaps_rollup")));
    for (std::string line; std::getline(rollup, line);)
        if (line.rfind(field + ":", 0) == 0)
            return std::stoll(line.substr(field.size() + 1));
    throw std::runtime_error("no " + field + " in " + ProcFile(pid, "smaps_rollup"));
}

TIdleUse MeasureIdle(TChild& child, std::chrono::seconds span)
{
    Pause(milliseconds(1000));
    const TIdleUse before{CpuTicks(child.Pid()), ContextSwitches(child.Pid())};
    Pause(span);
    const TIdleUse after{CpuTicks(child.Pid()), ContextSwitches(child.Pid())};
    child.CheckRunning();
    return {after.Ticks - before.Ticks, after.Switches - before.Switches};
}

void PrintIdle(const TIdleUse& use, std::chrono::seconds span)
{
    const double cpuMs = static_cast<double>(use.Ticks) * TickMs();
    std::printf("  %lld clock ticks = %.0f ms of CPU (%.3f %% of one CPU), %lld context switches\n", use.Ticks, cpuMs,
                cpuMs / static_cast<double>(span.count() * 10), use.Switches);
}

std::string LoadAverage()
{
    std::istringstream loads(ReadFile("/proc/loadavg"));
    std::string oneMinute;
    loads >> oneMinute;
    return oneMinute;
}

TSummary Summarise(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return {Percentile(values, 0.5), values.front(), Percentile(values, 0.1), Percentile(values, 0.9), values.back()};
}

} // namespace tarvo::bench
