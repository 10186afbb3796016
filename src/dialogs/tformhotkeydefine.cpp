#include "dialogs/tformhotkeydefine.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>

#include <memory>
#include <optional>

#include "TFormHotKeyDefine_resource.h"
#include "dialogs/formhotkeycommand.h"
#include "dialogs/tformspecialshortcut.h"
#include "hotkeys/hotkeyfile.h"
#include "lang/messagelist.h"
#include "lang/mltlang.h"
#include "platform/messagebox.h"
#include "platform/qt/qtvirtualkeys.h"
#include "platform/virtualkeys.h"

namespace tarvo {

namespace {

constexpr int32_t MsgConfirmDeletion = 9;

// The combination a key pressed in the key field makes, from its virtual
// key and the Shift, Ctrl and Alt held. None for Shift, Ctrl or Alt pressed
// alone, for a key without a virtual key, for Tab with or without
// modifiers, and for plain Enter and Escape, which keep their meanings in
// the dialog. A combination has no bit for Super, so a Super key is taken
// as the key itself, like any other key.
std::optional<TShortCut> CapturedShortCut(const QKeyEvent& event)
{
    using namespace platform;
    const uint16_t key =
        qt::VirtualKeyOfQtKey(event.key(), event.modifiers(), event.nativeScanCode(), event.nativeVirtualKey());
    const Qt::KeyboardModifiers held = event.modifiers();
    const bool shift = held & Qt::ShiftModifier;
    const bool ctrl = held & Qt::ControlModifier;
    const bool alt = held & Qt::AltModifier;
    // Shift, Ctrl and Alt have no virtual key of their own here.
    if (key == 0 || key == VkTab)
        return std::nullopt;
    if ((key == VkReturn || key == VkEscape) && !shift && !ctrl && !alt)
        return std::nullopt;
    return MakeShortCut(key, shift, ctrl, alt);
}

int RunCommandDialog(QWidget* owner, THotKeyCommand& command)
{
    TFormHotKeyCommand dialog(owner);
    dialog.SetCommand(command);
    return dialog.ShowModal();
}

} // namespace

TFormHotKeyDefine::TFormHotKeyDefine(QWidget* owner) : TTSForm(owner), EditCommand(RunCommandDialog)
{
    setObjectName(QStringLiteral("FormHotKeyDefine"));
    SetDesignClientSize(424, 266);
    PlaceCentredWhenFirstShown();

    // The controls that take the focus are made in their tab order.
    TxtName = AddControl<QLineEdit>("TxtName", {100, 6, 221, 21});
    Label1 = AddLabel("Label1", {8, 9, 31, 13}, TxtName);
    TxtKey = AddControl<QLineEdit>("TxtKey", {100, 33, 27, 21});
    TxtKey->installEventFilter(this);
    Label2 = AddLabel("Label2", {8, 36, 21, 13}, TxtKey);
    LabKeyPress = AddLabel("LabKeyPress", {132, 36, 213, 13});
    LabKeyPress->hide();
    Label3 = AddLabel("Label3", {6, 60, 79, 13});
    LabInfo = AddLabel("LabInfo", {100, 60, 36, 13});
    Label7 = AddLabel("Label7", {210, 60, 37, 13});
    // Who holds the combination already: one line of its own, cut short with
    // "..." when the holder's name is long (the whole text is its hint).
    LabHolders = AddControl<QLabel>("LabHolders", {6, 80, 413, 13});
    QPalette warning = LabHolders->palette();
    warning.setColor(QPalette::WindowText, Qt::darkRed);
    LabHolders->setPalette(warning);
    CBKeyEnabled = AddControl<QCheckBox>("CBKeyEnabled", {99, 96, 169, 17});
    Label4 = AddLabel("Label4", {6, 115, 231, 13});
    LBCommands = AddControl<QListWidget>("LBCommands", {6, 133, 413, 79});
    BtnNew = AddControl<QPushButton>("BtnNew", {6, 218, 78, 21});
    BtnEdit = AddControl<QPushButton>("BtnEdit", {90, 218, 78, 21});
    BtnDelete = AddControl<QPushButton>("BtnDelete", {174, 218, 78, 21});
    BtnOK = AddControl<QPushButton>("BtnOK", {257, 243, 78, 21});
    BtnCancel = AddControl<QPushButton>("BtnCancel", {341, 243, 78, 21});
    // Reached by a click only, not by Tab.
    BtnSpecial = AddControl<QPushButton>("BtnSpecial", {297, 57, 120, 21});
    BtnSpecial->setFocusPolicy(Qt::ClickFocus);
    KeepRightOf(LabInfo, Label3);
    KeepLeftOf(Label7, BtnSpecial);
    // "or press" gives way to a combination text too long for the row.
    AfterLabelSizing([this] { Label7->setVisible(LabInfo->geometry().right() < Label7->x()); });
    GrowWithCaption(CBKeyEnabled);

    BindButton(BtnSpecial, mrNone, [this] { BtnSpecialClick(); });
    BindButton(BtnNew, mrNone, [this] { BtnNewClick(); });
    BindButton(BtnEdit, mrNone, [this] { BtnEditClick(); });
    BindButton(BtnDelete, mrNone, [this] { BtnDeleteClick(); });
    OnListDoubleClick(LBCommands, [this] { BtnEditClick(); });
    BindOkCancel(BtnOK, BtnCancel, [this] { BtnOKClick(); });

    MltLang = LoadTranslations(formresources::TFormHotKeyDefine);
}

void TFormHotKeyDefine::SetHotKey(THotTarvo& hotKey)
{
    hotKey_ = &hotKey;
    hotKey.CopyTo(working_);
}

void TFormHotKeyDefine::showEvent(QShowEvent* event)
{
    // Once per showing: neither a child dialog closing nor the window
    // system restoring the window resets what the user has typed.
    if (!event->spontaneous()) {
        FormShow();
        FormActivate();
    }
    TTSForm::showEvent(event);
}

void TFormHotKeyDefine::FormShow()
{
    SetFormLanguage(CurrentHotKeyFile().Language, *MltLang);
}

void TFormHotKeyDefine::FormActivate()
{
    ShowShortcut();
    SetControlText(TxtName, working_.Name);
    CBKeyEnabled->setChecked(working_.Enabled);
    RefreshCommandList();
}

void TFormHotKeyDefine::RefreshCommandList()
{
    commandReferences_.ReCreateFromList(*working_.Commands);
    commandReferences_.FillListBox(*LBCommands);
}

void TFormHotKeyDefine::ShowShortcut()
{
    SetControlText(LabInfo, ShortcutText(working_.HotKey));
    const QString holders = DescribeHolders
        ? QString::fromStdString(DescribeHolders(working_.HotKey).In(CurrentHotKeyFile().Language == LanguageGerman))
        : QString();
    LabHolders->setText(LabHolders->fontMetrics().elidedText(holders, Qt::ElideRight, LabHolders->width()));
    LabHolders->setToolTip(holders);
}

bool TFormHotKeyDefine::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != TxtKey)
        return TTSForm::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn:
        TxtKeyEnter();
        break;
    case QEvent::FocusOut:
        LabKeyPress->hide();
        break;
    case QEvent::ToolTip: // the form shows no hints
        return true;
    case QEvent::ShortcutOverride:
        // A combination pressed here is captured, not taken as the access
        // key of a button or label.
        if (CapturedShortCut(static_cast<const QKeyEvent&>(*event))) {
            event->accept();
            return true;
        }
        break;
    case QEvent::KeyPress:
        TxtKeyKeyDown(static_cast<const QKeyEvent&>(*event));
        break; // the key goes on to the field as well
    default:
        break;
    }
    return false;
}

void TFormHotKeyDefine::TxtKeyEnter()
{
    TxtKey->clear();
    LabKeyPress->show();
}

void TFormHotKeyDefine::TxtKeyKeyDown(const QKeyEvent& event)
{
    const std::optional<TShortCut> shortcut = CapturedShortCut(event);
    if (!shortcut)
        return;
    working_.HotKey = *shortcut;
    ShowShortcut();
    LBCommands->setFocus(); // which hides the prompt
}

void TFormHotKeyDefine::BtnSpecialClick()
{
    TFormSpecialShortcut dialog(this);
    dialog.HotKey = working_.HotKey;
    if (dialog.ShowModal() != mrOk)
        return;
    working_.HotKey = dialog.HotKey;
    ShowShortcut();
    LBCommands->setFocus();
}

void TFormHotKeyDefine::BtnNewClick()
{
    auto command = std::make_unique<THotKeyCommand>();
    if (EditCommand(this, *command) != mrOk)
        return;
    working_.Commands->Add(std::move(command));
    RefreshCommandList();
}

void TFormHotKeyDefine::BtnEditClick()
{
    int line = -1;
    // The command dialog edits the command in place.
    if (GetSelectedIndex(LBCommands, line)
        && EditCommand(this, CastTo<THotKeyCommand>(*commandReferences_.ObjectAt(line))) == mrOk)
        RefreshCommandList();
    ValidationFailed = false;
}

void TFormHotKeyDefine::BtnDeleteClick()
{
    int line = -1;
    if (GetSelectedIndex(LBCommands, line) && ShowMessageNo(MsgConfirmDeletion) == platform::IdYes) {
        working_.Commands->FreeID(commandReferences_.GetSelectedID(*LBCommands));
        RefreshCommandList();
    }
    ValidationFailed = false;
}

void TFormHotKeyDefine::BtnOKClick()
{
    RunValidationPass(
        [this] {
            GetRequiredText(TxtName, working_.Name);
            working_.Enabled = CBKeyEnabled->isChecked();
        },
        [this] {
            if (hotKey_)
                working_.CopyTo(*hotKey_);
        });
}

} // namespace tarvo
