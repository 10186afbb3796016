#include <gtest/gtest.h>

#include "app/startup.h"
#include "hotkeys/hotkeyfile.h"
#include "persist/modules.h"
#include "platform/fake/fakeservices.h"
#include "platform/registry.h"
#include "settings/appsettings.h"
#include "support/testsupport.h"

using namespace tarvo;
using testsupport::Bytes;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

// Starts the program's modules with the program file in a scratch directory.
class StartUpTest : public testing::Test {
protected:
    StartUpTest() : fakes_(dir_.File("tarvo")) { ResetAppSettingsForTesting(); }
    ~StartUpTest() override
    {
        FinalizeModules();
        ResetAppSettingsForTesting();
    }

    // A hotkey file holding one hotkey with the given name.
    void WriteKeys(const std::string& fileName, const std::string& hotkeyName)
    {
        InitHotKeyFileClasses();
        THotKeyFile document;
        auto hotkey = std::make_unique<THotTarvo>();
        hotkey->Name = hotkeyName;
        document.HotKeyList->Add(std::move(hotkey));
        WriteHotKeyDocument(document, fileName);
        FinalizePersistModules();
    }

    static std::string LoadedHotKeyName()
    {
        const THotKeyFile& document = CurrentHotKeyFile();
        return document.HotKeyList->Count() == 1 ? document.HotKey(0).Name
                                                 : "(" + std::to_string(document.HotKeyList->Count()) + " hotkeys)";
    }

    TempDir dir_;
    platform::TScopedFakeServices fakes_;
};

} // namespace

TEST_F(StartUpTest, WithoutArgumentsTheDefaultFileIsUsed)
{
    EXPECT_TRUE(StartUp({}).empty());
    EXPECT_EQ(HotKeyFileName(), dir_.File("KeyList.TVO"));
    EXPECT_EQ(CurrentHotKeyFile().HotKeyList->Count(), 0);
    EXPECT_EQ(AppSettings().CommonFiles, dir_.Path().string()) << "no registry value: the program's directory";
}

TEST_F(StartUpTest, DefaultFileIsLookedForInTheProgramsDirectory)
{
    WriteKeys(dir_.File("KeyList.TVO"), "default");
    EXPECT_TRUE(StartUp({}).empty());
    EXPECT_EQ(LoadedHotKeyName(), "default");
}

TEST_F(StartUpTest, CommandLineNamesAreCompleted)
{
    struct Case {
        std::string argument;
        std::string resolved;
    };
    const std::string programDir = dir_.Path().string() + "/";
    const Case cases[] = {
        {"work", programDir + "work.tvo"},
        {"work.txt", programDir + "work.txt"},
        {"/keys/work.txt", "/keys/work.txt"},
        {"/keys/work", "/keys/work.tvo"},
        {"/home/u.v/work", "/home/u.v/work.tvo"}, // a dot in a directory is no extension
        {"sub/work", "sub/work.tvo"},             // a relative directory part stays as given
        {"\"my keys\"", programDir + "my keys.tvo"},
        {"\"/keys/my \"keys", "/keys/my keys.tvo"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ResolveHotKeyFileName(CommandLineFileArgument({c.argument, "ignored"})), c.resolved) << c.argument;
    EXPECT_EQ(CommandLineFileArgument({}), "");
    EXPECT_EQ(CommandLineFileArgument({"\"\""}), "");
}

TEST_F(StartUpTest, AnInstalledProgramKeepsTheUsersFilesInTheConfigDirectory)
{
    fakes_.Program.Path = "/nonexistent/lib/tarvo/tarvo"; // a directory nobody may write, not even root
    fakes_.Environment.Variables["XDG_CONFIG_HOME"] = dir_.File("config");
    const std::string userFiles = dir_.File("config/tarvo/");

    EXPECT_TRUE(StartUp({"work"}).empty());
    EXPECT_EQ(HotKeyFileName(), userFiles + "work.tvo");
    SaveHotKeyFile();
    EXPECT_TRUE(std::filesystem::exists(userFiles + "work.tvo")) << "the directory is created for the save";
    FinalizeModules();

    WriteKeys(userFiles + "KeyList.TVO", "default");
    EXPECT_TRUE(StartUp({}).empty());
    EXPECT_EQ(HotKeyFileName(), userFiles + "KeyList.TVO");
    EXPECT_EQ(LoadedHotKeyName(), "default");
}

TEST_F(StartUpTest, CommandLineFileIsLoaded)
{
    WriteKeys(dir_.File("KeyList.TVO"), "default");
    WriteKeys(dir_.File("work.tvo"), "work");
    WriteKeys(dir_.File("my keys.txt"), "spaced");

    EXPECT_TRUE(StartUp({"work"}).empty());
    EXPECT_EQ(HotKeyFileName(), dir_.File("work.tvo"));
    EXPECT_EQ(LoadedHotKeyName(), "work");
    FinalizeModules();

    EXPECT_TRUE(StartUp({"\"" + dir_.File("my keys.txt") + "\""}).empty());
    EXPECT_EQ(LoadedHotKeyName(), "spaced");
}

TEST_F(StartUpTest, MissingCommandLineFileKeepsTheDefaultDocument)
{
    WriteKeys(dir_.File("KeyList.TVO"), "default");
    EXPECT_TRUE(StartUp({"absent"}).empty());
    EXPECT_EQ(HotKeyFileName(), dir_.File("absent.tvo"));
    EXPECT_EQ(LoadedHotKeyName(), "default");
    SaveHotKeyFile();
    EXPECT_TRUE(std::filesystem::exists(dir_.File("absent.tvo"))) << "the first save writes under the new name";
}

TEST_F(StartUpTest, UnreadableFilesAreReportedAndStartUpGoesOn)
{
    WriteKeys(dir_.File("KeyList.TVO"), "default");
    WriteFile(dir_.File("damaged.tvo"), Bytes{0x9C, 0x00, 0x00});
    const TStartupProblems problems = StartUp({"damaged"});
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find(dir_.File("damaged.tvo")), std::string::npos) << problems[0];
    EXPECT_EQ(LoadedHotKeyName(), "default");
    FinalizeModules();

    WriteFile(dir_.File("KeyList.TVO"), Bytes{0x01});
    const TStartupProblems atDefault = StartUp({});
    ASSERT_EQ(atDefault.size(), 1u);
    EXPECT_NE(atDefault[0].find("KeyList.TVO"), std::string::npos);
    EXPECT_EQ(CurrentHotKeyFile().HotKeyList->Count(), 0);
}

TEST_F(StartUpTest, UnreadableSettingsAreReportedAndStartUpGoesOn)
{
    auto key = fakes_.Registry.CreateKey(platform::TRootKey::LocalMachine, "Software\\Quenbar");
    ASSERT_TRUE(key);
    key->SetValue("CommonFiles", platform::DWordValue(7));
    const TStartupProblems problems = StartUp({});
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0], "Ungültiger Datentyp für 'CommonFiles'");
    EXPECT_EQ(AppSettings().CommonFiles, dir_.Path().string());
}
