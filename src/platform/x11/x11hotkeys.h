#pragma once
// System-wide hotkeys on X11: passive key grabs on the root window.
//
// A combination is grabbed once for every state of the lock keys (CapsLock,
// NumLock, ScrollLock), so that it fires whichever of them is on. Grabs are
// checked one by one: when another client holds any of them, the others are
// released again and the registration is refused as a whole. After a change
// of the keyboard mapping every registration is grabbed anew.

#include <xcb/xcb.h>

#include <memory>
#include <vector>

#include "platform/hotkeyservice.h"
#include "platform/x11/keyboardchanges.h"
#include "platform/x11/keyboardmap.h"

namespace tarvo::platform::x11 {

class TConnection;

class TX11HotKeys : public IHotKeyService {
public:
    explicit TX11HotKeys(std::shared_ptr<TConnection> connection);
    // Releases every grab.
    ~TX11HotKeys() override;
    TX11HotKeys(const TX11HotKeys&) = delete;
    TX11HotKeys& operator=(const TX11HotKeys&) = delete;

    bool Available() const override;
    THotKeyResult Register(IHotKeyOwner& owner, uint16_t id, THotKeyCombination combination,
                           const THotKeyLabel& label) override;
    void Unregister(IHotKeyOwner& owner, uint16_t id) override;
    void UnregisterAll(IHotKeyOwner& owner) override;

private:
    struct TGrab {
        xcb_keycode_t Keycode;
        uint16_t Modifiers; // with the lock bits of this grab

        bool operator==(const TGrab&) const = default;
    };
    struct TRegistration {
        IHotKeyOwner* Owner;
        uint16_t Id;
        THotKeyCombination Combination;
        uint16_t Modifiers = 0;        // X modifier mask, without lock bits
        std::vector<TGrab> Grabs = {}; // empty while the keyboard lacks the key
    };

    // The grabs that take the registration's combination under the current
    // keyboard map.
    std::vector<TGrab> WantedGrabs(const TRegistration& registration) const;
    // Grabs the registration's keys under the current keyboard map. Taken,
    // with nothing grabbed, when another registration or another client
    // holds any of them.
    THotKeyResult Grab(TRegistration& registration);
    void Release(TRegistration& registration);
    // Grabs again, under a new keyboard map, every registration whose keys
    // the change moved.
    void Regrab();
    void HandleEvent(const xcb_generic_event_t& event);
    void HandleKeyPress(const xcb_key_press_event_t& event);

    std::shared_ptr<TConnection> connection_;
    std::unique_ptr<TKeyboardMap> keyboard_;
    TKeyboardChanges changes_;
    std::vector<TRegistration> registrations_;
    int handler_;
};

} // namespace tarvo::platform::x11
