#pragma once
// The host system's implementations of the platform services.

#include "platform/services.h"

namespace tarvo::platform {

TServices HostServices();

} // namespace tarvo::platform
