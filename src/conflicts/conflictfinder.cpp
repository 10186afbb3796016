#include "conflicts/conflictfinder.h"

#include <algorithm>
#include <cctype>
#include <sstream>

#include "platform/services.h"

namespace tarvo::conflicts {

namespace {

// The GSettings desktops that the colon-separated desktop names of
// XDG_CURRENT_DESKTOP ("ubuntu:GNOME", "X-Cinnamon", "MATE") name.
std::vector<TGSettingsDesktop> GSettingsDesktopsNamed(const std::string& desktops)
{
    std::vector<TGSettingsDesktop> named;
    std::istringstream names(desktops);
    for (std::string name; std::getline(names, name, ':');) {
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::toupper(c); });
        if (name == "GNOME" || name == "UNITY")
            named.push_back(TGSettingsDesktop::Gnome);
        else if (name == "X-CINNAMON" || name == "CINNAMON")
            named.push_back(TGSettingsDesktop::Cinnamon);
        else if (name == "MATE")
            named.push_back(TGSettingsDesktop::Mate);
    }
    return named;
}

} // namespace

std::string HolderText(const THolder& holder, bool german, bool withWhere)
{
    if (holder.InThisFile())
        return german ? "doppelt in dieser Datei: auch beim Hotkey \"" + holder.Action + "\""
                      : "used twice in this file: also by the hotkey \"" + holder.Action + "\"";
    std::string text = (german ? "belegt von " : "held by ") + holder.Owner + ": " + holder.Action;
    if (withWhere)
        text += " (" + holder.Where.In(german) + ")";
    return text;
}

std::string HoldersText(const std::vector<THolder>& holders, bool german)
{
    std::string text;
    for (const THolder& holder : holders)
        text += (text.empty() ? "" : "\n") + HolderText(holder, german);
    return text;
}

TConflictFinder::TConflictFinder(std::vector<std::unique_ptr<IHolderSource>> sources)
{
    for (const auto& source : sources)
        for (THeldCombination& held : source->HeldCombinations())
            if (held.ShortCut & ShortCutKeyMask)
                held_.emplace(held.ShortCut, std::move(held.Holder));
}

std::vector<THolder> TConflictFinder::Holders(TShortCut shortcut) const
{
    std::vector<THolder> holders;
    const auto [first, last] = held_.equal_range(shortcut);
    for (auto held = first; held != last; ++held) {
        const THolder& holder = held->second;
        // A store may list one action under two spellings of the combination.
        if (std::none_of(holders.begin(), holders.end(), [&](const THolder& listed) {
                return listed.Owner == holder.Owner && listed.Action == holder.Action;
            }))
            holders.push_back(holder);
    }
    return holders;
}

std::vector<THolder> TConflictFinder::Holders(TShortCut shortcut, const THotKeyFile& document, int32_t hotkeyId) const
{
    std::vector<THolder> holders = Holders(shortcut);
    if (!(shortcut & ShortCutKeyMask))
        return holders;
    for (int i = 0; i < document.HotKeyList->Count(); ++i) {
        const THotTarvo& hotkey = document.HotKey(i);
        if (hotkey.ID != hotkeyId && hotkey.HotKey == shortcut)
            holders.push_back({"", hotkey.Name, {}});
    }
    return holders;
}

std::vector<std::unique_ptr<IHolderSource>> RunningDesktopSources()
{
    std::vector<std::unique_ptr<IHolderSource>> sources;
    sources.push_back(KdeGlobalShortcuts());
    sources.push_back(XfceKeyboardShortcuts());
    const std::optional<std::string> desktops = platform::Services().Environment->Get("XDG_CURRENT_DESKTOP");
    for (TGSettingsDesktop desktop : GSettingsDesktopsNamed(desktops.value_or("")))
        sources.push_back(GSettingsKeybindings(desktop));
    sources.push_back(RunningHotKeyPrograms());
    sources.push_back(OtherTarvos());
    return sources;
}

} // namespace tarvo::conflicts
