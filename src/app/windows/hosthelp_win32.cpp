#include "app/windows/hosthelp.h"

namespace tarvo {

// Windows always has its window system.
const char* const WindowSystemHelp = "";

} // namespace tarvo
