#pragma once
// Notice of keyboard changes: another keyboard, or another key mapping. The
// core protocol's MappingNotify tells of mapping changes on every server;
// where the server has the XKB extension, its new-keyboard and map
// notifications are selected as well, since XKB clients change layouts
// without a core MappingNotify.

#include <xcb/xcb.h>

#include <cstdint>

namespace tarvo::platform::x11 {

class TConnection;

class TKeyboardChanges {
public:
    // Selects the XKB notifications for the core keyboard on the connection,
    // touching no other XKB selection of it.
    explicit TKeyboardChanges(TConnection& connection);

    bool HasXkb() const { return xkbEvent_ != 0; }
    // Whether the event tells of a change of the keyboard or its mapping.
    bool IsChange(const xcb_generic_event_t& event) const;

private:
    uint8_t xkbEvent_ = 0; // the XKB extension's event code; 0 without XKB
};

} // namespace tarvo::platform::x11
