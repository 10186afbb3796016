#include "platform/x11/keyboardmap.h"

#include <X11/keysym.h>

#include <algorithm>

#include "platform/hotkeyservice.h"
#include "platform/x11/hotkeykeys.h"
#include "platform/x11/reply.h"

namespace tarvo::platform::x11 {

TKeyboardMap::TKeyboardMap(xcb_connection_t* connection)
    : symbols_(xcb_key_symbols_alloc(connection), &xcb_key_symbols_free),
      minKeycode_(xcb_get_setup(connection)->min_keycode), maxKeycode_(xcb_get_setup(connection)->max_keycode)
{
    const TReply<xcb_get_modifier_mapping_reply_t> map(
        xcb_get_modifier_mapping_reply(connection, xcb_get_modifier_mapping(connection), nullptr));
    auto modifierOf = [&](xcb_keysym_t keysym) { return map ? ModifierOfKeysym(*map, keysym) : uint16_t{0}; };
    // Alt is Mod1 by convention; the modifier map says where it really is.
    altMask_ = modifierOf(XK_Alt_L);
    if (!altMask_)
        altMask_ = modifierOf(XK_Alt_R);
    if (!altMask_)
        altMask_ = XCB_MOD_MASK_1;
    // CapsLock is the core protocol's Lock modifier; NumLock and ScrollLock
    // sit on whichever modifier the map gives them, if any.
    lockMask_ = XCB_MOD_MASK_LOCK | modifierOf(XK_Num_Lock) | modifierOf(XK_Scroll_Lock);
}

std::vector<xcb_keycode_t> TKeyboardMap::KeycodesOfKeysym(xcb_keysym_t keysym) const
{
    std::vector<xcb_keycode_t> keycodes;
    const TReply<xcb_keycode_t> found(xcb_key_symbols_get_keycode(symbols_.get(), keysym));
    for (const xcb_keycode_t* keycode = found.get(); keycode && *keycode != XCB_NO_SYMBOL; ++keycode)
        keycodes.push_back(*keycode);
    return keycodes;
}

uint16_t TKeyboardMap::ModifierOfKeysym(const xcb_get_modifier_mapping_reply_t& map, xcb_keysym_t keysym) const
{
    const std::vector<xcb_keycode_t> keycodes = KeycodesOfKeysym(keysym);
    const xcb_keycode_t* mapped = xcb_get_modifier_mapping_keycodes(&map);
    uint16_t mask = 0;
    for (int modifier = 0; modifier < 8; ++modifier)
        for (int i = 0; i < map.keycodes_per_modifier; ++i)
            if (std::ranges::find(keycodes, mapped[modifier * map.keycodes_per_modifier + i]) != keycodes.end())
                mask |= static_cast<uint16_t>(1u << modifier);
    return mask;
}

std::vector<xcb_keycode_t> TKeyboardMap::Keycodes(uint16_t virtualKey) const
{
    auto known = keycodesOfVirtualKey_.find(virtualKey);
    if (known == keycodesOfVirtualKey_.end())
        known = keycodesOfVirtualKey_.emplace(virtualKey, LookUpKeycodes(virtualKey)).first;
    return known->second;
}

std::vector<xcb_keycode_t> TKeyboardMap::LookUpKeycodes(uint16_t virtualKey) const
{
    if (const auto keycode = KeyCodeAtUsPosition(virtualKey)) {
        if (*keycode >= minKeycode_ && *keycode <= maxKeycode_)
            return {*keycode};
        return {};
    }
    std::vector<xcb_keycode_t> keycodes;
    for (xcb_keysym_t keysym : KeysymsOfVirtualKey(virtualKey))
        for (xcb_keycode_t keycode : KeycodesOfKeysym(keysym))
            if (std::ranges::find(keycodes, keycode) == keycodes.end())
                keycodes.push_back(keycode);
    return keycodes;
}

uint16_t TKeyboardMap::ModifierMask(uint8_t hotKeyModifiers) const
{
    uint16_t mask = 0;
    if (hotKeyModifiers & HotKeyModShift)
        mask |= XCB_MOD_MASK_SHIFT;
    if (hotKeyModifiers & HotKeyModControl)
        mask |= XCB_MOD_MASK_CONTROL;
    if (hotKeyModifiers & HotKeyModAlt)
        mask |= altMask_;
    return mask;
}

std::vector<uint16_t> TKeyboardMap::LockCombinations() const
{
    std::vector<uint16_t> combinations;
    // Every subset of the lock bits, counted up from 0.
    for (uint16_t subset = 0;; subset = static_cast<uint16_t>((subset - lockMask_) & lockMask_)) {
        combinations.push_back(subset);
        if (subset == lockMask_)
            break;
    }
    return combinations;
}

} // namespace tarvo::platform::x11
