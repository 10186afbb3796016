#include "dialogs/tforminfo.h"

#include <QLabel>
#include <QPushButton>

#include "TFormInfo_resource.h"
#include "dialogs/programicon.h"
#include "hotkeys/hotkeyfile.h"
#include "lang/messagelist.h"
#include "lang/mltlang.h"
#include "lang/mltlangproperties.h"
#include "tarvo/version.h"

namespace tarvo {

std::string VersionLabelText(int language)
{
    const QString date = language == LanguageGerman
        ? QString::asprintf("Datum: %02d.%02d.%04d", version::ReleaseDay, version::ReleaseMonth, version::ReleaseYear)
        : QString::asprintf("Date: %04d/%02d/%02d", version::ReleaseYear, version::ReleaseMonth, version::ReleaseDay);
    return "Version " + std::string(version::Text) + "\r\n" + date.toStdString();
}

TFormInfo::TFormInfo(QWidget* owner) : TTSForm(owner)
{
    setObjectName(QStringLiteral("FormInfo"));
    SetDesignClientSize(387, 368);
    PlaceCentredWhenFirstShown();

    Image1 = AddControl<QLabel>("Image1", {166, 6, 32, 32});
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setPixmap(ProgramIcon().pixmap(Image1->size()));

    Label6 = AddLabel("Label6", {26, 24, 72, 28});
    StyleAsProgramName(*Label6, Scale().Y(24));

    Label1 = AddLabel("Label1", {132, 46, 91, 26}, nullptr, Qt::AlignHCenter | Qt::AlignTop);

    BtnClose = AddControl<QPushButton>("BtnClose", {304, 338, 75, 21});
    BindButton(BtnClose, mrOk);
    SetCancelButton(BtnClose);

    MltLang = LoadTranslations(formresources::TFormInfo);
    FillVersionTexts();
}

void TFormInfo::FillVersionTexts()
{
    // The table holds the design's texts; the label shows this program's.
    TInfoList& items = MltLang->Items();
    for (int i = 0; i < items.Count(); ++i) {
        TCI* entry = items.Get(i);
        if (!entry || entry->Component != Label1 || entry->PropertyName != "Caption")
            continue;
        for (int language : {LanguageEnglish, LanguageGerman})
            entry->SetValue(VersionLabelText(language), language);
        entry->ApplyTo(*Label1, MltLang->ActiveLang(), WidgetProperties());
    }
}

void TFormInfo::showEvent(QShowEvent* event)
{
    SetFormLanguage(CurrentHotKeyFile().Language, *MltLang);
    TTSForm::showEvent(event);
}

} // namespace tarvo
