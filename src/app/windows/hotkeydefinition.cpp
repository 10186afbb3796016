// How the main window opens the hotkey definition dialog: created with the
// window as owner for one use, handed the hotkey, shown modally, destroyed.

#include "app/windows/tformmain.h"
#include "dialogs/tformhotkeydefine.h"

namespace tarvo {

int DefineHotKeyInDialog(QWidget* owner, THotTarvo& hotkey)
{
    TFormHotKeyDefine dialog(owner);
    dialog.SetHotKey(hotkey);
    return dialog.ShowModal();
}

} // namespace tarvo
