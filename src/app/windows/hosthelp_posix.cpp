#include "app/windows/hosthelp.h"

namespace tarvo {

const char* const WindowSystemHelp = "\n"
                                     "Tarvo needs an X display, or in a Wayland session a desktop that binds keys\n"
                                     "for it: sway, a desktop portal with global shortcuts, or GNOME\n"
                                     "(TARVO_HOTKEYS=sway, portal, gnome or x11 forces one).\n";

} // namespace tarvo
