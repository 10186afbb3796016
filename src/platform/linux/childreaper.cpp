#include "platform/childreaper.h"

#include <sys/epoll.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

namespace tarvo::platform {

namespace {

// A descriptor that becomes readable when the process ends (Linux 5.3).
int OpenProcessDescriptor(pid_t pid)
{
    return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
}

} // namespace

// One epoll descriptor holds the children's process descriptors, so that the
// event loop watches one descriptor however many children run.
TChildReaper::TChildReaper() : poll_(::epoll_create1(EPOLL_CLOEXEC))
{
    if (poll_ < 0)
        throw std::system_error(errno, std::generic_category(), "cannot create the child reaper");
}

TChildReaper::~TChildReaper()
{
    ReapEnded();
    for (const TChild& child : children_)
        if (child.ProcessDescriptor >= 0)
            ::close(child.ProcessDescriptor);
    ::close(poll_);
}

void TChildReaper::Adopt(pid_t pid)
{
    TChild child{pid, OpenProcessDescriptor(pid)};
    // Without a process descriptor the child is still reaped, by the next
    // start or the next wake-up for another child.
    if (child.ProcessDescriptor >= 0) {
        epoll_event event{};
        event.events = EPOLLIN;
        event.data.fd = child.ProcessDescriptor;
        ::epoll_ctl(poll_, EPOLL_CTL_ADD, child.ProcessDescriptor, &event);
    }
    children_.push_back(child);
}

void TChildReaper::ReapEnded()
{
    std::erase_if(children_, [this](const TChild& child) {
        pid_t reaped = ::waitpid(child.Pid, nullptr, WNOHANG);
        while (reaped < 0 && errno == EINTR)
            reaped = ::waitpid(child.Pid, nullptr, WNOHANG);
        // ECHILD: reaped already by someone who waits for every child.
        const bool ended = reaped == child.Pid || (reaped < 0 && errno == ECHILD);
        if (ended)
            Forget(child);
        return ended;
    });
}

void TChildReaper::Forget(const TChild& child)
{
    if (child.ProcessDescriptor < 0)
        return;
    ::epoll_ctl(poll_, EPOLL_CTL_DEL, child.ProcessDescriptor, nullptr);
    ::close(child.ProcessDescriptor);
}

TChildReaper& ChildReaper()
{
    static TChildReaper reaper;
    return reaper;
}

} // namespace tarvo::platform
