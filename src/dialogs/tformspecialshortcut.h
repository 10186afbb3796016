#pragma once
// The special shortcut dialog: a key combination typed as numbers, a
// virtual-key code and the Ctrl, Alt and Shift boxes, for combinations the
// key field of the hotkey definition dialog cannot take (Enter, Escape,
// Tab, keys the keyboard at hand lacks).

#include "dialogs/tsform.h"
#include "hotkeys/shortcut.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvo {

class TMltLang;

class TFormSpecialShortcut : public TTSForm {
    Q_OBJECT

public:
    explicit TFormSpecialShortcut(QWidget* owner = nullptr);

    // The combination: set before showing, the edited one after OK.
    TShortCut HotKey = 0;

    QLabel* Label1;
    QLineEdit* TxtVirtKey;
    QCheckBox* CBControl;
    QCheckBox* CBAlt;
    QCheckBox* CBShift;
    QPushButton* BtnOK;
    QPushButton* BtnCancel;
    TMltLang* MltLang;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void BtnOKClick();
};

} // namespace tarvo
