#pragma once
// The hotkey definition dialog: edits one hotkey (its name, key combination,
// activation and commands) on a working copy that reaches the caller's
// hotkey only on a successful OK. Commands are edited in the command dialog,
// combinations that cannot be typed in the special shortcut dialog.

#include <functional>

#include "dialogs/tsform.h"
#include "hotkeys/hotkey.h"
#include "lang/referencelist.h"
#include "platform/errors.h"

class QCheckBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tarvo {

class TMltLang;

class TFormHotKeyDefine : public TTSForm {
    Q_OBJECT

public:
    // Shows a command dialog, owned by owner, that edits the command in
    // place on OK; returns the dialog's modal result.
    using TCommandEditor = std::function<int(QWidget* owner, THotKeyCommand& command)>;

    explicit TFormHotKeyDefine(QWidget* owner = nullptr);

    // The hotkey to edit: copied into the working copy now, written back at
    // a successful OK.
    void SetHotKey(THotTarvo& hotKey);

    // How New and Edit run the command dialog: TFormHotKeyCommand.
    TCommandEditor EditCommand;
    // Who else holds a combination, for the warning under the shortcut
    // (empty texts: nobody); unset, the dialog warns of nothing. The warning
    // does not keep OK from taking the combination: the user may mean to
    // take it over.
    std::function<TUserText(TShortCut shortcut)> DescribeHolders;

    QLabel* Label1;
    QLineEdit* TxtName;
    QLabel* Label2;
    QLineEdit* TxtKey;
    QLabel* LabKeyPress;
    QLabel* Label3;
    QLabel* LabInfo;
    QLabel* Label7;
    QLabel* LabHolders;
    QPushButton* BtnSpecial;
    QCheckBox* CBKeyEnabled;
    QLabel* Label4;
    QListWidget* LBCommands;
    QPushButton* BtnNew;
    QPushButton* BtnEdit;
    QPushButton* BtnDelete;
    QPushButton* BtnOK;
    QPushButton* BtnCancel;
    TMltLang* MltLang;

protected:
    void showEvent(QShowEvent* event) override;
    // The key field's focus changes and key presses.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    void FormActivate();
    void RefreshCommandList();
    void ShowShortcut();
    void TxtKeyEnter();
    void TxtKeyKeyDown(const QKeyEvent& event);
    void BtnSpecialClick();
    void BtnNewClick();
    void BtnEditClick();
    void BtnDeleteClick();
    void BtnOKClick();

    THotTarvo working_;
    THotTarvo* hotKey_ = nullptr;
    TReferenceList commandReferences_; // line i of LBCommands is reference i
};

} // namespace tarvo
