#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/windows/tformmain.h"
#include "dialogs/dialogstestsupport.h"
#include "dialogs/formhotkeycommand.h"
#include "dialogs/tformhotkeydefine.h"
#include "dialogs/tformspecialshortcut.h"

using namespace tarvo;
using namespace tarvo::testsupport;

namespace {

using TNames = std::vector<std::string>;

constexpr TShortCut CtrlAltE = 0xC045;

class FormHotKeyDefineTest : public ::testing::Test {
protected:
    FormHotKeyDefineTest()
    {
        // The command dialog's part: rename the command and answer OK, or
        // answer Cancel when no name is waiting.
        form.EditCommand = [this](QWidget*, THotKeyCommand& command) {
            ++commandDialogs;
            if (nextName.empty())
                return int(mrCancel);
            command.Name = std::exchange(nextName, "");
            return int(mrOk);
        };
    }

    // Editor, Ctrl+Alt+E, with the commands beta and Alpha, in the dialog
    // shown as the active window.
    void ShowAfresh()
    {
        hotKey.Create();
        hotKey.Name = "Editor";
        hotKey.HotKey = CtrlAltE;
        for (const char* name : {"beta", "Alpha"}) {
            hotKey.Commands->Add(std::make_unique<THotKeyCommand>());
            hotKey.Command(hotKey.Commands->Count() - 1).Name = name;
        }
        form.SetHotKey(hotKey);
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }
    TNames CallersCommands() const
    {
        TNames names;
        for (int i = 0; i < hotKey.Commands->Count(); ++i)
            names.push_back(hotKey.Command(i).Name);
        return names;
    }

    TRecordingMessages& messages = InstallRecordingMessages();
    THotTarvo hotKey;
    TFormHotKeyDefine form;
    std::string nextName;
    int commandDialogs = 0;
};

TEST_F(FormHotKeyDefineTest, CommandChangesReachTheCallerOnlyThroughOk)
{
    const auto select = [this](int line) { form.LBCommands->setCurrentRow(line); };
    // A double click on a line, or below the lines with one selected.
    const auto doubleClick = [&](int line, bool belowTheLines) {
        select(line);
        QWidget& viewport = *form.LBCommands->viewport();
        const QPoint at = belowTheLines ? QPoint(4, viewport.height() - 4)
                                        : form.LBCommands->visualItemRect(form.LBCommands->item(line)).center();
        QTest::mouseDClick(&viewport, Qt::LeftButton, {}, at);
    };
    QPushButton* TFormHotKeyDefine::*const ok = &TFormHotKeyDefine::BtnOK;
    const struct {
        const char* what;
        std::function<void()> edit;
        QPushButton* TFormHotKeyDefine::*close;
        TNames expected;
    } cases[] = {
        {"new", [&] { nextName = "gamma", form.BtnNew->click(); }, ok, {"beta", "Alpha", "gamma"}},
        {"new, cancelled",
         [&] { nextName = "gamma", form.BtnNew->click(); },
         &TFormHotKeyDefine::BtnCancel,
         {"beta", "Alpha"}},
        {"delete Alpha", [&] { select(0), messages.Answers = {6}, form.BtnDelete->click(); }, ok, {"beta"}},
        {"delete answered No",
         [&] { select(0), messages.Answers = {7}, form.BtnDelete->click(); },
         ok,
         {"beta", "Alpha"}},
        {"edit beta by double click", [&] { nextName = "zeta", doubleClick(1, false); }, ok, {"zeta", "Alpha"}},
        {"edit beta, cancelled",
         [&] { nextName = "zeta", doubleClick(1, false); },
         &TFormHotKeyDefine::BtnCancel,
         {"beta", "Alpha"}},
        {"edit the selected beta by double click below the lines",
         [&] { nextName = "zeta", doubleClick(1, true); },
         ok,
         {"zeta", "Alpha"}},
    };
    for (const auto& c : cases) {
        ShowAfresh();
        c.edit();
        (form.*c.close)->click();
        EXPECT_EQ(CallersCommands(), c.expected) << c.what;
    }
}

TEST(FormHotKeyDefine, NewRunsTheCommandDialogOwnedByTheDialog)
{
    THotTarvo hotKey;
    TFormHotKeyDefine form;
    form.SetHotKey(hotKey);
    form.show();
    QTimer::singleShot(0, [&] {
        auto* command = qobject_cast<TFormHotKeyCommand*>(QApplication::activeModalWidget());
        ASSERT_TRUE(command);
        EXPECT_EQ(command->parentWidget(), &form);
        command->TxtName->setText("Shell");
        command->TxtExec->setText("/bin/sh");
        command->BtnOK->click();
    });
    form.BtnNew->click();
    EXPECT_EQ(hotKey.Commands->Count(), 0); // until OK
    ASSERT_EQ(form.LBCommands->count(), 1);
    EXPECT_EQ(form.LBCommands->item(0)->text(), "Shell");
}

TEST_F(FormHotKeyDefineTest, EditOrDeleteWithoutSelectionReportAndLeaveOkReporting)
{
    ShowAfresh();
    form.LBCommands->setCurrentRow(-1);
    form.BtnEdit->click();
    form.BtnDelete->click();
    QWidget& viewport = *form.LBCommands->viewport();
    QTest::mouseDClick(&viewport, Qt::LeftButton, {}, QPoint(4, viewport.height() - 4));
    EXPECT_EQ(form.focusWidget(), form.LBCommands);
    form.TxtName->clear();
    form.BtnOK->click();
    EXPECT_EQ(messages.Shown, (std::vector<int32_t>{8, 8, 8, 10}));
    EXPECT_EQ(commandDialogs, 0);
    EXPECT_EQ(form.focusWidget(), form.TxtName);
    EXPECT_TRUE(form.isVisible());
}

TEST_F(FormHotKeyDefineTest, TheKeyFieldCapturesCombinationsButNotModifiersTabOrPlainEnterAndEscape)
{
    using TPress = std::pair<Qt::Key, Qt::KeyboardModifiers>;
    constexpr Qt::KeyboardModifiers None = Qt::NoModifier;
    constexpr Qt::KeyboardModifiers ShiftCtrl = Qt::ShiftModifier | Qt::ControlModifier;
    const struct {
        std::vector<TPress> presses;
        const char* text;
        TShortCut expected;
    } cases[] = {
        {{{Qt::Key_Shift, Qt::ShiftModifier}, {Qt::Key_Control, ShiftCtrl}, {Qt::Key_K, ShiftCtrl}},
         "Umsch+Strg+K",
         0x604B},
        {{{Qt::Key_5, Qt::KeypadModifier}}, "5", 0x65},
        {{{Qt::Key_5, None}}, "5", 0x35},
        {{{Qt::Key_N, Qt::AltModifier}}, "Alt+N", 0x804E}, // not New's access key
        {{{Qt::Key_Alt, Qt::AltModifier}}, "Strg+Alt+E", CtrlAltE},
        {{{Qt::Key_Return, Qt::ControlModifier}}, "Strg+Enter", 0x400D},
        {{{Qt::Key_Escape, Qt::ShiftModifier}}, "Umsch+Esc", 0x201B},
        {{{Qt::Key_Super_L, Qt::MetaModifier}}, "", 0x5B}, // a key like any other
        {{{Qt::Key_Super_R, Qt::ControlModifier | Qt::MetaModifier}}, "", 0x405C},
        {{{Qt::Key_Tab, Qt::ControlModifier}}, "Strg+Alt+E", CtrlAltE},
        {{{Qt::Key_Tab, None}}, "Strg+Alt+E", CtrlAltE},
        {{{Qt::Key_Return, None}}, "Strg+Alt+E", CtrlAltE}, // OK
        {{{Qt::Key_Escape, None}}, "Strg+Alt+E", CtrlAltE}, // Cancel
    };
    for (const auto& c : cases) {
        ShowAfresh();
        form.TxtKey->setFocus();
        for (const auto& [key, modifiers] : c.presses)
            QTest::keyPress(form.TxtKey, key, modifiers);
        EXPECT_EQ(form.LabInfo->text().toStdString(), c.text) << c.text;
        EXPECT_EQ(form.focusWidget() == form.LBCommands, c.expected != CtrlAltE) << c.text;
        if (form.isVisible())
            form.BtnOK->click();
        EXPECT_EQ(hotKey.HotKey, c.expected) << c.text;
    }
    EXPECT_EQ(commandDialogs, 0);
}

TEST_F(FormHotKeyDefineTest, EnteringTheKeyFieldEmptiesItAndShowsThePromptUntilLeft)
{
    ShowAfresh();
    form.TxtKey->setText("k");
    form.TxtKey->setFocus();
    EXPECT_EQ(form.TxtKey->text(), "");
    EXPECT_TRUE(form.LabKeyPress->isVisible());
    form.TxtName->setFocus();
    EXPECT_FALSE(form.LabKeyPress->isVisible());
}

TEST_F(FormHotKeyDefineTest, TheSpecialShortcutSetsTheKeyAndKeepsWhatWasTyped)
{
    ShowAfresh();
    form.TxtName->setText("typed");
    form.CBKeyEnabled->setChecked(false);
    QTimer::singleShot(0, [] {
        auto* special = qobject_cast<TFormSpecialShortcut*>(QApplication::activeModalWidget());
        ASSERT_TRUE(special);
        special->TxtVirtKey->setText("13");
        special->CBAlt->setChecked(false);
        special->BtnOK->click();
    });
    form.BtnSpecial->click();
    EXPECT_EQ(form.LabInfo->text(), "Strg+Enter");
    EXPECT_EQ(form.focusWidget(), form.LBCommands);
    form.BtnOK->click();
    EXPECT_EQ(hotKey.HotKey, 0x400D);
    EXPECT_EQ(hotKey.Name, "typed");
    EXPECT_FALSE(hotKey.Enabled);
}

TEST_F(FormHotKeyDefineTest, EachShowingIsInTheDocumentsLanguage)
{
    const struct {
        int32_t language;
        const char* title;
        const char* edit;
    } showings[] = {{LanguageGerman, "HotKey Definition", "&Ändern"}, {LanguageEnglish, "Hotkey definition", "&Edit"}};
    for (const auto& showing : showings) {
        CurrentHotKeyFile().Language = showing.language;
        ShowAfresh();
        EXPECT_EQ(form.windowTitle().toStdString(), showing.title);
        EXPECT_EQ(form.BtnEdit->text().toStdString(), showing.edit);
        form.BtnCancel->click();
    }
}

} // namespace

namespace {

// Runs the main window's hotkey definition on the hotkey with a store that
// holds Ctrl+Alt+T, typing each combination in the key field; what the line
// under the shortcut said after each, and the dialog's result.
std::pair<TNames, int> TypeInDefinition(THotTarvo& hotkey, const std::vector<TShortCut>& typed)
{
    TNames warnings;
    QTimer::singleShot(0, [&] {
        auto* form = qobject_cast<TFormHotKeyDefine*>(QApplication::activeModalWidget());
        ASSERT_TRUE(form);
        warnings.push_back(form->LabHolders->toolTip().toStdString());
        for (TShortCut shortcut : typed) {
            form->TxtKey->setFocus();
            QTest::keyClick(form->TxtKey, Qt::Key(Qt::Key_A + (shortcut & 0xFF) - 'A'),
                            Qt::ControlModifier | Qt::AltModifier);
            warnings.push_back(form->LabHolders->toolTip().toStdString());
        }
        form->BtnOK->click();
    });
    const auto sources = [] {
        return TFixedHolders::Only({{0xC054, {"Xfce", "xfce4-terminal", {"Settings", "Einstellungen"}}}});
    };
    const int result = DefineHotKeyInDialog(nullptr, hotkey, sources);
    return {warnings, result};
}

} // namespace

TEST(FormHotKeyDefine, WarnsOfTakenCombinationsWhileTypingAndOkStillTakesThem)
{
    InstallRecordingMessages();
    THotKeyFile& file = CurrentHotKeyFile();
    file.Language = LanguageGerman;
    for (const char* name : {"Editor", "Other"}) {
        file.HotKeyList->Add(std::make_unique<THotTarvo>());
        file.HotKey(file.HotKeyList->Count() - 1).Name = name;
        file.HotKey(file.HotKeyList->Count() - 1).HotKey = CtrlAltE;
    }
    THotTarvo& editor = file.HotKey(file.HotKeyList->Count() - 2);
    const auto [warnings, result] = TypeInDefinition(editor, {0xC052, 0xC054});
    EXPECT_EQ(warnings, (TNames{"doppelt in dieser Datei: auch beim Hotkey \"Other\"", "",
                                "belegt von Xfce: xfce4-terminal (Einstellungen)"}));
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(editor.HotKey, 0xC054) << "a held combination is taken all the same";
    file.HotKeyList->FreeAll();
    file.Language = LanguageEnglish;
}
