#pragma once
// Starting a program that lives on its own.

#include <sys/types.h>

#include <string>
#include <vector>

#include "platform/linux/launchplan.h"

namespace tarvo::platform {

// Starts the plan's program in a session of its own, with every signal at
// its default disposition and none blocked: it is not ended with this
// program, and inherits no descriptors but standard input, output and error.
// It gets this program's environment with the variables of environment
// ("NAME=value") set or replaced. The child reaper (platform/childreaper.h)
// reaps it when it ends. Returns its process id once it runs the program;
// raises ELaunchError when it could not (no such directory, not executable).
pid_t StartDetached(const TLaunchPlan& plan, const std::vector<std::string>& environment = {});

} // namespace tarvo::platform
