#pragma once
// The keyboard as the X server maps it at the moment: the keycodes of keys
// and the modifier bits of Alt and the lock keys. Made anew after every
// mapping change.

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace tarvo::platform::x11 {

class TKeyboardMap {
public:
    explicit TKeyboardMap(xcb_connection_t* connection);

    // The keycodes of the virtual-key code's key, without repeats; empty
    // when the keyboard has no such key now.
    std::vector<xcb_keycode_t> Keycodes(uint16_t virtualKey) const;
    // The X modifier mask of THotKeyModifier bits.
    uint16_t ModifierMask(uint8_t hotKeyModifiers) const;
    // The bits of CapsLock, NumLock and ScrollLock, which a hotkey ignores.
    uint16_t LockMask() const { return lockMask_; }
    // Every combination of the lock bits, 0 first.
    std::vector<uint16_t> LockCombinations() const;

private:
    std::vector<xcb_keycode_t> LookUpKeycodes(uint16_t virtualKey) const;
    std::vector<xcb_keycode_t> KeycodesOfKeysym(xcb_keysym_t keysym) const;
    // The modifier bit that one of the keysym's keys sets; 0 when none does.
    uint16_t ModifierOfKeysym(const xcb_get_modifier_mapping_reply_t& map, xcb_keysym_t keysym) const;

    std::unique_ptr<xcb_key_symbols_t, decltype(&xcb_key_symbols_free)> symbols_;
    xcb_keycode_t minKeycode_;
    xcb_keycode_t maxKeycode_;
    uint16_t altMask_;
    uint16_t lockMask_;
    // Looking a keysym up runs through the whole map, and a file may hold
    // thousands of hotkeys on a few dozen keys.
    mutable std::unordered_map<uint16_t, std::vector<xcb_keycode_t>> keycodesOfVirtualKey_;
};

} // namespace tarvo::platform::x11
