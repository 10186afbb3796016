#include "app/tephotkey.h"

#include <string>

#include "app/hotkeycombination.h"
#include "platform/atomtable.h"

namespace tarvo {

TEPHotKey::TEPHotKey(platform::IHotKeyService& service, std::function<bool()> hasActiveWindow, QObject* owner)
    : QObject(owner), service_(service), hasActiveWindow_(std::move(hasActiveWindow)),
      id_(platform::GlobalAtoms().Add(std::to_string(reinterpret_cast<uintptr_t>(this))))
{
}

TEPHotKey::~TEPHotKey()
{
    // Everything the component registered, a HotKey of 0 included.
    service_.UnregisterAll(*this);
    platform::GlobalAtoms().Delete(id_);
}

void TEPHotKey::SetEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    if (enabled_)
        Register(hotKey_);
    else if (hotKey_ != 0)
        service_.Unregister(*this, id_);
}

void TEPHotKey::SetHotKey(TShortCut hotKey)
{
    if (hotKey == hotKey_)
        return;
    if (enabled_) {
        if (hotKey != 0)
            Register(hotKey);
        else
            service_.Unregister(*this, id_);
    }
    hotKey_ = hotKey;
}

void TEPHotKey::Register(TShortCut hotKey)
{
    // The component is no shortcut of the program that a desktop would list.
    service_.Register(*this, id_, CombinationOf(hotKey), {});
}

void TEPHotKey::HotKeyPressed(const platform::THotKeyPress& /*press*/)
{
    // The press's id is not compared: the component holds no other registration.
    if (!OnHotKey || !(Global || hasActiveWindow_()))
        return;
    uint16_t key = hotKey_ & ShortCutKeyMask;
    const TShiftState shift{(hotKey_ & ShortCutShift) != 0, (hotKey_ & ShortCutCtrl) != 0,
                            (hotKey_ & ShortCutAlt) != 0};
    OnHotKey(*this, key, shift);
}

} // namespace tarvo
