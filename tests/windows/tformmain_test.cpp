// The main window on fake services, driven as a user would; the hotkey
// definition dialog is replaced by a function that edits the hotkey.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QLoggingCategory>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/hotkeycombination.h"
#include "app/windows/hotkeyfiledialog.h"
#include "app/windows/tformmain.h"
#include "app/windows/ttrayicon.h"
#include "dialogs/dialogstestsupport.h"
#include "dialogs/tforminfo.h"
#include "lang/messagelist.h"
#include "support/testsupport.h"
#include "windows/windowstestsupport.h"

using namespace tarvo;
using testsupport::Fakes;
using Lines = std::vector<std::string>;

namespace {

constexpr TShortCut CtrlAltE = ShortCutCtrl | ShortCutAlt | 'E';
constexpr TShortCut CtrlAltR = ShortCutCtrl | ShortCutAlt | 'R';
constexpr TShortCut CtrlAltW = ShortCutCtrl | ShortCutAlt | 'W';

// What the log of the windows received.
std::string logged;
void RecordLog(QtMsgType, const QMessageLogContext& context, const QString& message)
{
    if (std::string_view(context.category) == "tarvo.windows")
        logged += message.toStdString() + "\n";
}

void ChooseLanguage(TFormMain& form, int language)
{
    form.CBLanguages->setCurrentIndex(language);
    emit form.CBLanguages->activated(language);
}

class MainWindow : public testing::Test {
protected:
    MainWindow()
    {
        fakes_.MessageBox.Shown.clear();
        fakes_.Launcher.Launches.clear();
        fakes_.Launcher.Failing.clear();
        fakes_.HotKeys.HeldElsewhere.clear();
        HotKeyFileName() = dir_.File("keys.tvo");
        Load({});
    }

    // A hotkey whose commands open the files.
    static void Add(THotKeyFile& document, const std::string& name, TShortCut key, std::vector<std::string> files = {})
    {
        auto hotkey = std::make_unique<THotTarvo>();
        hotkey->Name = name;
        hotkey->HotKey = key;
        for (const std::string& file : files) {
            auto command = std::make_unique<THotKeyCommand>();
            command->Name = command->FileName = file;
            hotkey->Commands->Add(std::move(command));
        }
        document.HotKeyList->Add(std::move(hotkey));
    }
    // Writes the document into the current file and loads it.
    void Load(const std::function<void(THotKeyFile&)>& fill, bool minimize = false)
    {
        THotKeyFile document;
        document.MinimizeAtStart = minimize;
        if (fill)
            fill(document);
        WriteHotKeyDocument(document, HotKeyFileName());
        LoadHotKeyFile();
    }
    // A new main window, shown and activated.
    TFormMain& Open(bool trayAvailable = false)
    {
        form_.reset();
        form_ = std::make_unique<TFormMain>([this](ITrayMenu& menu) -> THotKeyRegistrar& {
            registrar_ = std::make_unique<THotKeyRegistrar>(fakes_.HotKeys, menu, &CurrentHotKeyFile);
            return *registrar_;
        });
        form_->TrayIcon1->TrayAvailable = [trayAvailable] { return trayAvailable; };
        form_->HolderSources = [this] { return testsupport::TFixedHolders::Only(held_); };
        form_->show();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        fakes_.MessageBox.Shown.clear();
        return *form_;
    }
    Lines ListLines() const
    {
        Lines lines;
        for (int row = 0; row < form_->LBListe->count(); ++row)
            lines.push_back(form_->LBListe->item(row)->text().toStdString());
        return lines;
    }
    Lines TrayEntries() const
    {
        Lines entries;
        for (const QAction* entry : form_->PopupMenu1->actions())
            entries.push_back(entry->text().toStdString() + "#" + std::to_string(entry->data().toInt()));
        return entries;
    }
    bool Holds(TShortCut key) const { return fakes_.HotKeys.Holder(CombinationOf(key)) != nullptr; }
    void Select(int row) { form_->LBListe->setCurrentRow(row); }

    platform::TScopedFakeServices& fakes_ = Fakes();
    testsupport::TempDir dir_;
    std::unique_ptr<THotKeyRegistrar> registrar_;
    std::unique_ptr<TFormMain> form_;
    // What the desktop's stores hold, as the window asks them.
    std::vector<conflicts::THeldCombination> held_;
};

TEST_F(MainWindow, ListsSortedDescriptionsAndKeepsATrayEntryPerHotKeyBehindTheFixedOnes)
{
    Load([](THotKeyFile& document) {
        Add(document, "Run", CtrlAltR, {"run"});
        Add(document, "editor", CtrlAltE, {"edit"});
        Add(document, "Off", CtrlAltW, {"off"});
        document.HotKey(2).Enabled = false;
    });
    TFormMain& form = Open();
    EXPECT_EQ(ListLines(), (Lines{"editor (Strg+Alt+E)", "Off (Strg+Alt+W)", "Run (Strg+Alt+R)"}));
    EXPECT_EQ(form.LabCurrFileName->text(), "keys.tvo");
    EXPECT_EQ(TrayEntries(), (Lines{"Hide#-1", "&Restore#-1", "&Close#-1", "#-1", "Run#0", "editor#1", "Off#2"}));
    EXPECT_TRUE(Holds(CtrlAltR) && Holds(CtrlAltE) && Holds(CtrlAltW)) << "deactivated hotkeys hold their keys too";

    for (int entry : {0, 3, 4, 5, 6})
        form.PopupMenu1->actions()[entry]->trigger();
    ASSERT_EQ(fakes_.Launcher.Launches.size(), 2u) << "fixed entries and a deactivated hotkey run nothing";
    EXPECT_EQ(fakes_.Launcher.Launches[0].File, "run");
    EXPECT_EQ(fakes_.Launcher.Launches[1].File, "edit");
    EXPECT_TRUE(form.isVisible());
}

TEST_F(MainWindow, ModifiedIsSetByConfirmedEditsOnlyAndClearedBySave)
{
    struct {
        const char* action;
        int dialogResult;
        int deleteAnswer;
        std::function<void(TFormMain&)> act;
        bool modified;
    } const cases[] = {
        {"confirmed New", mrOk, 0, [](TFormMain& form) { form.BtnNew->click(); }, true},
        {"cancelled New", mrCancel, 0, [](TFormMain& form) { form.BtnNew->click(); }, false},
        {"confirmed Edit", mrOk, 0, [](TFormMain& form) { form.BtnEdit->click(); }, true},
        {"cancelled Edit", mrCancel, 0, [](TFormMain& form) { form.BtnEdit->click(); }, false},
        {"Delete answered Yes", 0, platform::IdYes, [](TFormMain& form) { form.BtnDelete->click(); }, true},
        {"Delete answered No", 0, platform::IdNo, [](TFormMain& form) { form.BtnDelete->click(); }, false},
        {"minimise box", 0, 0, [](TFormMain& form) { form.CBMinimize->click(); }, false},
        {"language", 0, 0, [](TFormMain& form) { ChooseLanguage(form, LanguageGerman); }, false},
        {"Save as", 0, 0, [](TFormMain& form) { form.BtnSaveAs->click(); }, false},
    };
    for (const auto& c : cases) {
        Load([](THotKeyFile& document) { Add(document, "Editor", CtrlAltE); });
        TFormMain& form = Open();
        form.EditHotKey = [&](QWidget*, THotTarvo& hotkey) {
            hotkey.Name = "Edited";
            return c.dialogResult;
        };
        form.SaveDialog->Choose = [this](THotKeyFileDialog& dialog) {
            dialog.FileName = dir_.File("other.tvo");
            return true;
        };
        fakes_.MessageBox.Answers.clear();
        if (c.deleteAnswer)
            fakes_.MessageBox.Answers = {c.deleteAnswer};
        Select(0);
        c.act(form);
        EXPECT_EQ(form.Modified, c.modified) << c.action;
        form.Modified = true;
        form.BtnSave->click();
        EXPECT_FALSE(form.Modified) << c.action;
        CurrentHotKeyFile().Language = LanguageEnglish;
        HotKeyFileName() = dir_.File("keys.tvo");
    }
}

TEST_F(MainWindow, QuerySaveChangesActsOnEachAnswer)
{
    struct {
        int answer; // -1: the message is missing
        bool result;
        bool modified;
        bool saved;
    } const cases[] = {
        {platform::IdYes, true, false, true},
        {platform::IdNo, true, false, false},
        {platform::IdCancel, false, true, false},
        {-1, true, true, false},
    };
    for (const auto& c : cases) {
        TFormMain& form = Open();
        std::filesystem::remove(HotKeyFileName());
        form.Modified = true;
        if (c.answer == -1)
            FreeMessages();
        else
            fakes_.MessageBox.Answers = {c.answer};
        EXPECT_EQ(form.QuerySaveChanges(), c.result) << c.answer;
        EXPECT_EQ(form.Modified, c.modified) << c.answer;
        EXPECT_EQ(std::filesystem::exists(HotKeyFileName()), c.saved) << c.answer;
    }
    ASSERT_FALSE(fakes_.MessageBox.Shown.empty());
    EXPECT_EQ(fakes_.MessageBox.Shown.back().Text, "Meldung 0 nicht gefunden.");
}

TEST_F(MainWindow, NewAddsARegisteredHotKeyAndEditAndDeleteActOnTheSelection)
{
    Load([](THotKeyFile& document) { Add(document, "Zebra", CtrlAltR); });
    TFormMain& form = Open();
    auto& messages = testsupport::InstallRecordingMessages();
    form.EditHotKey = [](QWidget*, THotTarvo& hotkey) {
        hotkey.Name = "Editor";
        hotkey.HotKey = CtrlAltE;
        return int(mrOk);
    };
    form.BtnNew->click();
    EXPECT_EQ(ListLines(), (Lines{"Editor (Strg+Alt+E)", "Zebra (Strg+Alt+R)"}));
    EXPECT_EQ(TrayEntries().back(), "Editor#1");
    EXPECT_TRUE(Holds(CtrlAltE));

    form.LBListe->clearSelection();
    form.BtnEdit->click();
    form.BtnDelete->click();
    EXPECT_EQ(messages.Shown, (std::vector<int32_t>{8, 8})) << "nothing selected, each time";

    form.EditHotKey = [](QWidget*, THotTarvo& hotkey) {
        hotkey.Name = "Writer";
        hotkey.HotKey = CtrlAltW;
        return int(mrOk);
    };
    Select(0);
    QTest::mouseDClick(form.LBListe->viewport(), Qt::LeftButton, {},
                       form.LBListe->visualItemRect(form.LBListe->item(0)).center());
    EXPECT_EQ(ListLines(), (Lines{"Writer (Strg+Alt+W)", "Zebra (Strg+Alt+R)"}));
    EXPECT_EQ(TrayEntries().back(), "Writer#1");
    EXPECT_TRUE(Holds(CtrlAltW) && !Holds(CtrlAltE));

    messages.Answers = {platform::IdNo, platform::IdYes};
    Select(1);
    form.BtnDelete->click();
    EXPECT_EQ(ListLines().size(), 2u);
    form.BtnDelete->click();
    EXPECT_EQ(ListLines(), Lines{"Writer (Strg+Alt+W)"});
    EXPECT_EQ(TrayEntries().back(), "Writer#1");
    EXPECT_FALSE(Holds(CtrlAltR));
}

TEST_F(MainWindow, ReloadAndOpenKeepAValidRegisteredDocumentWhenTheFileIsMissingOrDamaged)
{
    Load([](THotKeyFile& document) { Add(document, "Editor", CtrlAltE); });
    TFormMain& form = Open();
    std::filesystem::remove(HotKeyFileName());
    form.Modified = true;
    fakes_.MessageBox.Answers = {platform::IdNo};
    form.BtnReload->click();
    EXPECT_EQ(ListLines(), Lines{"Editor (Strg+Alt+E)"});
    EXPECT_TRUE(Holds(CtrlAltE));
    EXPECT_FALSE(form.Modified);

    const std::string damaged = dir_.File("damaged.tvo");
    testsupport::WriteTextFile(damaged, "not a hotkey file");
    form.OpenDialog->Choose = [&](THotKeyFileDialog& dialog) {
        dialog.FileName = damaged;
        return true;
    };
    fakes_.MessageBox.Shown.clear();
    form.BtnOpen->click();
    ASSERT_EQ(fakes_.MessageBox.Shown.size(), 1u);
    EXPECT_NE(fakes_.MessageBox.Shown[0].Text.find(damaged), std::string::npos) << fakes_.MessageBox.Shown[0].Text;
    EXPECT_EQ(form.LabCurrFileName->text(), "damaged.tvo");
    EXPECT_EQ(ListLines(), Lines{"Editor (Strg+Alt+E)"});
    EXPECT_EQ(TrayEntries().back(), "Editor#0");
    EXPECT_TRUE(Holds(CtrlAltE));
}

TEST_F(MainWindow, ReloadAndOpenMarkTheRefusedHotKeysOfTheFileLoaded)
{
    const std::string other = dir_.File("other.tvo");
    const struct {
        const char* action;
        std::string file;
        QPushButton* TFormMain::*button;
    } cases[] = {{"Reload", HotKeyFileName(), &TFormMain::BtnReload}, {"Open", other, &TFormMain::BtnOpen}};
    fakes_.HotKeys.HeldElsewhere = {CombinationOf(CtrlAltR)};
    for (const auto& c : cases) {
        Load([](THotKeyFile& document) { Add(document, "Editor", CtrlAltE); });
        TFormMain& form = Open();
        form.OpenDialog->Choose = [&](THotKeyFileDialog& dialog) {
            dialog.FileName = c.file;
            return true;
        };
        THotKeyFile replacement;
        Add(replacement, "Alpha", CtrlAltW);
        Add(replacement, "Run", CtrlAltR);
        WriteHotKeyDocument(replacement, c.file);
        (form.*c.button)->click();
        EXPECT_EQ(ListLines(), (Lines{"Alpha (Strg+Alt+W)", "Run (Strg+Alt+R)"})) << c.action;
        EXPECT_TRUE(form.LBListe->item(0)->icon().isNull()) << c.action;
        EXPECT_FALSE(form.LBListe->item(1)->icon().isNull()) << c.action;
        EXPECT_TRUE(Holds(CtrlAltW) && !Holds(CtrlAltE)) << c.action;
    }
}

TEST_F(MainWindow, OpenWithUnsavedChangesSavesIntoTheOldFileFirstOrChangesNothingOnCancel)
{
    const std::string keys = HotKeyFileName();
    const std::string other = dir_.File("other.tvo");
    THotKeyFile replacement;
    Add(replacement, "Alpha", CtrlAltW);
    WriteHotKeyDocument(replacement, other);
    const struct {
        int answer;
        Lines list;
        std::string fileName;
        std::string savedName;
    } cases[] = {
        {platform::IdYes, {"Alpha (Strg+Alt+W)"}, other, "Edited"},
        {platform::IdCancel, {"Edited (Strg+Alt+E)"}, keys, "Editor"},
    };
    for (const auto& c : cases) {
        HotKeyFileName() = keys;
        Load([](THotKeyFile& document) { Add(document, "Editor", CtrlAltE); });
        TFormMain& form = Open();
        form.EditHotKey = [](QWidget*, THotTarvo& hotkey) {
            hotkey.Name = "Edited";
            return int(mrOk);
        };
        Select(0);
        form.BtnEdit->click();
        form.OpenDialog->Choose = [&](THotKeyFileDialog& dialog) {
            dialog.FileName = other;
            return true;
        };
        fakes_.MessageBox.Answers = {c.answer};
        form.BtnOpen->click();
        EXPECT_EQ(ListLines(), c.list) << c.answer;
        EXPECT_EQ(HotKeyFileName(), c.fileName) << c.answer;
        EXPECT_EQ(form.LabCurrFileName->text().toStdString(), std::filesystem::path(c.fileName).filename());
        EXPECT_EQ(form.Modified, c.answer == platform::IdCancel);
        EXPECT_EQ(Holds(CtrlAltE), c.answer == platform::IdCancel);
        EXPECT_EQ(ReadHotKeyDocument(keys)->HotKey(0).Name, c.savedName) << c.answer;
    }
}

TEST_F(MainWindow, EditCancelledRegistersTheHotKeyAgainAndSaveAsKeepsModified)
{
    fakes_.HotKeys.HeldElsewhere = {CombinationOf(CtrlAltE)};
    Load([](THotKeyFile& document) { Add(document, "Editor", CtrlAltE); });
    TFormMain& form = Open();
    ASSERT_FALSE(form.LBListe->item(0)->icon().isNull());
    fakes_.HotKeys.HeldElsewhere.clear();
    form.EditHotKey = [](QWidget*, THotTarvo&) { return int(mrCancel); };
    Select(0);
    form.BtnEdit->click();
    EXPECT_TRUE(Holds(CtrlAltE));
    EXPECT_TRUE(form.LBListe->item(0)->icon().isNull());
    EXPECT_EQ(TrayEntries().back(), "Editor#0");
    EXPECT_FALSE(form.Modified);

    form.Modified = true;
    form.SaveDialog->Choose = [this](THotKeyFileDialog& dialog) {
        dialog.FileName = dir_.File("copy.tvo");
        return true;
    };
    form.BtnSaveAs->click();
    EXPECT_TRUE(std::filesystem::exists(dir_.File("copy.tvo")));
    EXPECT_TRUE(form.Modified) << "closing still asks about the changes";
}

TEST_F(MainWindow, AFileChangedOutsideIsReloadedOrAskedAboutOnceButNotAfterOwnSaves)
{
    const auto changeOutside = [this](const std::string& name) {
        THotKeyFile outside;
        Add(outside, name, CtrlAltW);
        WriteHotKeyDocument(outside, HotKeyFileName());
    };
    Load([](THotKeyFile& document) { Add(document, "Editor", CtrlAltE); });
    TFormMain& form = Open();

    changeOutside("Outside");
    EXPECT_TRUE(QTest::qWaitFor([&] { return ListLines() == Lines{"Outside (Strg+Alt+W)"}; }, 5000));
    EXPECT_TRUE(Holds(CtrlAltW) && !Holds(CtrlAltE));
    EXPECT_TRUE(fakes_.MessageBox.Shown.empty());

    form.BtnSave->click();
    form.CBMinimize->click(); // changes the document without marking it modified
    QTest::qWait(1000);
    EXPECT_TRUE(form.CBMinimize->isChecked()) << "the program's own save reloaded nothing";

    form.Modified = true;
    fakes_.MessageBox.Answers = {platform::IdNo};
    changeOutside("Second");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !fakes_.MessageBox.Shown.empty(); }, 5000));
    changeOutside("Third");
    QTest::qWait(1000);
    EXPECT_EQ(ListLines(), Lines{"Outside (Strg+Alt+W)"}) << "the changes were kept";
    fakes_.MessageBox.Answers = {platform::IdNo};
    form.BtnSave->click();
    EXPECT_EQ(ReadHotKeyDocument(HotKeyFileName())->HotKey(0).Name, "Third") << "Save asked first";
    EXPECT_TRUE(form.Modified);
    ASSERT_EQ(fakes_.MessageBox.Shown.size(), 2u) << "asked once about the change, once before overwriting";
    EXPECT_EQ(fakes_.MessageBox.Shown[0].Text,
              "The hotkey file " + HotKeyFileName()
                  + " was changed by another program. Do you want to load it and discard your changes?");

    fakes_.MessageBox.Answers = {platform::IdYes};
    changeOutside("Fourth");
    form.BtnSave->click();
    EXPECT_EQ(ReadHotKeyDocument(HotKeyFileName())->HotKey(0).Name, "Outside") << "overwritten";
    EXPECT_FALSE(form.Modified);
    form.Modified = true;
    fakes_.MessageBox.Answers = {platform::IdYes};
    changeOutside("Fifth");
    EXPECT_TRUE(QTest::qWaitFor([&] { return ListLines() == Lines{"Fifth (Strg+Alt+W)"}; }, 5000)) << "reloaded on Yes";
    EXPECT_FALSE(form.Modified);
}

TEST_F(MainWindow, AFailedSaveIsReportedAndStopsTheCloseInProgress)
{
    TFormMain& form = Open();
    QSignalSpy closed(&form, &TFormMain::Closed);
    HotKeyFileName() = dir_.File("missing directory/keys.tvo");
    form.Modified = true;
    fakes_.MessageBox.Answers = {platform::IdYes};
    form.BtnQuit->click();
    ASSERT_EQ(fakes_.MessageBox.Shown.size(), 2u) << "the question, then the error";
    EXPECT_NE(fakes_.MessageBox.Shown[1].Text.find("missing directory"), std::string::npos);
    EXPECT_TRUE(form.Modified);

    fakes_.MessageBox.Answers = {platform::IdCancel};
    form.close();
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(closed.count(), 0);
    fakes_.MessageBox.Answers = {platform::IdCancel, platform::IdNo};
    EXPECT_FALSE(form.MayEndSession()) << "a logout asks too";
    EXPECT_TRUE(form.MayEndSession());
    form.close();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(closed.count(), 1);
}

TEST_F(MainWindow, ARefusedCombinationIsMarkedInTheListAndLoggedWithTheCount)
{
    fakes_.HotKeys.HeldElsewhere = {CombinationOf(CtrlAltR)};
    held_ = {{CtrlAltR,
              {"KDE", "Spectacle — Capture Rectangular Region",
               {"System Settings > Keyboard > Shortcuts", "Systemeinstellungen > Tastatur > Kurzbefehle"}}},
             {CtrlAltE, {"GNOME", "Hide all normal windows", {"Settings", "Einstellungen"}}}};
    Load([](THotKeyFile& document) {
        Add(document, "Run", CtrlAltR, {"run"});
        Add(document, "Edit", CtrlAltE);
    });
    logged.clear();
    QLoggingCategory::setFilterRules(QStringLiteral("tarvo.windows.info=true"));
    const QtMessageHandler previous = qInstallMessageHandler(RecordLog);
    TFormMain& form = Open();
    qInstallMessageHandler(previous);
    QLoggingCategory::setFilterRules(QString());
    EXPECT_EQ(logged,
              "hotkey \"Run\" (Strg+Alt+R) is not registered: the combination is held by another program "
              "or another hotkey\n1 of 2 hotkeys registered\n");
    EXPECT_EQ(ListLines(), (Lines{"Edit (Strg+Alt+E)", "Run (Strg+Alt+R)"}));
    EXPECT_TRUE(form.LBListe->item(0)->icon().isNull());
    EXPECT_FALSE(form.LBListe->item(1)->icon().isNull());
    ChooseLanguage(form, LanguageGerman);
    EXPECT_EQ(form.LBListe->item(1)->toolTip(),
              "die Tastenkombination ist von einem anderen Programm oder einem anderen Hotkey belegt\n"
              "belegt von KDE: Spectacle — Capture Rectangular Region (Systemeinstellungen > Tastatur > Kurzbefehle)");
    EXPECT_EQ(form.LBListe->item(0)->toolTip(), "") << "a hotkey that holds its combination is not marked";
    form.PopupMenu1->actions()[4]->trigger();
    ASSERT_EQ(fakes_.Launcher.Launches.size(), 1u) << "its tray entry still runs it";
}

TEST_F(MainWindow, ACommandThatCannotStartIsLoggedWithoutABoxAndTheNextRuns)
{
    Load([](THotKeyFile& document) { Add(document, "Both", CtrlAltE, {"missing", "second"}); });
    fakes_.Launcher.Failing = {"missing"};
    Open();
    logged.clear();
    const QtMessageHandler previous = qInstallMessageHandler(RecordLog);
    ASSERT_TRUE(fakes_.HotKeys.Press(CombinationOf(CtrlAltE)));
    qInstallMessageHandler(previous);
    EXPECT_EQ(logged, "hotkey \"Both\", command \"missing\": cannot start \"missing\": no such file\n");
    EXPECT_EQ(fakes_.Launcher.Launches.size(), 2u);
    EXPECT_TRUE(fakes_.MessageBox.Shown.empty());
}

TEST_F(MainWindow, TheLanguageChoiceReachesEveryOpenForm)
{
    TFormMain& form = Open();
    TFormInfo info;
    info.show();
    ChooseLanguage(form, LanguageGerman);
    EXPECT_EQ(CurrentHotKeyFile().Language, LanguageGerman);
    EXPECT_EQ(info.windowTitle(), "Über Tarvo");
    EXPECT_EQ(form.Label2->text(), "&derzeit definierte Tastenkombinationen");
    EXPECT_EQ(form.PPCRestore->text(), "&Wiederherstellen");
    EXPECT_EQ(form.OpenDialog->Filter, "Tarvo-Dateien (*.tvo)|*.tvo");
    EXPECT_EQ(form.windowTitle(), "Tarvo");
    ChooseLanguage(form, LanguageEnglish);
    EXPECT_EQ(info.windowTitle(), "About Tarvo");
}

TEST_F(MainWindow, MinimizeAtStartHidesInTheTrayOrLeavesAMinimisedWindowWithoutOne)
{
    for (bool tray : {true, false}) {
        Load({}, true);
        TFormMain& form = Open(tray);
        EXPECT_TRUE(form.isMinimized()) << tray;
        EXPECT_EQ(form.isVisible(), !tray) << tray;
        EXPECT_EQ(form.TrayIcon1->IconPresent(), tray) << tray;
        EXPECT_TRUE(form.CBMinimize->isChecked());

        form.PPCRestore->trigger();
        QCoreApplication::processEvents();
        EXPECT_TRUE(form.isVisible() && !form.isMinimized()) << tray;
        EXPECT_FALSE(form.TrayIcon1->IconPresent()) << tray;
    }
}

} // namespace
