#pragma once
// The main window: the list of the current document's hotkeys, creating,
// editing and deleting them, the hotkey file (open, save, save as, reload),
// the document's two preferences (minimise at start, language), the about
// dialog, the end of the program, and the tray icon with its menu.
//
// Registration and dispatch of the hotkeys belong to the registrar, which
// keeps the tray menu's hotkey entries; the window tells it when hotkeys
// come and go.

#include <QTimer>

#include <functional>
#include <memory>
#include <string>

#include "app/hotkeyregistrar.h"
#include "app/windows/traypopupmenu.h"
#include "conflicts/conflictfinder.h"
#include "dialogs/tsform.h"
#include "platform/ownwindows.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;

namespace tarvo {

class TFileChangeWatcher;
class TFormInfo;
class THotKeyFileDialog;
class TMltLang;
class TReferenceList;
class TTrayIcon;

// Where the windows ask who holds a combination.
using THolderSources = std::function<std::vector<std::unique_ptr<conflicts::IHolderSource>>()>;

// Opens the hotkey definition dialog, owned by owner, on the hotkey and
// returns its modal result; on OK the dialog has copied its edits into the
// hotkey. The dialog warns of the holders of the combination typed that the
// sources know, and of the other hotkeys of the current file that have it.
int DefineHotKeyInDialog(QWidget* owner, THotTarvo& hotkey, const THolderSources& sources);

class TFormMain : public TTSForm {
    Q_OBJECT

public:
    // Gives the registrar that registers the document's hotkeys and keeps
    // the tray menu handed to it; asked once, during construction. The
    // registrar must outlive the window.
    using TRegistrarSource = std::function<THotKeyRegistrar&(ITrayMenu& trayMenu)>;
    using THotKeyEditor = std::function<int(QWidget* owner, THotTarvo& hotkey)>;

    explicit TFormMain(const TRegistrarSource& registrar, QWidget* owner = nullptr);
    ~TFormMain() override;

    QLabel* Label6;
    QLabel* Label1;
    QListWidget* LBListe;
    QLabel* Label2;
    QPushButton* BtnNew;
    QPushButton* BtnEdit;
    QPushButton* BtnDelete;
    QPushButton* BtnViewInfo;
    QCheckBox* CBMinimize;
    QPushButton* BtnOpen;
    QPushButton* BtnSave;
    QPushButton* BtnSaveAs;
    QPushButton* BtnReload;
    QPushButton* BtnQuit;
    QLabel* Label3;
    QLabel* LabCurrFileName;
    QComboBox* CBLanguages;
    QLabel* Label4;
    QMenu* PopupMenu1;
    QAction* MCHide;
    QAction* PPCRestore;
    QAction* PPCClose;
    QAction* N3;
    TTrayIcon* TrayIcon1;
    THotKeyFileDialog* OpenDialog;
    THotKeyFileDialog* SaveDialog;
    TMltLang* MltLang;

    // The about dialog, shown by BtnViewInfo; not owned.
    TFormInfo* FormInfo = nullptr;
    // Who holds a combination: the marks of refused combinations name the
    // holders, and the hotkey definition dialog warns of them. Asked only
    // when there is something to say, from the first showing on.
    THolderSources HolderSources = &conflicts::RunningDesktopSources;
    // How New and Edit open the hotkey definition dialog.
    THotKeyEditor EditHotKey = [this](QWidget* owner, THotTarvo& hotkey) {
        return DefineHotKeyInDialog(owner, hotkey, HolderSources);
    };

    // The hotkeys were changed since the document was last loaded or saved.
    bool Modified = false;

    // Sets the minimise check box, rebuilds the list from the document and
    // marks the hotkeys whose combination was refused.
    void ShowHotKeys();
    // The name part of the current file name.
    void ShowFileName();
    // Asks whether to save unsaved changes; false when the user cancels.
    bool QuerySaveChanges();
    // Loads the messages of the language, makes it the document's and
    // switches every form to it.
    void SetLanguage(int32_t language);

    void BtnNewClick();
    void BtnEditClick();
    void BtnDeleteClick();
    void BtnSaveClick();
    void BtnSaveAsClick();
    void BtnOpenClick();
    void BtnReloadClick();
    void BtnQuitClick();
    void BtnViewInfoClick();
    void CBMinimizeClick();
    void CBLanguagesClick();
    void PPCRestoreClick();
    void PPCCloseClick();
    void TrayIcon1Click();
    void TrayIcon1RightClick();

    // Whether the desktop session may end (a logout): asks about unsaved
    // changes as closing the window does.
    bool MayEndSession();

    // The application's minimise and restore. Restoring shows the window
    // from the tray or the task bar, or brings it to the front.
    void MinimizeApplication();
    void RestoreApplication();

signals:
    // The window was closed: the program ends.
    void Closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Escape does not close the main window.
    void reject() override { }
    // Enter clicks the focused button and nothing else: the window has no
    // default button.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateControls();
    // A button whose caption the desktop's font makes wider than its design
    // width grows about its centre into the gaps beside it.
    void WidenButtonsIntoGaps();
    void CreateTrayMenu();
    void ConnectHandlers();
    // Connects a signal to a handler whose errors are reported.
    template <class Sender, class Signal>
    void Handle(Sender* sender, Signal signal, void (TFormMain::*handler)());

    void FormShow();
    void FormActivate();
    bool FormClose();

    void ActivateHotKey(THotTarvo& hotkey);
    void UpdateHotKeyRegistration(THotTarvo& hotkey);
    void DeactivateHotKey(THotTarvo& hotkey);
    void RegisterAllHotKeys();
    void UnregisterAllHotKeys();
    // The list's mark and tooltip for each hotkey whose combination the
    // window system refused.
    void ShowRegistrationMarks();
    void LogRefusal(const THotTarvo& hotkey) const;
    void ReportLaunchFailure(const THotTarvo& hotkey, const THotKeyCommand& command, const TUserText& reason);
    // Steps of Reload and Open after the question: withdraw, load, register
    // and show again. A file that cannot be read leaves the document in
    // memory registered and shown, and the error is raised afterwards.
    void ReloadHotKeyFile();
    // The file's state on disk is the program's own from now on: after it
    // was loaded or saved.
    void WatchHotKeyFile();
    // Another program changed the file: reloaded when nothing is unsaved,
    // otherwise the user is asked once. Waits while a dialog is open, which
    // may be editing a hotkey of the document a reload would replace.
    void HotKeyFileChangedOutside();

    std::unique_ptr<TReferenceList> HotKeyRefs;
    std::unique_ptr<TTrayPopupMenu> trayMenu_;
    THotKeyRegistrar* registrar_ = nullptr;
    // A hotkey that looks for this window finds it, even in the tray, and
    // restores it as the tray does.
    std::unique_ptr<platform::TOwnWindowRegistration> ownWindow_;
    bool shown_ = false;
    TFileChangeWatcher* fileWatcher_;
    // The user chose to keep their changes over the file changed outside.
    bool keptChangesOverOutsideChange_ = false;
    // A click on the tray icon opens the menu once no second click followed.
    QTimer trayClickMenu_;
};

} // namespace tarvo
