#include "platform/linux/processtree.h"

#include <fstream>
#include <sstream>
#include <string>

namespace tarvo::platform {

namespace {

// The parent of process; 0 when it does not exist (any more).
pid_t ParentOf(pid_t process)
{
    std::ifstream stat("/proc/" + std::to_string(process) + "/stat");
    std::string line;
    // "pid (command) state ppid ...": the command may itself hold ") ".
    const auto commandEnd = std::getline(stat, line) ? line.rfind(')') : std::string::npos;
    if (commandEnd == std::string::npos)
        return 0;
    std::istringstream fields(line.substr(commandEnd + 1));
    char state = 0;
    pid_t parent = 0;
    fields >> state >> parent;
    return fields ? parent : 0;
}

} // namespace

bool IsProcessOrDescendant(pid_t process, pid_t ancestor)
{
    // The walk ends above the first process, whose parent is 0. The chain is
    // read one process at a time while processes come and go, so its length
    // is bounded as well.
    for (int depth = 0; depth < 1024 && process > 0; ++depth, process = ParentOf(process))
        if (process == ancestor)
            return true;
    return false;
}

} // namespace tarvo::platform
