#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/dialogstestsupport.h"
#include "dialogs/tformhotkeydefine.h"
#include "dialogs/tformspecialshortcut.h"
#include "hotkeys/hotkeyfile.h"

using namespace tarvo;
using namespace tarvo::testsupport;

namespace {

using TNames = std::vector<std::string>;

constexpr TShortCut CtrlAltE = 0xC045;

class FormHotKeyDefineTest : public ::testing::Test {
protected:
    FormHotKeyDefineTest()
    {
        ResetHotKey();
        // The command dialog's part: rename the command to nextName, or
        // leave it and answer Cancel when there is none.
        form.EditCommand = [this](QWidget* owner, THotKeyCommand& command) {
            EXPECT_EQ(owner, &form);
            ++commandDialogs;
            if (!nextName)
                return int(mrCancel);
            command.Name = *std::exchange(nextName, std::nullopt);
            return int(mrOk);
        };
    }

    // Editor, Ctrl+Alt+E, activated, with the commands beta and Alpha, handed to the form.
    void ResetHotKey()
    {
        hotKey.Create();
        hotKey.Name = "Editor";
        hotKey.HotKey = CtrlAltE;
        for (const char* name : {"beta", "Alpha"}) {
            auto command = std::make_unique<THotKeyCommand>();
            command->Name = name;
            hotKey.Commands->Add(std::move(command));
        }
        form.SetHotKey(hotKey);
    }
    void ShowActive()
    {
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
    TNames ListLines() const
    {
        TNames lines;
        for (int i = 0; i < form.LBCommands->count(); ++i)
            lines.push_back(form.LBCommands->item(i)->text().toStdString());
        return lines;
    }

    TRecordingMessages& messages = InstallRecordingMessages();
    THotTarvo hotKey;
    TFormHotKeyDefine form;
    std::optional<std::string> nextName;
    int commandDialogs = 0;
};

TEST_F(FormHotKeyDefineTest, ShowsTheHotKeyWithItsCommandsSortedByName)
{
    hotKey.Enabled = false;
    form.SetHotKey(hotKey);
    form.show();
    EXPECT_EQ(form.TxtName->text(), "Editor");
    EXPECT_EQ(form.LabInfo->text(), "Strg+Alt+E");
    EXPECT_FALSE(form.CBKeyEnabled->isChecked());
    EXPECT_EQ(ListLines(), (TNames{"Alpha", "beta"}));
}

TEST_F(FormHotKeyDefineTest, CommandChangesReachTheCallerOnlyThroughOk)
{
    const auto select = [this](int row) { form.LBCommands->setCurrentRow(row); };
    const auto doubleClick = [&](int row) {
        select(row); // the first click of the two
        Q_EMIT form.LBCommands->itemDoubleClicked(form.LBCommands->item(row));
    };
    const struct {
        const char* what;
        std::function<void()> edit;
        QPushButton* TFormHotKeyDefine::*close;
        TNames expected;
    } cases[] = {
        {"new", [&] { nextName = "gamma", form.BtnNew->click(); }, &TFormHotKeyDefine::BtnOK,
         {"beta", "Alpha", "gamma"}},
        {"new, cancelled", [&] { nextName = "gamma", form.BtnNew->click(); }, &TFormHotKeyDefine::BtnCancel,
         {"beta", "Alpha"}},
        {"new, command dialog cancelled", [&] { form.BtnNew->click(); }, &TFormHotKeyDefine::BtnOK,
         {"beta", "Alpha"}},
        {"delete", [&] { select(0), messages.Answers = {6}, form.BtnDelete->click(); }, &TFormHotKeyDefine::BtnOK,
         {"beta"}},
        {"delete, cancelled", [&] { select(0), messages.Answers = {6}, form.BtnDelete->click(); },
         &TFormHotKeyDefine::BtnCancel, {"beta", "Alpha"}},
        {"delete answered No", [&] { select(0), messages.Answers = {7}, form.BtnDelete->click(); },
         &TFormHotKeyDefine::BtnOK, {"beta", "Alpha"}},
        {"edit by double click", [&] { nextName = "zeta", doubleClick(1); }, &TFormHotKeyDefine::BtnOK,
         {"zeta", "Alpha"}},
        {"edit, cancelled", [&] { nextName = "zeta", select(1), form.BtnEdit->click(); },
         &TFormHotKeyDefine::BtnCancel, {"beta", "Alpha"}},
    };
    for (const auto& c : cases) {
        ResetHotKey();
        form.show();
        c.edit();
        (form.*c.close)->click();
        EXPECT_FALSE(form.isVisible()) << c.what;
        EXPECT_EQ(CallersCommands(), c.expected) << c.what;
    }
}

TEST_F(FormHotKeyDefineTest, RefreshingTheListKeepsTheSelectedLine)
{
    form.show();
    form.LBCommands->setCurrentRow(0);
    nextName = "zeta";
    form.BtnEdit->click(); // Alpha becomes zeta and moves down
    EXPECT_EQ(ListLines(), (TNames{"beta", "zeta"}));
    EXPECT_EQ(form.LBCommands->currentRow(), 0);
}

TEST_F(FormHotKeyDefineTest, EditOrDeleteWithoutSelectionReportOnceEachAndLeaveOkReporting)
{
    form.show();
    form.LBCommands->setCurrentRow(-1);
    for (QPushButton* button : {form.BtnEdit, form.BtnDelete}) {
        button->click();
        EXPECT_FALSE(form.ValidationFailed);
        EXPECT_EQ(form.focusWidget(), form.LBCommands);
    }
    form.TxtName->clear();
    form.BtnOK->click();
    EXPECT_EQ(messages.Shown, (std::vector<int32_t>{8, 8, 10}));
    EXPECT_EQ(commandDialogs, 0);
    EXPECT_EQ(form.focusWidget(), form.TxtName);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(hotKey.Name, "Editor");
}

TEST_F(FormHotKeyDefineTest, TheKeyFieldCapturesCombinationsButNotModifiersTabEnterOrEscape)
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
        {{{Qt::Key_F12, Qt::ShiftModifier}}, "Umsch+F12", 0x207B},
        {{{Qt::Key_Pause, None}}, "", 0x13}, // a key without a one-character name
        {{{Qt::Key_N, Qt::AltModifier}}, "Alt+N", 0x804E}, // not New's access key
        {{{Qt::Key_Alt, Qt::AltModifier}}, "Strg+Alt+E", CtrlAltE},
        {{{Qt::Key_Super_L, Qt::MetaModifier}}, "Strg+Alt+E", CtrlAltE},
        {{{Qt::Key_Tab, None}}, "Strg+Alt+E", CtrlAltE},
        {{{Qt::Key_Return, None}}, "Strg+Alt+E", CtrlAltE}, // OK
        {{{Qt::Key_Escape, None}}, "Strg+Alt+E", CtrlAltE}, // Cancel
    };
    for (const auto& c : cases) {
        ResetHotKey();
        ShowActive();
        form.TxtKey->setFocus();
        for (const auto& [key, modifiers] : c.presses)
            QTest::keyPress(form.TxtKey, key, modifiers);
        EXPECT_EQ(form.LabInfo->text().toStdString(), c.text) << c.text;
        const bool captured = c.expected != CtrlAltE;
        EXPECT_EQ(form.focusWidget() == form.LBCommands, captured) << c.text;
        if (form.isVisible())
            form.BtnOK->click();
        EXPECT_EQ(hotKey.HotKey, c.expected) << c.text;
    }
    EXPECT_EQ(commandDialogs, 0);
}

TEST_F(FormHotKeyDefineTest, EnteringTheKeyFieldEmptiesItAndShowsThePromptUntilLeft)
{
    ShowActive();
    form.TxtKey->setText("k");
    form.TxtKey->setFocus();
    EXPECT_EQ(form.TxtKey->text(), "");
    EXPECT_TRUE(form.LabKeyPress->isVisible());
    form.TxtName->setFocus();
    EXPECT_FALSE(form.LabKeyPress->isVisible());
}

TEST_F(FormHotKeyDefineTest, TheSpecialShortcutSetsTheKeyAndKeepsWhatWasTyped)
{
    ShowActive();
    form.TxtName->setText("typed");
    form.CBKeyEnabled->setChecked(false);
    QTimer::singleShot(0, [] {
        auto* special = qobject_cast<TFormSpecialShortcut*>(QApplication::activeModalWidget());
        ASSERT_TRUE(special);
        EXPECT_EQ(special->TxtVirtKey->text(), "69"); // E of Ctrl+Alt+E
        special->TxtVirtKey->setText("13");
        special->CBAlt->setChecked(false);
        special->BtnOK->click();
    });
    form.BtnSpecial->click();
    EXPECT_EQ(form.LabInfo->text(), "Strg+Enter");
    EXPECT_EQ(form.focusWidget(), form.LBCommands);
    EXPECT_EQ(form.TxtName->text(), "typed");
    EXPECT_FALSE(form.CBKeyEnabled->isChecked());
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
        form.show();
        EXPECT_EQ(form.windowTitle().toStdString(), showing.title);
        EXPECT_EQ(form.BtnEdit->text().toStdString(), showing.edit);
        form.BtnCancel->click();
    }
}

} // namespace
