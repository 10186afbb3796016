#pragma once
// Collecting the exit status of the programs this process starts.
//
// Started programs are children of this process until they end; an ended
// child stays a zombie until its parent reaps it. The reaper reaps exactly
// the children handed to it, never with waitpid(-1), so that children other
// code starts and waits for are left alone.
//
// Reaping needs no thread and no signal handler: the reaper's descriptor is
// readable while an adopted child has ended, and whoever runs the event
// loop watches it and calls ReapEnded (the session does). Each start reaps
// the children that have ended since, so that a program without an event
// loop keeps no more zombies than it has started programs; its children are
// handed to init when it exits.

#include <sys/types.h>

#include <cstddef>
#include <vector>

namespace tarvo::platform {

class TChildReaper {
public:
    TChildReaper();
    ~TChildReaper();
    TChildReaper(const TChildReaper&) = delete;
    TChildReaper& operator=(const TChildReaper&) = delete;

    // Readable while an adopted child has ended and waits to be reaped.
    int Descriptor() const { return poll_; }
    // Takes over the reaping of child pid, which this process started.
    void Adopt(pid_t pid);
    // Reaps the adopted children that have ended, without waiting.
    void ReapEnded();
    // The adopted children not reaped yet.
    size_t Children() const { return children_.size(); }

private:
    struct TChild {
        pid_t Pid;
        int ProcessDescriptor; // -1 when the kernel offers none
    };
    void Forget(const TChild& child);

    int poll_;
    std::vector<TChild> children_;
};

// The one reaper of the process.
TChildReaper& ChildReaper();

} // namespace tarvo::platform
