#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

#include "TFormSampleDialog_resource.h"
#include "TFormSample_resource.h"
#include "lang/containertestsupport.h"
#include "lang/formresource.h"
#include "lang/mltlang.h"

using namespace tarvo;
using namespace tarvo::testsupport;

namespace {

QStringList TextsOf(const QComboBox& combo)
{
    QStringList texts;
    for (int i = 0; i < combo.count(); ++i)
        texts << combo.itemText(i);
    return texts;
}

// A main window built as the program's forms are: components first, then
// the form resource generated from TFormSample.formtable.
class TFormSample : public QWidget {
public:
    TFormSample()
    {
        setObjectName("TFormSample");
        Label3 = Named(new QLabel(this), "Label3");
        LabCurrFileName = Named(new QLabel(this), "LabCurrFileName");
        BtnClose = Named(new QPushButton(this), "BtnClose");
        CBLanguages = Named(new QComboBox(this), "CBLanguages");
        CBLanguages->addItem(QString(), 0);
        CBLanguages->addItem(QString(), 1);
        CBExecMode = Named(new QComboBox(this), "CBExecMode");
        for (int mode = 0; mode < 3; ++mode)
            CBExecMode->addItem(QString(), mode);
        MltLang = Named(new TMltLang(this), "MltLang");
        LoadFormResource(*MltLang, formresources::TFormSample);
    }

    template <class T>
    static T* Named(T* component, const char* name)
    {
        component->setObjectName(name);
        return component;
    }

    QLabel* Label3;
    QLabel* LabCurrFileName;
    QPushButton* BtnClose;
    QComboBox* CBLanguages;
    QComboBox* CBExecMode;
    TMltLang* MltLang;
};

// A dialog owned by the main window, designed in English.
class TFormSampleDialog : public QDialog {
public:
    explicit TFormSampleDialog(QWidget* owner) : QDialog(owner)
    {
        setObjectName("TFormSampleDialog");
        LabFile = TFormSample::Named(new QLabel(this), "LabFile");
        BtnOk = TFormSample::Named(new QPushButton(this), "BtnOk");
        BtnCancel = TFormSample::Named(new QPushButton(this), "BtnCancel");
        MltLang = TFormSample::Named(new TMltLang(this), "MltLang");
        LoadFormResource(*MltLang, formresources::TFormSampleDialog);
    }

    QLabel* LabFile;
    QPushButton* BtnOk;
    QPushButton* BtnCancel;
    TMltLang* MltLang;
};

// Every test starts as the program does: English chosen last.
class FormResource : public ::testing::Test {
protected:
    void SetUp() override { TMltLang(nullptr).SetActiveLang(0); }
};

} // namespace

TEST_F(FormResource, TheGeneratedResourceHoldsTheTableAsAStoredContainer)
{
    const TFormResource& resource = formresources::TFormSample;
    EXPECT_EQ(resource.ActiveLang, 1);
    EXPECT_EQ(resource.ActiveLangById, lgGERMAN);
    EXPECT_EQ(resource.LangId, lgGERMAN);
    EXPECT_EQ(formresources::TFormSampleDialog.ActiveLang, 0);
    const Bytes closeGerman = Join({{0x0b, 0, 0, 0}, Ascii("&Schlie"), {0xdf}, Ascii("en"), {0}});
    EXPECT_NE(std::search(resource.Items.begin(), resource.Items.end(), closeGerman.begin(), closeGerman.end()),
              resource.Items.end())
        << "texts are stored in the ANSI code page";
    TInfoList container;
    LoadFromBlock(container, resource.Items);
    EXPECT_EQ(container.Count(), 8);
    EXPECT_EQ(container.Languages().Count(), 2);
}

TEST_F(FormResource, AFormDesignedInGermanStartsInEnglishAtFirst)
{
    const TFormSample form;
    EXPECT_EQ(form.MltLang->ActiveLang(), 0);
    EXPECT_EQ(form.MltLang->LangId(), lgENGLISH);
    EXPECT_EQ(form.windowTitle(), "Sample");
    EXPECT_EQ(form.Label3->text(), "current file:");
    EXPECT_EQ(form.LabCurrFileName->text(), "LabCurrFileName") << "a placeholder the form overwrites";
    EXPECT_EQ(form.BtnClose->text(), "&Close");
    EXPECT_EQ(form.BtnClose->toolTip(), "Closes the window");
    EXPECT_EQ(TextsOf(*form.CBLanguages), (QStringList{"english", "deutsch"}));
    EXPECT_EQ(TextsOf(*form.CBExecMode), (QStringList{"normal", "minimized", "maximized"}));
    EXPECT_EQ(form.MltLang->Items().Count(), 7) << "the entry of the removed label is dropped";
}

TEST_F(FormResource, GermanKeepsTheEnglishTextWhereItHasNoneOfItsOwn)
{
    const TFormSample form;
    form.CBExecMode->setCurrentIndex(2);
    form.MltLang->SetActiveLang(1);
    EXPECT_EQ(form.windowTitle(), "Beispiel");
    EXPECT_EQ(form.Label3->text(), "aktuelle Datei:");
    EXPECT_EQ(form.BtnClose->text(), "&Schließen");
    EXPECT_EQ(form.BtnClose->toolTip(), "Closes the window");
    EXPECT_EQ(TextsOf(*form.CBLanguages), (QStringList{"english", "deutsch"}));
    EXPECT_EQ(TextsOf(*form.CBExecMode), (QStringList{"normal", "minimiert", "maximiert"}));
    EXPECT_EQ(form.CBExecMode->itemData(2), 2);
    EXPECT_EQ(form.CBExecMode->currentIndex(), 2);
    form.MltLang->SetActiveLang(0);
    EXPECT_EQ(form.BtnClose->text(), "&Close");
}

TEST_F(FormResource, AFormDesignedInGermanLoadedInGermanShowsItsDesignTexts)
{
    TMltLang(nullptr).SetActiveLang(1);
    const TFormSample form;
    EXPECT_EQ(form.MltLang->ActiveLang(), 1);
    EXPECT_EQ(form.windowTitle(), "Beispiel");
    EXPECT_EQ(form.BtnClose->toolTip(), "Closes the window");
    EXPECT_EQ(TextsOf(*form.CBExecMode), (QStringList{"normal", "minimiert", "maximiert"}));
}

TEST_F(FormResource, ADialogCreatedAfterASwitchStartsInTheChosenLanguage)
{
    TFormSample main;
    main.MltLang->SetActiveLang(1);
    for (int use = 0; use < 2; ++use) {
        auto dialog = std::make_unique<TFormSampleDialog>(&main);
        EXPECT_EQ(dialog->MltLang->ActiveLang(), 1);
        EXPECT_EQ(dialog->windowTitle(), "Befehl");
        EXPECT_EQ(dialog->LabFile->text(), "Datei:");
        EXPECT_EQ(dialog->BtnOk->text(), "OK");
        EXPECT_EQ(dialog->BtnCancel->text(), "Abbrechen");
        dialog->LabFile->setText("C:\\tools\\run.bat");
        dialog->MltLang->SetActiveLang(1); // what the dialog's own show handler does
        EXPECT_EQ(dialog->LabFile->text(), "C:\\tools\\run.bat") << "the same index changes nothing";
    }
    main.MltLang->SetActiveLang(0);
    EXPECT_EQ(TFormSampleDialog(&main).BtnCancel->text(), "Cancel");
}

TEST_F(FormResource, ADamagedResourceStopsTheForm)
{
    const TFormResource& sample = formresources::TFormSample;
    Bytes wrongVersion(sample.Items.begin(), sample.Items.end());
    wrongVersion[3 + 1 + 6] = 99; // the first entry is a TCIStr
    Bytes truncated(sample.Items.begin(), sample.Items.end() - 1);
    for (const Bytes* block : {&truncated, &wrongVersion}) {
        QWidget form;
        auto* mltLang = new TMltLang(&form);
        TFormResource resource = sample;
        resource.Items = *block;
        EXPECT_THROW(LoadFormResource(*mltLang, resource), EMLangInvalid);
    }
}
