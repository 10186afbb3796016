#pragma once
// Who else holds a key combination: the desktops' shortcut stores, other
// hotkey programs and other Tarvos each answer as a holder source; the
// conflict finder (conflicts/conflictfinder.h) asks them all.

#include <memory>
#include <string>
#include <vector>

#include "hotkeys/shortcut.h"
#include "platform/errors.h"

namespace tarvo::conflicts {

// A holder of a combination, as the user knows it and can change it.
struct THolder {
    // The program or desktop ("KDE", "GNOME", "Xfce", "sxhkd", "Tarvo"); empty
    // for another hotkey of the same file.
    std::string Owner;
    // What the combination does there ("Spectacle — Capture Rectangular
    // Region"), or the other hotkey's name.
    std::string Action;
    // Where the user changes it; empty for another hotkey of the same file.
    TUserText Where;

    bool InThisFile() const { return Owner.empty(); }
};

// One combination a source holds.
struct THeldCombination {
    TShortCut ShortCut = 0;
    THolder Holder;
};

class IHolderSource {
public:
    virtual ~IHolderSource() = default;
    // Every combination of Shift, Ctrl, Alt and a key of the virtual-key
    // vocabulary that the source holds now. A store that cannot be read is
    // logged and answers none.
    virtual std::vector<THeldCombination> HeldCombinations() = 0;
};

// "held by KDE: Spectacle — Capture Rectangular Region", with where to
// change it in parentheses when withWhere; for a hotkey of the same file
// "used twice in this file, also by the hotkey "Editor"". German when german.
std::string HolderText(const THolder& holder, bool german, bool withWhere = true);

// The texts of the holders, one a line.
std::string HoldersText(const std::vector<THolder>& holders, bool german);

// The sources, each made by its own unit.

// KDE's global shortcuts (kglobalaccel on the session bus).
std::unique_ptr<IHolderSource> KdeGlobalShortcuts();
// The keybindings that GNOME, Cinnamon or MATE keep in GSettings: the
// window manager's, the shell's, the media keys and the custom ones.
enum class TGSettingsDesktop { Gnome, Cinnamon, Mate };
std::unique_ptr<IHolderSource> GSettingsKeybindings(TGSettingsDesktop desktop);
// Xfce's keyboard shortcuts (the xfconf channel xfce4-keyboard-shortcuts).
std::unique_ptr<IHolderSource> XfceKeyboardShortcuts();
// The configurations of the user's sxhkd and xbindkeys that run on this
// program's X display, found in procRoot (/proc).
std::unique_ptr<IHolderSource> RunningHotKeyPrograms(std::string procRoot = "/proc");
// The hotkeys other running Tarvos hold (their interface on the session
// bus), not those of this process.
std::unique_ptr<IHolderSource> OtherTarvos();

} // namespace tarvo::conflicts
