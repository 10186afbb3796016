#include "platform/x11/compoundtext.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace tarvo::platform::x11 {

TCompoundTextDecoder::~TCompoundTextDecoder()
{
    // Closing waits for the server; on a server that has gone away Xlib's
    // I/O error handling would end the program instead. The socket of such
    // a display goes with the process.
    if (display_ && !xcb_connection_has_error(connection_.Xcb()))
        XCloseDisplay(display_);
}

std::optional<std::string> TCompoundTextDecoder::ToUtf8(const std::string& compoundText)
{
    if (!triedToOpen_) {
        triedToOpen_ = true;
        display_ = XOpenDisplay(connection_.DisplayName().c_str());
    }
    if (!display_)
        return std::nullopt;
    XTextProperty property{};
    property.value = reinterpret_cast<unsigned char*>(const_cast<char*>(compoundText.data()));
    property.encoding = XInternAtom(display_, "COMPOUND_TEXT", False);
    property.format = 8;
    property.nitems = compoundText.size();
    char** list = nullptr;
    int count = 0;
    // A positive result counts characters without a UTF-8 form; the rest
    // is converted all the same.
    if (Xutf8TextPropertyToTextList(display_, &property, &list, &count) < 0 || !list)
        return std::nullopt;
    // A title is one text; further ones (separated by NUL) are kept joined.
    std::string text;
    for (int i = 0; i < count; ++i)
        text += list[i];
    XFreeStringList(list);
    return text;
}

} // namespace tarvo::platform::x11
