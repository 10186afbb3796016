#pragma once
// The Windows registry through its wide (UTF-16) calls.

#include <memory>

#include "platform/registry.h"

namespace tarvo::platform::win32 {

std::unique_ptr<IRegistry> CreateWindowsRegistry();

} // namespace tarvo::platform::win32
