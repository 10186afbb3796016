#include "xdesktop.h"

#include <stdexcept>

// Last, and in a file of its own: Xlib's macros (IsViewable, Bool, None, ...)
// clash with names in the other test sources.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace tarvo::launchtest {

std::string CompoundText(const std::string& utf8)
{
    Display* xlib = XOpenDisplay(nullptr);
    if (!xlib)
        throw std::runtime_error("Xlib cannot reach the X server");
    char* list[] = {const_cast<char*>(utf8.c_str())};
    XTextProperty property{};
    const int result = Xutf8TextListToTextProperty(xlib, list, 1, XCompoundTextStyle, &property);
    XCloseDisplay(xlib);
    if (result != Success)
        throw std::runtime_error("Xlib cannot convert \"" + utf8 + "\" to COMPOUND_TEXT");
    std::string bytes(reinterpret_cast<const char*>(property.value), property.nitems);
    XFree(property.value);
    return bytes;
}

} // namespace tarvo::launchtest
