#include "platform/x11/keynames.h"

#include <xkbcommon/xkbcommon-x11.h>

#include "platform/errors.h"
#include "platform/x11/hotkeykeys.h"

namespace tarvo::platform::x11 {

TX11KeyNames::TX11KeyNames(std::shared_ptr<TConnection> connection)
    : connection_(std::move(connection)), context_(xkb_context_new(XKB_CONTEXT_NO_FLAGS), &xkb_context_unref),
      keymap_(nullptr, &xkb_keymap_unref), changes_(*connection_)
{
    if (!context_)
        throw EWindowSystemError("cannot create an xkbcommon context");
    // A server without XKB has no layout to name keys from.
    if (changes_.HasXkb())
        device_ = xkb_x11_get_core_keyboard_device_id(connection_->Xcb());
    handler_ = connection_->AddEventHandler([this](const xcb_generic_event_t& event) {
        if (changes_.IsChange(event))
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
