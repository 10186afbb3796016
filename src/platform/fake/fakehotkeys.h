#pragma once
// A hotkey service for tests: keeps the registrations in memory, lets the
// test press a combination and name combinations that another program holds.

#include <vector>

#include "platform/hotkeyservice.h"

namespace tarvo::platform {

class TFakeHotKeys : public IHotKeyService {
public:
    struct TRegistration {
        IHotKeyOwner* Owner;
        uint16_t Id;
        THotKeyCombination Combination;
        THotKeyLabel Label;
    };

    bool Available() const override { return true; }
    THotKeyResult Register(IHotKeyOwner& owner, uint16_t id, THotKeyCombination combination,
                           const THotKeyLabel& label) override;
    void Unregister(IHotKeyOwner& owner, uint16_t id) override;
    void UnregisterAll(IHotKeyOwner& owner) override;

    // The registration holding the combination, or nullptr.
    const TRegistration* Holder(THotKeyCombination combination) const;
    // Delivers a press of the combination to its holder; false when nobody
    // here holds it.
    bool Press(THotKeyCombination combination, uint32_t time = 0);

    std::vector<TRegistration> Registrations;      // in the order they were made
    std::vector<THotKeyCombination> HeldElsewhere; // refused as held by another program
};

} // namespace tarvo::platform
