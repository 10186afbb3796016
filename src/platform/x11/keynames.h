#pragma once
// Key names from the current keyboard layout.

#include <cstdint>
#include <memory>

#include "platform/services.h"
#include "platform/x11/connection.h"
#include "platform/x11/keyboardchanges.h"

struct xkb_context;
struct xkb_keymap;

namespace tarvo::platform::x11 {

class TX11KeyNames : public IKeyNames {
public:
    explicit TX11KeyNames(std::shared_ptr<TConnection> connection);
    ~TX11KeyNames() override;
    TX11KeyNames(const TX11KeyNames&) = delete;
    TX11KeyNames& operator=(const TX11KeyNames&) = delete;

    // The character the key types in the current layout without modifiers,
    // letters in upper case like the labels on the keys; empty for keys that
    // type none.
    std::string KeyName(uint16_t virtualKey) const override;

private:
    xkb_keymap* Keymap() const;
    std::string CharacterOfKey(xcb_keycode_t keycode) const;
    static std::string Utf8(uint32_t symbol);

    std::shared_ptr<TConnection> connection_;
    std::unique_ptr<xkb_context, void (*)(xkb_context*)> context_;
    // Read from the server on first use; dropped when the keyboard or its
    // mapping changes.
    mutable std::unique_ptr<xkb_keymap, void (*)(xkb_keymap*)> keymap_;
    TKeyboardChanges changes_;
    int32_t device_ = -1; // the core keyboard; -1 when the server has no XKB
    int handler_ = 0;
};

} // namespace tarvo::platform::x11
