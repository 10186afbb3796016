#include "platform/x11/keyboardchanges.h"

#include <xkbcommon/xkbcommon-x11.h>

#include "platform/x11/connection.h"
#include "platform/x11/xcbxkb.h"

namespace tarvo::platform::x11 {

TKeyboardChanges::TKeyboardChanges(TConnection& connection)
{
    uint8_t xkbEvent = 0;
    if (!xkb_x11_setup_xkb_extension(connection.Xcb(), XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
                                     XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, &xkbEvent, nullptr))
        return;
    constexpr uint16_t events = XCB_XKB_EVENT_TYPE_NEW_KEYBOARD_NOTIFY | XCB_XKB_EVENT_TYPE_MAP_NOTIFY;
    // The parts the users of the connection read: key types and symbols for
    // key names, symbols and the modifier map for grabs.
    constexpr uint16_t mapParts =
        XCB_XKB_MAP_PART_KEY_TYPES | XCB_XKB_MAP_PART_KEY_SYMS | XCB_XKB_MAP_PART_MODIFIER_MAP;
    xcb_xkb_select_events(connection.Xcb(), XCB_XKB_ID_USE_CORE_KBD, events, 0, events, mapParts, mapParts, nullptr);
    connection.Flush();
    xkbEvent_ = xkbEvent;
}

bool TKeyboardChanges::IsChange(const xcb_generic_event_t& event) const
{
    const uint8_t type = event.response_type & 0x7F;
    if (type == XCB_MAPPING_NOTIFY)
        return reinterpret_cast<const xcb_mapping_notify_event_t&>(event).request != XCB_MAPPING_POINTER;
    if (HasXkb() && type == xkbEvent_) {
        // Every XKB event has the extension's event code; its own type comes next.
        const uint8_t xkbType = reinterpret_cast<const xcb_xkb_map_notify_event_t&>(event).xkbType;
        return xkbType == XCB_XKB_NEW_KEYBOARD_NOTIFY || xkbType == XCB_XKB_MAP_NOTIFY;
    }
    return false;
}

} // namespace tarvo::platform::x11
