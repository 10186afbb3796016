#pragma once
// The command dialog: edits one command of a hotkey (name, file, parameters,
// working directory, show mode, window text) on a working copy that reaches
// the caller's command only on a successful OK.

#include <memory>

#include "dialogs/tsform.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace tarvo {

class TBrowseFolder;
class THotKeyCommand;
class TMltLang;
class TOpenDialog;

class TFormHotKeyCommand : public TTSForm {
    Q_OBJECT

public:
    explicit TFormHotKeyCommand(QWidget* owner);
    ~TFormHotKeyCommand() override;

    // The command to edit: copied into the working copy now, written back
    // at a successful OK.
    void SetCommand(THotKeyCommand& command);

    QLabel* Label1;
    QLineEdit* TxtName;
    QLabel* Label4;
    QLineEdit* TxtExec;
    QToolButton* BtnBrowse;
    QLabel* Label2;
    QLineEdit* TxtParameters;
    QLabel* Label3;
    QLineEdit* TxtDirectory;
    QToolButton* BtnBrowseDirectory;
    QLabel* Label5;
    QComboBox* CBExecMode;
    QLabel* Label6;
    QLineEdit* TxtLookForWindow;
    QPushButton* BtnOK;
    QPushButton* BtnCancel;
    TOpenDialog* OpenDialog;
    TBrowseFolder* BrowseFolder;
    TMltLang* MltLang;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    void BtnBrowseClick();
    void BtnBrowseDirectoryClick();
    void BtnOKClick();
    // The window text can be used; otherwise says why and fails the pass.
    void CheckWindowText();

    std::unique_ptr<THotKeyCommand> working_;
    THotKeyCommand* command_ = nullptr;
};

} // namespace tarvo
