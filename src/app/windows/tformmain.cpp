#include "app/windows/tformmain.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSessionManager>
#include <QStyle>

#include <algorithm>
#include <optional>

#include "TFormMain_resource.h"
#include "app/windows/exceptionreport.h"
#include "app/windows/filechangewatcher.h"
#include "app/windows/hotkeyfiledialog.h"
#include "app/windows/ttrayicon.h"
#include "app/windows/windowslog.h"
#include "dialogs/programicon.h"
#include "dialogs/tforminfo.h"
#include "hotkeys/hotkeyfile.h"
#include "lang/formresource.h"
#include "lang/messagelist.h"
#include "lang/mltlang.h"
#include "lang/referencelist.h"
#include "platform/messagebox.h"

namespace tarvo {

namespace {

// Numbers of the message table.
constexpr int32_t MsgSaveChanges = 0;
constexpr int32_t MsgFileChangedOutside = 1;
constexpr int32_t MsgOverwriteNewerFile = 2;
// How long a change of the file from outside waits for an open dialog.
constexpr int DialogWaitMs = 500;
constexpr int32_t MsgConfirmDelete = 9;

// The hourglass while a file is read or written.
class TWaitCursor {
public:
    TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
};

// The part of a file name after its last directory separator.
std::string NamePart(const std::string& fileName)
{
    const size_t separator = fileName.find_last_of("/\\:");
    return separator == std::string::npos ? fileName : fileName.substr(separator + 1);
}

THotKeyFile& Document()
{
    return CurrentHotKeyFile();
}

} // namespace

TFormMain::TFormMain(const TRegistrarSource& registrar, QWidget* owner) : TTSForm(owner)
{
    setObjectName(QStringLiteral("FormMain"));
    // A main window: minimise box, no maximise box, fixed size.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    SetDesignClientSize(433, 372);
    PlaceCentredWhenFirstShown();
    CreateControls();
    CreateTrayMenu();

    TrayIcon1 = new TTrayIcon(*this, this);
    TrayIcon1->setObjectName(QStringLiteral("TrayIcon1"));
    TrayIcon1->SetHint("Tarvo");
    TrayIcon1->SetIcon(ProgramIcon());
    TrayIcon1->OnClick = [this](TTrayIcon&) { TrayIcon1Click(); };
    TrayIcon1->OnDblClick = [this](TTrayIcon&) { RunReportingErrors([this] { PPCRestoreClick(); }); };
    TrayIcon1->OnRightClick = [this](TTrayIcon&, QPoint) { TrayIcon1RightClick(); };

    OpenDialog = new THotKeyFileDialog(THotKeyFileDialog::Open, this);
    OpenDialog->setObjectName(QStringLiteral("OpenDialog"));
    OpenDialog->DefaultExt = QStringLiteral("tvo");
    SaveDialog = new THotKeyFileDialog(THotKeyFileDialog::Save, this);
    SaveDialog->setObjectName(QStringLiteral("SaveDialog"));
    SaveDialog->DefaultExt = QStringLiteral("tvo");

    MltLang = new TMltLang(this);
    MltLang->setObjectName(QStringLiteral("MltLang"));
    LoadFormResource(*MltLang, formresources::TFormMain);

    trayMenu_ = std::make_unique<TTrayPopupMenu>(*PopupMenu1);
    TrayIcon1->DesktopMenu = PopupMenu1;
    registrar_ = &registrar(*trayMenu_);
    registrar_->OnLaunchFailed = [this](const THotTarvo& hotkey, const THotKeyCommand& command,
                                        const TUserText& reason) { ReportLaunchFailure(hotkey, command, reason); };
    // A desktop that binds the shortcuts itself answers later, and may change
    // its mind while the program runs.
    registrar_->OnRegistrationChanged = [this](const THotTarvo& hotkey) {
        LogRefusal(hotkey);
        ShowRegistrationMarks();
    };
    fileWatcher_ = new TFileChangeWatcher(this);
    connect(fileWatcher_, &TFileChangeWatcher::Changed, this,
            [this] { RunReportingErrors([this] { HotKeyFileChangedOutside(); }); });
    ConnectHandlers();
    ownWindow_ = std::make_unique<platform::TOwnWindowRegistration>([this] {
        return platform::TOwnWindow{static_cast<platform::TWindowId>(winId()), windowTitle().toStdString(),
                                    [this] { RestoreApplication(); }};
    });
    // A logout must not lose unsaved changes silently.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
        if (!manager.allowsInteraction())
            return;
        const bool mayEnd = MayEndSession();
        manager.release();
        if (!mayEnd)
            manager.cancel();
    });

    // FormCreate
    HotKeyRefs = std::make_unique<TReferenceList>(*Document().HotKeyList);
    Modified = false;
}

TFormMain::~TFormMain()
{
    // FormDestroy
    registrar_->OnLaunchFailed = nullptr;
    registrar_->OnRegistrationChanged = nullptr;
    FreeMessages();
}

void TFormMain::CreateControls()
{
    Label6 = AddLabel("Label6", {6, 4, 72, 28});
    StyleAsProgramName(*Label6, Scale().Y(24));
    Label1 = AddLabel("Label1", {86, 14, 312, 13});
    // Created in tab order.
    LBListe = AddControl<QListWidget>("LBListe", {6, 50, 415, 159});
    Label2 = AddLabel("Label2", {6, 32, 182, 13}, LBListe);
    BtnNew = AddControl<QPushButton>("BtnNew", {6, 212, 78, 21});
    BtnEdit = AddControl<QPushButton>("BtnEdit", {90, 212, 78, 21});
    BtnDelete = AddControl<QPushButton>("BtnDelete", {174, 212, 78, 21});
    BtnViewInfo = AddControl<QPushButton>("BtnViewInfo", {342, 212, 78, 21});
    CBMinimize = AddControl<QCheckBox>("CBMinimize", {7, 293, 177, 17});
    BtnOpen = AddControl<QPushButton>("BtnOpen", {6, 246, 78, 21});
    BtnSave = AddControl<QPushButton>("BtnSave", {90, 246, 78, 21});
    BtnSaveAs = AddControl<QPushButton>("BtnSaveAs", {174, 246, 78, 21});
    BtnReload = AddControl<QPushButton>("BtnReload", {257, 246, 78, 21});
    BtnQuit = AddControl<QPushButton>("BtnQuit", {342, 246, 78, 21});
    Label3 = AddLabel("Label3", {8, 275, 68, 13});
    // The file name is shown as it is: an "&" in it is no access key. It
    // may take the rest of the row.
    LabCurrFileName = AddControl<QLabel>("LabCurrFileName", {89, 275, 331, 13});
    LabCurrFileName->setTextFormat(Qt::PlainText);
    CBLanguages = AddControl<QComboBox>("CBLanguages", {87, 315, 145, 21});
    CBLanguages->addItems({QStringLiteral("english"), QStringLiteral("deutsch")});
    Label4 = AddLabel("Label4", {6, 318, 43, 13}, CBLanguages);
    // A dialog would make its first button the default one, which Enter in
    // the list would click.
    for (QPushButton* button : findChildren<QPushButton*>())
        button->setAutoDefault(false);
    GrowWithCaption(CBMinimize);
    AfterLabelSizing([this] { WidenButtonsIntoGaps(); });
}

void TFormMain::CreateTrayMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    const auto addFixed = [this](const char* name) {
        QAction* entry = PopupMenu1->addAction(QString());
        entry->setObjectName(QString::fromLatin1(name));
        TTrayPopupMenu::MarkFixed(*entry);
        return entry;
    };
    MCHide = addFixed("MCHide");
    PPCRestore = addFixed("PPCRestore");
    PopupMenu1->setDefaultAction(PPCRestore);
    PPCClose = addFixed("PPCClose");
    N3 = addFixed("N3");
    N3->setSeparator(true);
}

void TFormMain::WidenButtonsIntoGaps()
{
    constexpr int MinimumGap = 1;
    const QList<QPushButton*> buttons = findChildren<QPushButton*>(Qt::FindDirectChildrenOnly);
    for (QPushButton* button : buttons) {
        const QStyle& style = *button->style();
        const int needed = button->fontMetrics().size(Qt::TextShowMnemonic, button->text()).width()
            + style.pixelMetric(QStyle::PM_ButtonMargin) + 2 * style.pixelMetric(QStyle::PM_DefaultFrameWidth);
        if (needed <= button->width())
            continue;
        int left = 0, right = width();
        for (const QPushButton* other : buttons) {
            if (other == button || other->y() != button->y())
                continue;
            if (other->x() < button->x())
                left = std::max(left, other->geometry().right() + 1 + MinimumGap);
            else
                right = std::min(right, other->x() - MinimumGap);
        }
        const int grow = needed - button->width();
        const int x = std::max(left, button->x() - grow / 2);
        button->setGeometry(x, button->y(), std::min(needed, right - x), button->height());
    }
}

template <class Sender, class Signal>
void TFormMain::Handle(Sender* sender, Signal signal, void (TFormMain::*handler)())
{
    connect(sender, signal, this, [this, handler] { RunReportingErrors([this, handler] { (this->*handler)(); }); });
}

void TFormMain::ConnectHandlers()
{
    Handle(BtnNew, &QPushButton::clicked, &TFormMain::BtnNewClick);
    Handle(BtnEdit, &QPushButton::clicked, &TFormMain::BtnEditClick);
    Handle(BtnDelete, &QPushButton::clicked, &TFormMain::BtnDeleteClick);
    Handle(BtnViewInfo, &QPushButton::clicked, &TFormMain::BtnViewInfoClick);
    Handle(BtnOpen, &QPushButton::clicked, &TFormMain::BtnOpenClick);
    Handle(BtnSave, &QPushButton::clicked, &TFormMain::BtnSaveClick);
    Handle(BtnSaveAs, &QPushButton::clicked, &TFormMain::BtnSaveAsClick);
    Handle(BtnReload, &QPushButton::clicked, &TFormMain::BtnReloadClick);
    Handle(BtnQuit, &QPushButton::clicked, &TFormMain::BtnQuitClick);
    Handle(CBMinimize, &QCheckBox::clicked, &TFormMain::CBMinimizeClick);
    Handle(CBLanguages, &QComboBox::activated, &TFormMain::CBLanguagesClick);
    Handle(PPCRestore, &QAction::triggered, &TFormMain::PPCRestoreClick);
    Handle(PPCClose, &QAction::triggered, &TFormMain::PPCCloseClick);
    OnListDoubleClick(LBListe, [this] { RunReportingErrors([this] { BtnEditClick(); }); });

    // A double click on the tray icon restores without the menu of its
    // first click coming up in between.
    trayClickMenu_.setSingleShot(true);
    trayClickMenu_.setInterval(QApplication::doubleClickInterval());
    connect(&trayClickMenu_, &QTimer::timeout, this, [this] { PopupMenu1->popup(QCursor::pos()); });
}

void TFormMain::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (auto* button = qobject_cast<QPushButton*>(focusWidget()); enter && button && event->modifiers() == 0) {
        button->click();
        return;
    }
    TTSForm::keyPressEvent(event);
}

void TFormMain::showEvent(QShowEvent* event)
{
    const bool first = !shown_;
    shown_ = true;
    if (first) {
        LBListe->setFocus();
        RunReportingErrors([this] { FormShow(); });
    }
    TTSForm::showEvent(event);
    // The window is activated once, right after it was first shown.
    if (first)
        QMetaObject::invokeMethod(
            this, [this] { RunReportingErrors([this] { FormActivate(); }); }, Qt::QueuedConnection);
}

void TFormMain::closeEvent(QCloseEvent* event)
{
    bool close = false;
    RunReportingErrors([&] { close = FormClose(); });
    if (!close) {
        event->ignore();
        return;
    }
    event->accept();
    emit Closed();
}

void TFormMain::FormShow()
{
    CBLanguages->setCurrentIndex(Document().Language);
    SetLanguage(Document().Language);
}

void TFormMain::FormActivate()
{
    ShowHotKeys();
    ShowFileName();
    if (Document().MinimizeAtStart)
        MinimizeApplication();
    RegisterAllHotKeys();
    WatchHotKeyFile();
}

bool TFormMain::FormClose()
{
    return QuerySaveChanges();
}

bool TFormMain::MayEndSession()
{
    bool mayEnd = false;
    RunReportingErrors([&] { mayEnd = QuerySaveChanges(); });
    return mayEnd;
}

void TFormMain::ShowHotKeys()
{
    CBMinimize->setChecked(Document().MinimizeAtStart);
    HotKeyRefs->ReCreateFromList(*Document().HotKeyList);
    HotKeyRefs->FillListBox(*LBListe);
    ShowRegistrationMarks();
}

void TFormMain::ShowFileName()
{
    LabCurrFileName->setText(QString::fromStdString(NamePart(HotKeyFileName())));
}

bool TFormMain::QuerySaveChanges()
{
    RestoreApplication();
    if (!Modified)
        return true;
    switch (ShowMessageNo(MsgSaveChanges)) {
    case platform::IdYes:
        BtnSaveClick();
        return !Modified; // not when the user would not overwrite a newer file
    case platform::IdNo:
        Modified = false;
        return true;
    case platform::IdCancel:
        return false;
    default: // also a missing message
        return true;
    }
}

void TFormMain::SetLanguage(int32_t language)
{
    SelectMessageLanguage(language);
    Document().Language = language;
    SetFormLanguage(language, *MltLang);
    ShowFileName();
    CBLanguages->setCurrentIndex(language);
    ShowRegistrationMarks();
}

void TFormMain::BtnNewClick()
{
    auto hotkey = std::make_unique<THotTarvo>();
    if (EditHotKey(this, *hotkey) != mrOk)
        return;
    THotTarvo& added = *hotkey;
    Document().HotKeyList->Add(std::move(hotkey));
    ActivateHotKey(added);
    ShowHotKeys();
    Modified = true;
}

void TFormMain::BtnEditClick()
{
    int index = -1;
    if (GetSelectedIndex(LBListe, index)) {
        auto& hotkey = CastTo<THotTarvo>(*HotKeyRefs->ObjectAt(index));
        if (EditHotKey(this, hotkey) == mrOk) {
            Modified = true;
            ShowHotKeys();
        }
        UpdateHotKeyRegistration(hotkey);
    }
    ValidationFailed = false;
}

void TFormMain::BtnDeleteClick()
{
    int index = -1;
    if (GetSelectedIndex(LBListe, index) && ShowMessageNo(MsgConfirmDelete) == platform::IdYes) {
        const int32_t id = HotKeyRefs->GetSelectedID(*LBListe);
        DeactivateHotKey(CastTo<THotTarvo>(*HotKeyRefs->ObjectAt(index)));
        Document().HotKeyList->FreeID(id);
        ShowHotKeys();
        Modified = true;
    }
    ValidationFailed = false;
}

void TFormMain::BtnSaveClick()
{
    if (fileWatcher_->ChangedOnDisk() && ShowMessageNoFmt(MsgOverwriteNewerFile, {HotKeyFileName()}) != platform::IdYes)
        return;
    {
        TWaitCursor wait;
        SaveHotKeyFile();
    }
    WatchHotKeyFile();
    Modified = false;
}

void TFormMain::BtnSaveAsClick()
{
    SaveDialog->FileName = HotKeyFileName();
    if (!SaveDialog->Execute())
        return;
    HotKeyFileName() = SaveDialog->FileName;
    ShowFileName();
    SaveHotKeyFile();
    WatchHotKeyFile();
}

void TFormMain::BtnOpenClick()
{
    OpenDialog->FileName = HotKeyFileName();
    if (!OpenDialog->Execute() || !QuerySaveChanges())
        return;
    HotKeyFileName() = OpenDialog->FileName;
    ShowFileName();
    ReloadHotKeyFile();
}

void TFormMain::BtnReloadClick()
{
    if (QuerySaveChanges())
        ReloadHotKeyFile();
}

void TFormMain::ReloadHotKeyFile()
{
    TWaitCursor wait;
    UnregisterAllHotKeys();
    std::exception_ptr unreadable;
    try {
        LoadHotKeyFile();
    } catch (const ETarvoError&) {
        unreadable = std::current_exception();
    }
    // The list's references first: the marks of the registration are drawn
    // through them, and they still point into the document just replaced.
    ShowHotKeys();
    RegisterAllHotKeys();
    Modified = false;
    WatchHotKeyFile();
    if (unreadable)
        std::rethrow_exception(unreadable);
}

void TFormMain::WatchHotKeyFile()
{
    fileWatcher_->Watch(HotKeyFileName());
    keptChangesOverOutsideChange_ = false;
}

void TFormMain::HotKeyFileChangedOutside()
{
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(DialogWaitMs, this, [this] { RunReportingErrors([this] { HotKeyFileChangedOutside(); }); });
        return;
    }
    if (!fileWatcher_->ChangedOnDisk() || keptChangesOverOutsideChange_)
        return;
    if (Modified && ShowMessageNoFmt(MsgFileChangedOutside, {HotKeyFileName()}) != platform::IdYes) {
        keptChangesOverOutsideChange_ = true;
        return;
    }
    ReloadHotKeyFile();
}

void TFormMain::BtnQuitClick()
{
    if (QuerySaveChanges())
        close();
}

void TFormMain::BtnViewInfoClick()
{
    if (FormInfo)
        FormInfo->ShowModal();
}

void TFormMain::CBMinimizeClick()
{
    Document().MinimizeAtStart = CBMinimize->isChecked();
}

void TFormMain::CBLanguagesClick()
{
    SetLanguage(CBLanguages->currentIndex());
}

void TFormMain::PPCRestoreClick()
{
    trayClickMenu_.stop();
    RestoreApplication();
}

void TFormMain::PPCCloseClick()
{
    close();
}

void TFormMain::TrayIcon1Click()
{
    trayClickMenu_.start();
}

void TFormMain::TrayIcon1RightClick()
{
    if (!TrayIcon1->DesktopDrawsMenu())
        PopupMenu1->popup(QCursor::pos());
}

void TFormMain::MinimizeApplication()
{
    showMinimized();
}

void TFormMain::RestoreApplication()
{
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void TFormMain::ActivateHotKey(THotTarvo& hotkey)
{
    registrar_->ActivateHotKey(hotkey);
    LogRefusal(hotkey);
    ShowRegistrationMarks();
}

void TFormMain::UpdateHotKeyRegistration(THotTarvo& hotkey)
{
    registrar_->UpdateHotKeyRegistration(hotkey);
    LogRefusal(hotkey);
    ShowRegistrationMarks();
}

void TFormMain::DeactivateHotKey(THotTarvo& hotkey)
{
    registrar_->DeactivateHotKey(hotkey);
}

void TFormMain::RegisterAllHotKeys()
{
    registrar_->RegisterAllHotKeys();
    const int count = Document().HotKeyList->Count();
    for (int i = 0; i < count; ++i)
        LogRefusal(Document().HotKey(i));
    ShowRegistrationMarks();
    const auto refused = static_cast<int>(registrar_->RefusedHotKeys().size());
    qCInfo(lcWindows, "%d of %d hotkeys registered", count - refused, count);
}

void TFormMain::UnregisterAllHotKeys()
{
    registrar_->UnregisterAllHotKeys();
}

void TFormMain::ShowRegistrationMarks()
{
    const auto& refused = registrar_->RefusedHotKeys();
    std::optional<conflicts::TConflictFinder> finder; // asked at the first refused hotkey
    for (int row = 0; row < LBListe->count(); ++row) {
        QListWidgetItem& item = *LBListe->item(row);
        const auto* hotkey = dynamic_cast<const THotTarvo*>(HotKeyRefs->ObjectAt(row));
        const auto found = hotkey ? refused.find(hotkey->ID) : refused.end();
        if (found == refused.end()) {
            item.setIcon(QIcon());
            item.setToolTip(QString());
            continue;
        }
        if (!finder)
            finder.emplace(HolderSources());
        std::string reason = RefusalText(found->second, Document().Language);
        const std::string holders = conflicts::HoldersText(finder->Holders(hotkey->HotKey, Document(), hotkey->ID),
                                                           Document().Language == LanguageGerman);
        if (!holders.empty())
            reason += "\n" + holders;
        item.setIcon(style()->standardIcon(QStyle::SP_MessageBoxWarning));
        item.setToolTip(QString::fromStdString(reason));
    }
}

void TFormMain::LogRefusal(const THotTarvo& hotkey) const
{
    const auto& refused = registrar_->RefusedHotKeys();
    if (const auto found = refused.find(hotkey.ID); found != refused.end())
        qCWarning(lcWindows).noquote() << QString::fromStdString("hotkey \"" + hotkey.Name + "\" ("
                                                                 + ShortcutText(hotkey.HotKey) + ") is not registered: "
                                                                 + RefusalText(found->second, LanguageEnglish));
}

void TFormMain::ReportLaunchFailure(const THotTarvo& hotkey, const THotKeyCommand& command, const TUserText& reason)
{
    qCWarning(lcWindows).noquote() << QString::fromStdString("hotkey \"" + hotkey.Name + "\", command \"" + command.Name
                                                             + "\": " + reason.English);
    const bool german = Document().Language == LanguageGerman;
    TrayIcon1->ShowNotice(hotkey.Name,
                          (german ? "Befehl \"" : "Command \"") + command.Name + "\": " + reason.In(german));
}

} // namespace tarvo
