#include "conflicts/conflictfinder.h"

#include <algorithm>


namespace tarvo::conflicts {

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

} // namespace tarvo::conflicts
