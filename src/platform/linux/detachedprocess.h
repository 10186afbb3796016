#pragma once
// Starting a program that lives on its own.

#include <sys/types.h>

#include "platform/linux/launchplan.h"

namespace tarvo::platform {

// Starts the plan's program in a session of its own, as a child of the init
// process rather than of this one: it leaves no zombie, is not ended with
// this program, and inherits no descriptors but standard input, output and
// error. Returns its process id once it runs the program; raises
// ELaunchError when it could not (no such directory, not executable).
pid_t StartDetached(const TLaunchPlan& plan);

} // namespace tarvo::platform
