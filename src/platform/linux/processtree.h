#pragma once
// The parent chain of processes, as /proc shows it.

#include <sys/types.h>

namespace tarvo::platform {

// Whether process is ancestor itself or was started by it, directly or
// through other processes that still run. A process whose parent has ended
// has been handed to another parent and no longer counts.
bool IsProcessOrDescendant(pid_t process, pid_t ancestor);

} // namespace tarvo::platform
