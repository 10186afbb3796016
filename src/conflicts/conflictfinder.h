#pragma once
// The conflict finder: which programs and desktops hold a key combination,
// and which other hotkeys of the same file have it. Combinations are
// compared as the virtual-key vocabulary sees them, so that spellings that
// differ only in form ("<Primary><Alt>t", "ctrl + alt + T", "Ctrl+Alt+T")
// meet.

#include <map>
#include <memory>
#include <vector>

#include "conflicts/holders.h"
#include "hotkeys/hotkeyfile.h"

namespace tarvo::conflicts {

class TConflictFinder {
public:
    // Asks every source once, now; Holders answers from what they said, so
    // a finder is made for one look at the stores (a dialog, a check).
    explicit TConflictFinder(std::vector<std::unique_ptr<IHolderSource>> sources);

    // The holders of the combination in the sources, each once.
    std::vector<THolder> Holders(TShortCut shortcut) const;
    // The same, then the hotkeys of document other than the one whose ID is
    // hotkeyId that have the combination too.
    std::vector<THolder> Holders(TShortCut shortcut, const THotKeyFile& document, int32_t hotkeyId) const;

private:
    std::multimap<TShortCut, THolder> held_;
};

// The sources of the running desktop: KDE's and Xfce's stores (each answers
// only while its daemon runs), the GSettings keybindings of the desktops
// that XDG_CURRENT_DESKTOP names (GNOME, Cinnamon, MATE: their schemas are
// often installed where they do not run), the user's running sxhkd and
// xbindkeys, and the other running Tarvos.
std::vector<std::unique_ptr<IHolderSource>> RunningDesktopSources();

} // namespace tarvo::conflicts
