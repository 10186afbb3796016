#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFileSystemModel>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>

#include <filesystem>

#include "dialogs/browsefolder.h"
#include "dialogs/browsefolderdialog.h"
#include "dialogs/opendialog.h"
#include "support/testsupport.h"

using namespace tarvo;
using namespace tarvo::testsupport;

namespace {

// A scratch directory with a folder two levels down.
class FolderBrowser : public ::testing::Test {
protected:
    FolderBrowser() { std::filesystem::create_directories(Deep); }

    const TempDir dir;
    const std::string Deep = dir.File("Werkzeuge/Unterordner");
    TBrowseFolder browser{nullptr};
};

} // namespace

TEST(ShortenPath, KeepsTheFirstPartAndAsManyOfTheLastAsFit)
{
    const struct {
        const char* path;
        const char* separator;
        const char* expected;
    } cases[] = {
        {R"(C:\Programme\Werkzeuge\Unterordner\Tiefer\Zielordner)", "\\", R"(C:\...\Tiefer\Zielordner)"},
        {R"(C:\Programme\Ein sehr langer Ordnername fuer Tests)", "\\",
         R"(C:\...\Ein sehr langer Ordnername fuer Tests)"},
        {R"(C:\Kurz)", "\\", R"(C:\Kurz)"},
        {R"(C:\Programme\Werkzeuge\Zielordner12)", "\\", R"(C:\Programme\Werkzeuge\Zielordner12)"}, // 35
        {"/home/jörg/Übungen/Größere Ordner/a", "/", "/home/jörg/Übungen/Größere Ordner/a"},        // 35 characters
        {"/home/user/projects/tarvo/build/screenshots", "/", "/.../tarvo/build/screenshots"},
        {"Ein-einziger-sehr-langer-Ordnername-ohne-Trenner", "/", "Ein-einziger-sehr-langer-Ordnername-ohne-Trenner"},
    };
    for (const auto& [path, separator, expected] : cases)
        EXPECT_EQ(ShortenPath(path, separator, "...", 35), expected) << path;
}

TEST(FolderBrowserProperties, AWidthOfZeroOrLessStoresTheDefault)
{
    TBrowseFolder browser(nullptr);
    for (const auto& [width, stored] : {std::pair{120, 120}, {0, 75}, {-5, 75}}) {
        browser.SetCustomButtonWidth(width);
        EXPECT_EQ(browser.CustomButtonWidth(), stored) << width;
    }
}

TEST_F(FolderBrowser, StartsAtAnExistingDirectoryAndReturnsTheConfirmedChoiceOnly)
{
    browser.ShowPathInStatusArea = true;
    for (const bool confirm : {false, true}) {
        browser.Directory = dir.Path().string();
        browser.OnInitialized = [&](TBrowseFolder&, TBrowseFolderDialog* dialog) {
            EXPECT_EQ(dialog->SelectedPath(), dir.Path().string());
            dialog->SetSelection(Deep);
            EXPECT_EQ(dialog->findChild<QLabel*>("Status")->text().toStdString(), ShortenPath(Deep, "/", "...", 35));
            confirm ? dialog->OkButton()->click() : dialog->reject();
        };
        EXPECT_EQ(browser.Execute(), confirm);
        EXPECT_EQ(browser.Directory, confirm ? Deep : dir.Path().string());
    }
}

TEST_F(FolderBrowser, AMissingInitialDirectoryLeavesTheRootSelected)
{
    browser.Directory = dir.File("missing");
    std::string selected;
    browser.OnInitialized = [&](TBrowseFolder&, TBrowseFolderDialog* dialog) {
        selected = dialog->SelectedPath();
        dialog->OkButton()->click();
    };
    EXPECT_TRUE(browser.Execute());
    EXPECT_EQ(selected, "/");
    EXPECT_EQ(browser.Directory, "/");
}

TEST_F(FolderBrowser, SpecialFoldersRootTheTreeAndFallBackToTheFileSystem)
{
    // The start-up folder lies below a hidden one, as ~/.config/autostart does.
    const TScopedEnvironmentVariable config("XDG_CONFIG_HOME", dir.File(".config"));
    const TScopedEnvironmentVariable data("XDG_DATA_HOME", dir.Path().string());
    std::filesystem::create_directories(dir.File(".config/autostart"));
    const struct {
        TSHFolders folder;
        std::string root;
    } cases[] = {{foStartup, dir.File(".config/autostart")}, {foRecycleBin, "/"}, {foPrinters, "/"}};
    for (const auto& [folder, root] : cases) {
        browser.RootFolder = folder;
        browser.OnInitialized = [&](TBrowseFolder&, TBrowseFolderDialog* dialog) {
            const QTreeView& tree = *dialog->Tree();
            ASSERT_EQ(tree.model()->rowCount(tree.rootIndex()), 1) << root;
            EXPECT_EQ(dialog->SelectedPath(), root);
            dialog->reject();
        };
        browser.Execute();
    }
    EXPECT_EQ(SpecialFolderPath(foRecycleBin), dir.File("Trash/files")) << "missing, hence the file system above";
    EXPECT_EQ(SpecialFolderPath(foControlPanel), std::nullopt);
}

TEST_F(FolderBrowser, TheCheckBoxIsReadBackOnlyThroughOk)
{
    browser.CustomButtonVisible = true;
    browser.CustomButtonType = btCheckBox;
    browser.SetCustomButtonCaption("in a new &window");
    browser.SetCustomButtonEnabled(false);
    int clicks = 0;
    browser.OnCustomButtonClick = [&](TBrowseFolder&, TBrowseFolderDialog*) { ++clicks; };
    for (const bool confirm : {false, true}) {
        browser.OnInitialized = [&](TBrowseFolder& sender, TBrowseFolderDialog* dialog) {
            auto* box = dialog->findChild<QCheckBox*>("CustomButton");
            ASSERT_TRUE(box);
            EXPECT_EQ(box->text(), "in a new &window");
            EXPECT_FALSE(box->isEnabled());
            sender.SetCustomButtonEnabled(true);
            box->click();
            confirm ? dialog->OkButton()->click() : dialog->reject();
        };
        browser.Execute();
        EXPECT_EQ(browser.CustomButtonChecked, confirm);
        browser.SetCustomButtonEnabled(false);
    }
    EXPECT_EQ(clicks, 2);
}

TEST_F(FolderBrowser, OkAndASyncedButtonNeedASelectionWithAPath)
{
    browser.CustomButtonVisible = true;
    browser.SyncCustomButton = true;
    browser.SetCustomButtonEnabled(false);
    browser.OnInitialized = [&](TBrowseFolder&, TBrowseFolderDialog* dialog) {
        auto* button = dialog->findChild<QPushButton*>("CustomButton");
        EXPECT_TRUE(dialog->OkButton()->isEnabled());
        EXPECT_TRUE(button->isEnabled());
        dialog->Tree()->setCurrentIndex({});
        EXPECT_FALSE(dialog->OkButton()->isEnabled());
        EXPECT_FALSE(button->isEnabled());
        dialog->reject();
    };
    browser.Execute();
}

TEST_F(FolderBrowser, ComesUpCentredOverTheActiveWindowAQuarterDown)
{
    QWidget owner;
    owner.setGeometry(100, 80, 800, 600);
    owner.show();
    owner.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
    TBrowseFolder owned(&owner);
    owned.OnInitialized = [&](TBrowseFolder&, TBrowseFolderDialog* dialog) {
        const QRect frame = owner.frameGeometry();
        EXPECT_EQ(dialog->parentWidget(), &owner);
        EXPECT_EQ(dialog->frameGeometry().topLeft(),
                  QPoint(frame.left() + frame.width() / 2 - dialog->frameGeometry().width() / 2,
                         frame.top() + frame.height() / 4));
        dialog->reject();
    };
    owned.Execute();
}

TEST(FileKinds, ListFoldersAndTheFilesOfTheirKind)
{
    const TempDir dir;
    std::filesystem::create_directory(dir.File("sub"));
    for (const char* name : {"app.desktop", "run.sh", "job.bat", "notes.txt", "tool"})
        WriteTextFile(dir.File(name), "");
    for (const char* name : {"run.sh", "tool"})
        std::filesystem::permissions(dir.File(name), std::filesystem::perms::owner_exec,
                                     std::filesystem::perm_options::add);
    QFileSystemModel files;
    QSignalSpy loaded(&files, &QFileSystemModel::directoryLoaded);
    const QModelIndex folder = files.setRootPath(QString::fromStdString(dir.Path().string()));
    ASSERT_TRUE(loaded.wait(5000));
    TFileKindFilter filter;
    filter.setSourceModel(&files);

    const struct {
        TFileKind kind;
        QStringList listed;
    } cases[] = {
        {{{"*.desktop"}, true}, {"app.desktop", "run.sh", "sub", "tool"}},
        {{{"*.sh", "*.bat"}}, {"job.bat", "run.sh", "sub"}},
        {{{"*"}}, {"app.desktop", "job.bat", "notes.txt", "run.sh", "sub", "tool"}},
    };
    for (const auto& [kind, listed] : cases) {
        filter.SetKind(kind);
        const QModelIndex shown = filter.mapFromSource(folder);
        QStringList names;
        for (int row = 0; row < filter.rowCount(shown); ++row)
            names << filter.index(row, 0, shown).data().toString();
        names.sort();
        EXPECT_EQ(names, listed) << kind.Patterns.join(' ').toStdString();
    }
}
