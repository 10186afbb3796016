#include "platform/linux/detachedprocess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/launcher.h"

namespace tarvo::platform {

namespace {

// The report pipe carries the program's process id from the intermediate
// child (or minus errno when it could not fork), then, only if the program
// could not be run, this from the program's process. End of file after the
// process id means that the program runs.
struct TStartFailure {
    enum TStep : int { ChangeDirectory, Execute } Step;
    int Error;
};

// A pipe end that is closed with its owner.
class TDescriptor {
public:
    explicit TDescriptor(int fd) : fd_(fd) {}
    ~TDescriptor() { Close(); }
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;
    int Get() const { return fd_; }
    void Close()
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
};

[[noreturn]] void Fail(int reportFd, TStartFailure::TStep step)
{
    const TStartFailure failure{step, errno};
    // Nothing to do if the report cannot be written: the launcher then
    // believes the start succeeded.
    [[maybe_unused]] const ssize_t written = ::write(reportFd, &failure, sizeof failure);
    ::_exit(127);
}

// Every descriptor above standard error is closed when the program starts;
// the report pipe stays open until then.
void CloseDescriptorsOnExec(rlim_t descriptorLimit)
{
    if (::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC) == 0)
        return;
    // Kernels before 5.11 lack the flag: mark each descriptor one by one.
    for (rlim_t fd = 3; fd < descriptorLimit; ++fd)
        ::fcntl(static_cast<int>(fd), F_SETFD, FD_CLOEXEC);
}

// The grandchild: becomes the program. Only async-signal-safe calls from
// here on, since the parent may have had other threads when it forked.
[[noreturn]] void RunProgram(const TLaunchPlan& plan, char* const* argv, int reportFd, rlim_t descriptorLimit)
{
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    struct sigaction defaultAction = {};
    defaultAction.sa_handler = SIG_DFL;
    for (int signal = 1; signal < NSIG; ++signal)
        ::sigaction(signal, &defaultAction, nullptr); // fails harmlessly for SIGKILL, SIGSTOP
    CloseDescriptorsOnExec(descriptorLimit);
    if (!plan.Directory.empty() && ::chdir(plan.Directory.c_str()) != 0)
        Fail(reportFd, TStartFailure::ChangeDirectory);
    ::execve(plan.Program.c_str(), argv, environ);
    Fail(reportFd, TStartFailure::Execute);
}

// The intermediate child: starts a new session, forks the program and
// reports its process id, then exits so that the program is adopted by init.
[[noreturn]] void RunIntermediate(const TLaunchPlan& plan, char* const* argv, int reportFd, rlim_t descriptorLimit)
{
    ::setsid();
    const pid_t program = ::fork();
    if (program == 0)
        RunProgram(plan, argv, reportFd, descriptorLimit);
    const pid_t report = program > 0 ? program : -errno;
    // Nothing to do if the report cannot be written; the launcher then
    // reports that the program did not start.
    [[maybe_unused]] const ssize_t written = ::write(reportFd, &report, sizeof report);
    ::_exit(0);
}

// Reads up to size bytes; fewer only at the end of the data.
size_t ReadFully(int fd, void* buffer, size_t size)
{
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, static_cast<char*>(buffer) + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<size_t>(n);
    }
    return done;
}

ELaunchError StartError(const TLaunchPlan& plan, int error)
{
    return ELaunchError("cannot start \"" + plan.Program + "\": " + std::strerror(error));
}

} // namespace

pid_t StartDetached(const TLaunchPlan& plan)
{
    // Everything the children use is prepared before the fork.
    std::vector<char*> argv;
    for (const auto& argument : plan.Arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    rlimit limit{};
    ::getrlimit(RLIMIT_NOFILE, &limit);

    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
        throw StartError(plan, errno);
    TDescriptor readEnd(ends[0]);
    TDescriptor writeEnd(ends[1]);
    const pid_t intermediate = ::fork();
    if (intermediate < 0)
        throw StartError(plan, errno);
    if (intermediate == 0)
        RunIntermediate(plan, argv.data(), writeEnd.Get(), limit.rlim_cur);
    writeEnd.Close();
    // ECHILD is possible when a SIGCHLD handler elsewhere in the program
    // reaps every child; the intermediate child is gone either way.
    while (::waitpid(intermediate, nullptr, 0) < 0 && errno == EINTR) {
    }

    pid_t program = 0;
    if (ReadFully(readEnd.Get(), &program, sizeof program) != sizeof program)
        throw StartError(plan, ECHILD); // the intermediate child died before it could report
    if (program < 0)
        throw StartError(plan, -program);
    TStartFailure failure{};
    if (ReadFully(readEnd.Get(), &failure, sizeof failure) != sizeof failure)
        return program;
    if (failure.Step == TStartFailure::ChangeDirectory)
        throw ELaunchError("cannot start \"" + plan.Program + "\" in \"" + plan.Directory
                           + "\": " + std::strerror(failure.Error));
    throw StartError(plan, failure.Error);
}

} // namespace tarvo::platform
