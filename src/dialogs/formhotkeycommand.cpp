#include "dialogs/formhotkeycommand.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QToolButton>

#include "TFormHotKeyCommand_resource.h"
#include "dialogs/browsefolder.h"
#include "dialogs/opendialog.h"
#include "hotkeys/hotkeyfile.h"
#include "hotkeys/windowmatch.h"
#include "lang/messagelist.h"
#include "lang/mltlang.h"

namespace tarvo {

namespace {

// The show modes, in the order of their values; the texts come with the
// form's translations.
constexpr int ExecModeCount = ExecMinimizedNoActivate + 1;
constexpr int32_t MsgWindowTextUnusable = 3;

// What the file kinds of the file dialog select here, in the order of the
// names in its translated filter: applications (programs and desktop
// entries), batch files (scripts) and all files.
std::vector<TFileKind> CommandFileKinds()
{
    return {{{QStringLiteral("*.desktop")}, true},
            {{QStringLiteral("*.sh"), QStringLiteral("*.bat")}},
            {{QStringLiteral("*")}}};
}

} // namespace

TFormHotKeyCommand::TFormHotKeyCommand(QWidget* owner) : TTSForm(owner), working_(std::make_unique<THotKeyCommand>())
{
    setObjectName(QStringLiteral("FormHotKeyCommand"));
    SetDesignClientSize(424, 184);

    const auto addGlyphButton = [this](const char* name, const TDesignRect& rect, QStyle::StandardPixmap glyph) {
        auto* button = AddControl<QToolButton>(name, rect);
        button->setIcon(style()->standardIcon(glyph));
        button->setIconSize(QSize(16, 16));
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->installEventFilter(this);
        return button;
    };
    TxtName = AddControl<QLineEdit>("TxtName", {100, 6, 294, 21});
    // The design gives this label and Label5 no focus control; they get one
    // here so that their access keys are shown as such and do something.
    Label1 = AddLabel("Label1", {6, 9, 31, 13}, TxtName);
    TxtExec = AddControl<QLineEdit>("TxtExec", {100, 30, 294, 21});
    Label4 = AddLabel("Label4", {6, 33, 54, 13}, TxtExec);
    BtnBrowse = addGlyphButton("BtnBrowse", {394, 30, 21, 21}, QStyle::SP_DialogOpenButton);
    TxtParameters = AddControl<QLineEdit>("TxtParameters", {99, 54, 294, 21});
    Label2 = AddLabel("Label2", {6, 57, 51, 13}, TxtParameters);
    TxtDirectory = AddControl<QLineEdit>("TxtDirectory", {99, 78, 294, 21});
    Label3 = AddLabel("Label3", {6, 81, 25, 13}, TxtDirectory);
    BtnBrowseDirectory = addGlyphButton("BtnBrowseDirectory", {391, 78, 21, 21}, QStyle::SP_DirIcon);
    CBExecMode = AddControl<QComboBox>("CBExecMode", {99, 102, 225, 21});
    for (int mode = 0; mode < ExecModeCount; ++mode)
        CBExecMode->addItem(QString(), mode);
    Label5 = AddLabel("Label5", {6, 105, 35, 13}, CBExecMode);
    TxtLookForWindow = AddControl<QLineEdit>("TxtLookForWindow", {300, 129, 118, 21});
    // A text wider than the room before TxtLookForWindow (the German one, in
    // the wide fonts of many desktops) goes on to a second line instead of
    // running under the field; one line stays centred on the field's row.
    Label6 = AddControl<QLabel>("Label6", {6, 126, 290, 27});
    Label6->setBuddy(TxtLookForWindow);
    Label6->setWordWrap(true);
    BtnOK = AddControl<QPushButton>("BtnOK", {258, 157, 78, 21});
    BtnCancel = AddControl<QPushButton>("BtnCancel", {341, 157, 78, 21});

    QWidget* tabOrder[] = {TxtName,    TxtExec,          TxtParameters, TxtDirectory,
                           CBExecMode, TxtLookForWindow, BtnOK,         BtnCancel};
    for (size_t i = 1; i < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);

    BindOkCancel(BtnOK, BtnCancel, [this] { BtnOKClick(); });
    connect(BtnBrowse, &QToolButton::clicked, this, [this] { BtnBrowseClick(); });
    connect(BtnBrowseDirectory, &QToolButton::clicked, this, [this] { BtnBrowseDirectoryClick(); });

    OpenDialog = new TOpenDialog(this);
    OpenDialog->setObjectName(QStringLiteral("OpenDialog"));
    OpenDialog->Kinds = CommandFileKinds();
    // Folders only, with a status line, the whole file system: the defaults.
    BrowseFolder = new TBrowseFolder(this);
    BrowseFolder->setObjectName(QStringLiteral("BrowseFolder"));

    // The window system's default position: Qt's, centred over the owner.
    setAttribute(Qt::WA_Moved, false);
    MltLang = LoadTranslations(formresources::TFormHotKeyCommand);
}

TFormHotKeyCommand::~TFormHotKeyCommand() = default;

void TFormHotKeyCommand::SetCommand(THotKeyCommand& command)
{
    command_ = &command;
    command.CopyTo(*working_);
}

void TFormHotKeyCommand::showEvent(QShowEvent* event)
{
    // A window coming back from being minimised keeps what the user typed.
    if (!event->spontaneous())
        FormShow();
    TTSForm::showEvent(event);
}

bool TFormHotKeyCommand::eventFilter(QObject* watched, QEvent* event)
{
    // The form does not show hints: the glyph buttons keep theirs unshown.
    if (event->type() == QEvent::ToolTip)
        return true;
    return TTSForm::eventFilter(watched, event);
}

void TFormHotKeyCommand::FormShow()
{
    SetFormLanguage(CurrentHotKeyFile().Language, *MltLang);
    SetControlText(TxtName, working_->Name);
    SetControlText(TxtExec, working_->FileName);
    SetControlText(TxtParameters, working_->Parameters);
    SetControlText(TxtDirectory, working_->Directory);
    SetControlText(TxtLookForWindow, working_->LookForWindow);
    // A mode outside the list shows no selection.
    const int mode = working_->ExecMode;
    CBExecMode->setCurrentIndex(mode >= 0 && mode < CBExecMode->count() ? mode : -1);
}

void TFormHotKeyCommand::BtnBrowseClick()
{
    GetControlText(TxtExec, OpenDialog->FileName);
    if (OpenDialog->Execute())
        SetControlText(TxtExec, OpenDialog->FileName);
}

void TFormHotKeyCommand::BtnBrowseDirectoryClick()
{
    GetControlText(TxtDirectory, BrowseFolder->Directory);
    if (BrowseFolder->Execute())
        SetControlText(TxtDirectory, BrowseFolder->Directory);
}

void TFormHotKeyCommand::CheckWindowText()
{
    if (ValidationFailed)
        return;
    try {
        working_->CheckLookForWindow();
    } catch (const EWindowMatchInvalid& error) {
        ShowMessageNoFmt(MsgWindowTextUnusable, {error.Reason.In(CurrentHotKeyFile().Language == LanguageGerman)});
        FocusControlIfWindowed(TxtLookForWindow);
        ValidationFailed = true;
    }
}

void TFormHotKeyCommand::BtnOKClick()
{
    RunValidationPass(
        [this] {
            GetRequiredText(TxtName, working_->Name);
            GetRequiredText(TxtExec, working_->FileName);
            // Not validated: no selection stores -1.
            working_->ExecMode = CBExecMode->currentIndex();
            GetControlText(TxtParameters, working_->Parameters);
            GetControlText(TxtDirectory, working_->Directory);
            GetControlText(TxtLookForWindow, working_->LookForWindow);
            CheckWindowText();
        },
        [this] {
            if (command_)
                working_->CopyTo(*command_);
        });
}

} // namespace tarvo
