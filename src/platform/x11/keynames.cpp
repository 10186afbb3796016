#include "platform/x11/keynames.h"

#include <xkbcommon/xkbcommon-x11.h>

#include "platform/errors.h"
#include "platform/x11/hotkeykeys.h"
#include "platform/x11/xcbxkb.h"

namespace tarvo::platform::x11 {

TX11KeyNames::TX11KeyNames(std::shared_ptr<TConnection> connection)
    : connection_(std::move(connection)),
      context_(xkb_context_new(XKB_CONTEXT_NO_FLAGS), &xkb_context_unref),
      keymap_(nullptr, &xkb_keymap_unref)
{
    if (!context_)
        throw EWindowSystemError("cannot create an xkbcommon context");
    xcb_connection_t* c = connection_->Xcb();
    if (!xkb_x11_setup_xkb_extension(c, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
                                     XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, &xkbEventBase_,
                                     nullptr))
        return; // a server without XKB: no key gets a name from the layout
    device_ = xkb_x11_get_core_keyboard_device_id(c);
    constexpr uint16_t events = XCB_XKB_EVENT_TYPE_NEW_KEYBOARD_NOTIFY | XCB_XKB_EVENT_TYPE_MAP_NOTIFY;
    constexpr uint16_t mapParts = XCB_XKB_MAP_PART_KEY_TYPES | XCB_XKB_MAP_PART_KEY_SYMS;
    xcb_xkb_select_events(c, static_cast<xcb_xkb_device_spec_t>(device_), events, 0, events, mapParts, mapParts,
                          nullptr);
    connection_->Flush();
    handler_ = connection_->AddEventHandler([this](const xcb_generic_event_t& event) {
        // Every XKB event has the extension's event code; its own type comes next.
        const uint8_t xkbType = reinterpret_cast<const uint8_t*>(&event)[1];
        if ((event.response_type & 0x7F) == xkbEventBase_
            && (xkbType == XCB_XKB_NEW_KEYBOARD_NOTIFY || xkbType == XCB_XKB_MAP_NOTIFY))
            keymap_.reset();
    });
}

TX11KeyNames::~TX11KeyNames()
{
    connection_->RemoveEventHandler(handler_);
}

xkb_keymap* TX11KeyNames::Keymap() const
{
    if (!keymap_ && device_ >= 0)
        keymap_.reset(
            xkb_x11_keymap_new_from_device(context_.get(), connection_->Xcb(), device_, XKB_KEYMAP_COMPILE_NO_FLAGS));
    return keymap_.get();
}

std::string TX11KeyNames::KeyName(uint16_t virtualKey) const
{
    if (const auto keycode = KeyCodeAtUsPosition(virtualKey))
        return CharacterOfKey(*keycode);
    // Keys known by their symbol type the same character in every layout.
    const std::vector<xcb_keysym_t> keysyms = KeysymsOfVirtualKey(virtualKey);
    return keysyms.empty() ? std::string() : Utf8(keysyms.front());
}

std::string TX11KeyNames::CharacterOfKey(xcb_keycode_t keycode) const
{
    xkb_keymap* keymap = Keymap();
    if (!keymap)
        return {};
    using TState = std::unique_ptr<xkb_state, void (*)(xkb_state*)>;
    // The layout in use comes from the server; the modifiers held right now
    // must not change the name.
    const TState current(xkb_x11_state_new_from_device(keymap, connection_->Xcb(), device_), &xkb_state_unref);
    const TState plain(xkb_state_new(keymap), &xkb_state_unref);
    if (!current || !plain)
        return {};
    xkb_state_update_mask(plain.get(), 0, 0, 0, 0, 0,
                          xkb_state_serialize_layout(current.get(), XKB_STATE_LAYOUT_EFFECTIVE));
    return Utf8(xkb_state_key_get_one_sym(plain.get(), keycode));
}

// The character of the symbol, letters in upper case; empty for a symbol
// that is no character.
std::string TX11KeyNames::Utf8(uint32_t symbol)
{
    char utf8[8];
    const int size = xkb_keysym_to_utf8(xkb_keysym_to_upper(symbol), utf8, sizeof utf8); // counts the terminating NUL
    return size > 1 ? std::string(utf8, static_cast<size_t>(size - 1)) : std::string();
}

} // namespace tarvo::platform::x11
