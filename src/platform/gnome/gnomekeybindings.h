#pragma once
// System-wide hotkeys on GNOME without the portal's global shortcuts (GNOME
// before 48, Wayland): each registration is a custom keybinding in GSettings
// (org.gnome.settings-daemon.plugins.media-keys), which the desktop binds to
// the registration's command (THotKeyLabel::Command); the press reaches the
// program through that command, not through this service.
//
// The program's entries carry a marker of their own in their path, with the
// process id: they are removed when a registration is withdrawn and when the
// service goes, and entries of copies of the program that ended without
// removing theirs are removed when the next one starts. The user's own
// entries are left as they are; a combination one of them binds is refused.

#include <optional>
#include <string>
#include <vector>

#include "platform/hotkeyservice.h"

namespace tarvo::platform::gnome {

// The combination in GNOME's accelerator syntax ("<Control><Alt>e");
// nullopt when it has no key or the key no name.
std::optional<std::string> GnomeAccelerator(THotKeyCombination combination);

// Whether the custom keybindings' schemas are installed.
bool GnomeOffersCustomKeybindings();

class TGnomeHotKeys : public IHotKeyService {
public:
    // Removes the entries that ended copies of the program left.
    TGnomeHotKeys();
    // Removes the entries that are left.
    ~TGnomeHotKeys() override;

    bool Available() const override { return true; }
    THotKeyResult Register(IHotKeyOwner& owner, uint16_t id, THotKeyCombination combination,
                           const THotKeyLabel& label) override;
    void Unregister(IHotKeyOwner& owner, uint16_t id) override;
    void UnregisterAll(IHotKeyOwner& owner) override;

private:
    struct TRegistration {
        IHotKeyOwner* Owner;
        uint16_t Id;
        THotKeyCombination Combination;
        THotKeyLabel Label;
        std::string Path; // of the entry; empty for a combination without a key
    };

    void Remove(const std::vector<std::string>& paths);

    std::vector<TRegistration> registrations_;
};

} // namespace tarvo::platform::gnome
