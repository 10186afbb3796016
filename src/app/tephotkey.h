#pragma once
// TEPHotKey: a component for one system-wide hotkey. Setting its HotKey while
// it is enabled registers the combination; a press calls OnHotKey.

#include <QObject>

#include <cstdint>
#include <functional>

#include "hotkeys/shortcut.h"
#include "platform/hotkeyservice.h"

namespace tarvo {

// The modifiers held with a key.
struct TShiftState {
    bool Shift = false;
    bool Ctrl = false;
    bool Alt = false;

    bool operator==(const TShiftState&) const = default;
};

// An event with the sender, the key (which the handler may change) and the
// modifiers held with it.
using TKeyEvent = std::function<void(QObject& sender, uint16_t& key, TShiftState shift)>;

class TEPHotKey : public QObject, private platform::IHotKeyOwner {
public:
    // hasActiveWindow tells whether one of the program's windows is the
    // active window, for a hotkey that is not Global.
    TEPHotKey(platform::IHotKeyService& service, std::function<bool()> hasActiveWindow, QObject* owner = nullptr);
    // Withdraws the registration.
    ~TEPHotKey() override;

    bool Enabled() const { return enabled_; }
    // Enabling registers the current HotKey, also when it is 0; disabling
    // withdraws a registration of a HotKey other than 0.
    void SetEnabled(bool enabled);
    TShortCut HotKey() const { return hotKey_; }
    // While enabled, a combination other than 0 is registered in place of
    // the previous one, and 0 withdraws the previous one.
    void SetHotKey(TShortCut hotKey);

    // When false, a press is passed on only while one of the program's
    // windows is active; the combination is taken from other programs anyway.
    bool Global = true;
    TKeyEvent OnHotKey;
    int32_t Tag = 0; // free for the owner; HotKeyEvent reads it as a hotkey ID

private:
    void HotKeyPressed(const platform::THotKeyPress& press) override;
    // Registers the combination under the component's id. Whether the
    // combination was free is not looked at: the component reports nothing.
    void Register(TShortCut hotKey);

    platform::IHotKeyService& service_;
    std::function<bool()> hasActiveWindow_;
    bool enabled_ = true;
    TShortCut hotKey_ = 0;
    uint16_t id_; // an atom made from the component's address
};

} // namespace tarvo
