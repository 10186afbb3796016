#include "dialogs/tformspecialshortcut.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include "TFormSpecialShortcut_resource.h"
#include "hotkeys/hotkeyfile.h"
#include "lang/formresource.h"
#include "lang/mltlang.h"

namespace tarvo {

TFormSpecialShortcut::TFormSpecialShortcut(QWidget* owner) : TTSForm(owner)
{
    setObjectName(QStringLiteral("FormSpecialShortcut"));
    SetDesignClientSize(220, 123);
    // The window system's default position: Qt's, centred over the owner.
    setAttribute(Qt::WA_Moved, false);

    TxtVirtKey = AddControl<QLineEdit>("TxtVirtKey", {90, 9, 43, 21});
    Label1 = AddLabel("Label1", {6, 12, 80, 13}, TxtVirtKey);
    CBControl = AddControl<QCheckBox>("CBControl", {9, 33, 97, 17});
    CBAlt = AddControl<QCheckBox>("CBAlt", {9, 51, 97, 17});
    CBShift = AddControl<QCheckBox>("CBShift", {9, 69, 97, 17});
    KeepRightOf(TxtVirtKey, Label1);
    for (QCheckBox* box : {CBControl, CBAlt, CBShift})
        GrowWithCaption(box);
    BtnOK = AddControl<QPushButton>("BtnOK", {53, 96, 78, 21});
    BtnCancel = AddControl<QPushButton>("BtnCancel", {137, 96, 78, 21});
    BindButton(BtnOK, mrOk, [this] { BtnOKClick(); });
    BindButton(BtnCancel, mrCancel);
    SetDefaultButton(BtnOK);
    SetCancelButton(BtnCancel);

    MltLang = new TMltLang(this);
    MltLang->setObjectName(QStringLiteral("MltLang"));
    LoadFormResource(*MltLang, formresources::TFormSpecialShortcut);
}

void TFormSpecialShortcut::showEvent(QShowEvent* event)
{
    // A window restored by the window system shows what the user left there.
    if (!event->spontaneous())
        FormShow();
    TTSForm::showEvent(event);
}

void TFormSpecialShortcut::FormShow()
{
    SetFormLanguage(CurrentHotKeyFile().Language, *MltLang);
    SetControlInt(TxtVirtKey, HotKey & ShortCutKeyMask);
    CBControl->setChecked(HotKey & ShortCutCtrl);
    CBAlt->setChecked(HotKey & ShortCutAlt);
    CBShift->setChecked(HotKey & ShortCutShift);
}

void TFormSpecialShortcut::BtnOKClick()
{
    int32_t key = 0;
    RunValidationPass([&] { key = ControlInt(TxtVirtKey); },
                      [&] {
                          // Only the low 16 bits of the number count; a
                          // negative one is thus beyond every key code.
                          HotKey = MakeShortCut(static_cast<uint16_t>(key), CBShift->isChecked(),
                                                CBControl->isChecked(), CBAlt->isChecked());
                      });
}

} // namespace tarvo
