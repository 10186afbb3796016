#pragma once
// The paragraph of tarvo's help that depends on the host system: what the
// program needs of the window system.

namespace tarvo {

extern const char* const WindowSystemHelp;

} // namespace tarvo
