#pragma once
// Stand-ins for the services that need a window system, for when there is
// none: programs are still started; no window is found, no key named and no
// combination registered.

#include "platform/services.h"

namespace tarvo::platform::headless {

// Replaces the services that need a window system by the stand-ins.
void InstallHeadlessServices(TServices& services);

} // namespace tarvo::platform::headless
