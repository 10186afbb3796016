#include "platform/fake/fakehotkeys.h"

#include <algorithm>

namespace tarvo::platform {

THotKeyResult TFakeHotKeys::Register(IHotKeyOwner& owner, uint16_t id, THotKeyCombination combination,
                                     const THotKeyLabel& label)
{
    auto held = std::ranges::find_if(Registrations, [&](const TRegistration& registration) {
        return registration.Owner == &owner && registration.Id == id;
    });
    if (held != Registrations.end() && held->Combination == combination)
        return THotKeyResult::Registered;
    Unregister(owner, id);
    if (Holder(combination) || std::ranges::find(HeldElsewhere, combination) != HeldElsewhere.end())
        return THotKeyResult::Taken;
    Registrations.push_back({&owner, id, combination, label});
    return THotKeyResult::Registered;
}

void TFakeHotKeys::Unregister(IHotKeyOwner& owner, uint16_t id)
{
    std::erase_if(Registrations, [&](const TRegistration& registration) {
        return registration.Owner == &owner && registration.Id == id;
    });
}

void TFakeHotKeys::UnregisterAll(IHotKeyOwner& owner)
{
    std::erase_if(Registrations, [&](const TRegistration& registration) { return registration.Owner == &owner; });
}

const TFakeHotKeys::TRegistration* TFakeHotKeys::Holder(THotKeyCombination combination) const
{
    // "No key" is a combination nobody holds.
    if (combination.VirtualKey == 0)
        return nullptr;
    auto found = std::ranges::find_if(
        Registrations, [&](const TRegistration& registration) { return registration.Combination == combination; });
    return found == Registrations.end() ? nullptr : &*found;
}

bool TFakeHotKeys::Press(THotKeyCombination combination, uint32_t time)
{
    const TRegistration* holder = Holder(combination);
    if (!holder)
        return false;
    holder->Owner->HotKeyPressed(THotKeyPress{holder->Id, time});
    return true;
}

} // namespace tarvo::platform
