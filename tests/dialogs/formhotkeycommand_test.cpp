#include <gtest/gtest.h>

#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <filesystem>

#include "dialogs/browsefolder.h"
#include "dialogs/browsefolderdialog.h"
#include "dialogs/dialogstestsupport.h"
#include "dialogs/formhotkeycommand.h"
#include "dialogs/opendialog.h"
#include "hotkeys/hotkeyfile.h"
#include "lang/mltlang.h"
#include "support/testsupport.h"

using namespace tarvo;
using namespace tarvo::testsupport;

namespace {

class CommandDialog : public ::testing::Test {
protected:
    CommandDialog()
    {
        TMltLang(nullptr).SetActiveLang(LanguageEnglish);
        CurrentHotKeyFile().Language = LanguageEnglish;
        command.Name = "Editor";
        command.FileName = "%WINDIR%\\notepad.exe";
        command.Parameters = " -n ";
        command.Directory = "/tmp";
        command.LookForWindow = "Notepad";
        command.ExecMode = ExecNormalNoActivate;
        form.SetCommand(command);
    }
    ~CommandDialog() override { CurrentHotKeyFile().Language = LanguageEnglish; }

    TRecordingMessages& messages = InstallRecordingMessages();
    THotKeyCommand command;
    TFormHotKeyCommand form{nullptr};
};

} // namespace

TEST_F(CommandDialog, ShowsTheCommandAndCommitsTheEditedFieldsAsTypedOnOk)
{
    form.show();
    EXPECT_EQ(form.TxtName->text(), "Editor");
    EXPECT_EQ(form.TxtExec->text(), "%WINDIR%\\notepad.exe");
    EXPECT_EQ(form.TxtParameters->text(), " -n ");
    EXPECT_EQ(form.TxtDirectory->text(), "/tmp");
    EXPECT_EQ(form.TxtLookForWindow->text(), "Notepad");
    EXPECT_EQ(form.CBExecMode->currentIndex(), ExecNormalNoActivate);

    form.TxtName->setText("Grüße");
    form.TxtParameters->setText("%HOME%/a b ");
    form.CBExecMode->setCurrentIndex(ExecMaximized);
    form.BtnOK->click();
    EXPECT_EQ(form.ModalResult(), mrOk);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(messages.Shown.empty());
    EXPECT_EQ(command.Name, "Grüße");
    EXPECT_EQ(command.FileName, "%WINDIR%\\notepad.exe");
    EXPECT_EQ(command.Parameters, "%HOME%/a b ");
    EXPECT_EQ(command.Directory, "/tmp");
    EXPECT_EQ(command.LookForWindow, "Notepad");
    EXPECT_EQ(command.ExecMode, ExecMaximized);
}

TEST_F(CommandDialog, EmptyRequiredFieldsAreReportedOneClickAtATimeAndNothingReachesTheCommand)
{
    form.show();
    form.TxtName->clear();
    form.TxtExec->clear();
    form.BtnOK->click();
    EXPECT_EQ(messages.Shown, std::vector<int32_t>{10});
    EXPECT_EQ(form.focusWidget(), form.TxtName);
    EXPECT_TRUE(form.isVisible());

    form.TxtName->setText("Renamed");
    form.BtnOK->click();
    EXPECT_EQ(messages.Shown, (std::vector<int32_t>{10, 10}));
    EXPECT_EQ(form.focusWidget(), form.TxtExec);
    EXPECT_EQ(command.Name, "Editor");

    form.BtnCancel->click();
    EXPECT_EQ(form.ModalResult(), mrCancel);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(command.Name, "Editor");
    EXPECT_EQ(command.FileName, "%WINDIR%\\notepad.exe");
}

TEST_F(CommandDialog, AWindowTextThatCannotBeUsedIsRefusedAndAValidFormAccepted)
{
    form.show();
    for (const char* text : {"regex:(unclosed", "class:"}) {
        form.TxtLookForWindow->setText(text);
        form.BtnOK->click();
        EXPECT_EQ(form.focusWidget(), form.TxtLookForWindow) << text;
        EXPECT_TRUE(form.isVisible()) << text;
    }
    EXPECT_EQ(messages.Shown, (std::vector<int32_t>{3, 3}));
    EXPECT_EQ(command.LookForWindow, "Notepad");
    form.TxtLookForWindow->setText("regex:note(pad)?");
    form.BtnOK->click();
    EXPECT_EQ(command.LookForWindow, "regex:note(pad)?");
}

TEST_F(CommandDialog, AModeOutsideTheListShowsNoneAndIsStoredAsMinusOne)
{
    for (const int32_t mode : {-1, 5, 99}) {
        command.ExecMode = mode;
        TFormHotKeyCommand dialog(nullptr);
        dialog.SetCommand(command);
        dialog.show();
        EXPECT_EQ(dialog.CBExecMode->currentIndex(), -1) << mode;
        dialog.BtnOK->click();
        EXPECT_EQ(command.ExecMode, -1) << mode;
    }
}

TEST_F(CommandDialog, EachShowingTakesTheDocumentsLanguage)
{
    form.show();
    EXPECT_EQ(form.windowTitle(), "Hotkey command");
    EXPECT_EQ(form.Label4->text(), "&Filename:");
    EXPECT_EQ(form.CBExecMode->itemText(4), "minimized (no activate)");
    form.hide();

    CurrentHotKeyFile().Language = LanguageGerman;
    form.show();
    EXPECT_EQ(form.windowTitle(), "Hotkey Befehl");
    EXPECT_EQ(form.Label4->text(), "&Dateiname:");
    EXPECT_EQ(form.Label1->text(), "&Name:");
    EXPECT_EQ(form.BtnCancel->text(), "Abbruch");
    EXPECT_EQ(form.CBExecMode->itemText(4), "minimiert (keine Aktivierung)");
    EXPECT_EQ(form.CBExecMode->currentIndex(), ExecNormalNoActivate);
    EXPECT_EQ(form.BtnBrowse->toolTip(), "nach Datei suchen");
    EXPECT_EQ(form.OpenDialog->Title, "nach Datei suchen");
}

TEST_F(CommandDialog, BrowseButtonsReplaceTheFieldOnlyWithAConfirmedChoice)
{
    const TempDir dir;
    std::filesystem::create_directory(dir.File("work"));
    WriteTextFile(dir.File("chosen.sh"), "");
    for (const bool confirm : {false, true}) {
        form.TxtExec->setText(QString::fromStdString(dir.File("start.sh")));
        form.TxtDirectory->setText(QString::fromStdString(dir.Path().string()));
        form.OpenDialog->OnShow = [&](QFileDialog& dialog) {
            EXPECT_EQ(dialog.directory().absolutePath().toStdString(), dir.Path().string()) << "at the typed file";
            // Typed by the user into Qt's file name field.
            dialog.findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(dir.File("chosen.sh")));
            QDialog& base = dialog;
            confirm ? base.accept() : base.reject();
        };
        form.BrowseFolder->OnInitialized = [&](TBrowseFolder&, TBrowseFolderDialog* dialog) {
            EXPECT_EQ(dialog->SelectedPath(), dir.Path().string()) << "starts at the typed directory";
            dialog->SetSelection(dir.File("work"));
            confirm ? dialog->OkButton()->click() : dialog->reject();
        };
        form.BtnBrowse->click();
        form.BtnBrowseDirectory->click();
        EXPECT_EQ(form.TxtExec->text().toStdString(), dir.File(confirm ? "chosen.sh" : "start.sh"));
        EXPECT_EQ(form.TxtDirectory->text().toStdString(), confirm ? dir.File("work") : dir.Path().string());
    }
}
