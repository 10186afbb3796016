// How the main window opens the hotkey definition dialog: created with the
// window as owner for one use, handed the hotkey, shown modally, destroyed.

#include <optional>

#include "app/windows/tformmain.h"
#include "conflicts/conflictfinder.h"
#include "dialogs/tformhotkeydefine.h"

namespace tarvo {

namespace {

// The first holder, and how many more there are.
std::string HoldersLine(const std::vector<conflicts::THolder>& holders, bool german)
{
    if (holders.empty())
        return {};
    std::string line = conflicts::HolderText(holders.front(), german);
    if (holders.size() > 1)
        line += (german ? " und " : " and ") + std::to_string(holders.size() - 1) + (german ? " weitere" : " more");
    return line;
}

} // namespace

int DefineHotKeyInDialog(QWidget* owner, THotTarvo& hotkey, const THolderSources& sources)
{
    TFormHotKeyDefine dialog(owner);
    dialog.SetHotKey(hotkey);
    // The stores are asked once, when the dialog first shows a combination.
    std::optional<conflicts::TConflictFinder> finder;
    dialog.DescribeHolders = [&](TShortCut shortcut) -> TUserText {
        if (!finder)
            finder.emplace(sources());
        const auto holders = finder->Holders(shortcut, CurrentHotKeyFile(), hotkey.ID);
        return {HoldersLine(holders, false), HoldersLine(holders, true)};
    };
    return dialog.ShowModal();
}

} // namespace tarvo
