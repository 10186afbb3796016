#include "platform/x11/windowsystem.h"

#include <cstdint>
#include <optional>

#include "platform/x11/reply.h"

namespace tarvo::platform::x11 {

namespace {

// Whole properties are read: a title cut inside a character would no longer
// look like UTF-8.
constexpr uint32_t WholeProperty = UINT32_MAX / 4;

struct TTextProperty {
    xcb_atom_t Type = XCB_ATOM_NONE;
    std::string Bytes;
};

TTextProperty PropertyText(xcb_connection_t* c, xcb_get_property_cookie_t cookie)
{
    TReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(c, cookie, nullptr));
    if (!reply || reply->format != 8)
        return {};
    return {reply->type,
            std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                        static_cast<size_t>(xcb_get_property_value_length(reply.get())))};
}

} // namespace

std::vector<TTopLevelWindow> TX11WindowSystem::TopLevelWindows() const
{
    xcb_connection_t* c = manager_->Connection().Xcb();
    const xcb_ewmh_connection_t& ewmh = manager_->Ewmh();
    const std::vector<xcb_window_t> windows = manager_->TopLevelWindows();
    // All requests first, then all replies: one round trip for every window.
    std::vector<xcb_get_property_cookie_t> netNames;
    std::vector<xcb_get_property_cookie_t> names;
    std::vector<xcb_get_property_cookie_t> classes;
    for (xcb_window_t window : windows) {
        classes.push_back(xcb_get_property(c, 0, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, WholeProperty));
        netNames.push_back(xcb_get_property(c, 0, window, ewmh._NET_WM_NAME, ewmh.UTF8_STRING, 0, WholeProperty));
        // Old programs write WM_NAME as STRING (Latin-1), some tools UTF-8
        // bytes under that type: take any type and let the reader decide,
        // except for COMPOUND_TEXT, which only libX11 can read.
        names.push_back(xcb_get_property(c, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, WholeProperty));
    }
    const xcb_atom_t compoundText = manager_->Connection().Atom("COMPOUND_TEXT");
    const std::optional<xcb_window_t> active = manager_->ActiveWindow();
    std::vector<TTopLevelWindow> result;
    for (size_t i = 0; i < windows.size(); ++i) {
        std::string title = PropertyText(c, netNames[i]).Bytes;
        TTextProperty legacyTitle = PropertyText(c, names[i]);
        if (title.empty() && legacyTitle.Type == compoundText)
            title = compoundText_.ToUtf8(legacyTitle.Bytes).value_or(legacyTitle.Bytes);
        else if (title.empty())
            title = std::move(legacyTitle.Bytes);
        // WM_CLASS holds the instance and the class, each ended by a NUL.
        const std::string wmClass = PropertyText(c, classes[i]).Bytes;
        const size_t end = wmClass.find('\0');
        std::string instance = wmClass.substr(0, end);
        std::string className = end == std::string::npos ? std::string() : std::string(wmClass.c_str() + end + 1);
        result.push_back(
            {windows[i], std::move(title), std::move(instance), std::move(className), windows[i] == active});
    }
    return result;
}

} // namespace tarvo::platform::x11
