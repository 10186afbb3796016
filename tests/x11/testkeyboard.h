#pragma once
// The user's side of the X server in the tests: a client of its own that
// types through XTest, changes the keyboard mapping and grabs keys, as
// another program would.

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>
#include <xcb/xtest.h>

#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/x11/reply.h"

namespace tarvo::testsupport {

using platform::x11::TReply;

class TTestKeyboard {
public:
    TTestKeyboard()
    {
        const char* display = std::getenv("DISPLAY");
        if (!display || !*display)
            throw std::runtime_error("DISPLAY is not set: these tests need an X server; run them with "
                                     "scripts/with-xvfb, as make test does");
        connection_ = xcb_connect(display, nullptr);
        if (xcb_connection_has_error(connection_)) {
            xcb_disconnect(connection_);
            throw std::runtime_error(std::string("cannot connect to the X server at DISPLAY=") + display);
        }
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    }
    ~TTestKeyboard() { xcb_disconnect(connection_); }
    TTestKeyboard(const TTestKeyboard&) = delete;
    TTestKeyboard& operator=(const TTestKeyboard&) = delete;

    // The first keycode of the keysym in the current mapping; 0 for none.
    xcb_keycode_t Keycode(xcb_keysym_t keysym) const
    {
        std::unique_ptr<xcb_key_symbols_t, decltype(&xcb_key_symbols_free)> symbols(xcb_key_symbols_alloc(connection_),
                                                                                    &xcb_key_symbols_free);
        const TReply<xcb_keycode_t> keycodes(xcb_key_symbols_get_keycode(symbols.get(), keysym));
        return keycodes ? keycodes.get()[0] : 0;
    }

    // Presses and releases the key while the modifier keys are held; returns
    // once the server has handled it.
    void Type(xcb_keycode_t key, std::initializer_list<xcb_keysym_t> modifiers = {})
    {
        for (xcb_keysym_t modifier : modifiers)
            Fake(XCB_KEY_PRESS, Keycode(modifier));
        Fake(XCB_KEY_PRESS, key);
        Fake(XCB_KEY_RELEASE, key);
        for (xcb_keysym_t modifier : modifiers)
            Fake(XCB_KEY_RELEASE, Keycode(modifier));
        Sync();
    }

    // Grabs the key with exactly these modifiers until the client goes;
    // false when another client holds it.
    bool Hold(xcb_keycode_t key, uint16_t modifiers)
    {
        const auto cookie =
            xcb_grab_key_checked(connection_, 0, root_, modifiers, key, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        return !TReply<xcb_generic_error_t>(xcb_request_check(connection_, cookie));
    }
    // Whether no other client holds the key with exactly these modifiers.
    bool IsFree(xcb_keycode_t key, uint16_t modifiers)
    {
        if (!Hold(key, modifiers))
            return false;
        xcb_ungrab_key(connection_, key, root_, modifiers);
        Sync();
        return true;
    }

    std::vector<xcb_keysym_t> Mapping(xcb_keycode_t keycode) const
    {
        const TReply<xcb_get_keyboard_mapping_reply_t> reply(
            xcb_get_keyboard_mapping_reply(connection_, xcb_get_keyboard_mapping(connection_, keycode, 1), nullptr));
        const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(reply.get());
        return std::vector<xcb_keysym_t>(keysyms, keysyms + reply->keysyms_per_keycode);
    }
    void SetMapping(xcb_keycode_t keycode, std::vector<xcb_keysym_t> keysyms)
    {
        xcb_change_keyboard_mapping(connection_, 1, keycode, static_cast<uint8_t>(keysyms.size()), keysyms.data());
        Sync();
    }
    xcb_keycode_t UnusedKeycode() const
    {
        for (int keycode = xcb_get_setup(connection_)->min_keycode; keycode < 256; ++keycode) {
            const auto keysyms = Mapping(static_cast<xcb_keycode_t>(keycode));
            if (std::ranges::all_of(keysyms, [](xcb_keysym_t keysym) { return keysym == 0; }))
                return static_cast<xcb_keycode_t>(keycode);
        }
        throw std::runtime_error("the keyboard has no unused keycode");
    }

    // Returns once the server has handled every request sent so far.
    void Sync() { std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr)); }

private:
    void Fake(uint8_t type, xcb_keycode_t key) { xcb_test_fake_input(connection_, type, key, 0, root_, 0, 0, 0); }

    xcb_connection_t* connection_;
    xcb_window_t root_;
};

// Turns a lock (CapsLock, NumLock) on by typing its key, and off again at
// the end of the scope.
class TLockOn {
public:
    TLockOn(TTestKeyboard& keyboard, xcb_keysym_t lockKey) : keyboard_(keyboard), key_(keyboard.Keycode(lockKey))
    {
        keyboard_.Type(key_);
    }
    ~TLockOn() { keyboard_.Type(key_); }

private:
    TTestKeyboard& keyboard_;
    xcb_keycode_t key_;
};

// Gives a keycode another keysym for the scope.
class TRemapped {
public:
    TRemapped(TTestKeyboard& keyboard, xcb_keycode_t keycode, xcb_keysym_t keysym)
        : keyboard_(keyboard), keycode_(keycode), saved_(keyboard.Mapping(keycode))
    {
        std::vector<xcb_keysym_t> keysyms(saved_.size(), 0);
        keysyms[0] = keysym;
        keyboard_.SetMapping(keycode_, keysyms);
    }
    ~TRemapped() { keyboard_.SetMapping(keycode_, saved_); }

private:
    TTestKeyboard& keyboard_;
    xcb_keycode_t keycode_;
    std::vector<xcb_keysym_t> saved_;
};

} // namespace tarvo::testsupport
