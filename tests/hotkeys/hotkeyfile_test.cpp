#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "hotkeys/hotkeyfile.h"
#include "persist/objectstream.h"
#include "platform/fake/fakeservices.h"
#include "support/logrecorder.h"
#include "support/testsupport.h"

using namespace tarvo;
using testsupport::ByteBuilder;
using testsupport::Bytes;
using testsupport::Prefix;
using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

// Runs the hotkey file module with the program in a scratch directory.
class HotKeyFileModule : public testing::Test {
protected:
    HotKeyFileModule() : fakes_(dir_.File("tarvo")) { startupProblem_ = StartModule(); }
    ~HotKeyFileModule() override { FinalizeHotKeyFileModule(); }

    std::optional<std::string> StartModule()
    {
        // Registers the hotkey classes a second time; the duplicates are harmless here.
        testsupport::TLogRecorder duplicateWarnings;
        return InitHotKeyFileModule();
    }

    static std::unique_ptr<THotTarvo> NewHotKey(std::string name, TShortCut shortcut)
    {
        auto hotkey = std::make_unique<THotTarvo>();
        hotkey->Name = std::move(name);
        hotkey->HotKey = shortcut;
        return hotkey;
    }

    TempDir dir_;
    platform::TScopedFakeServices fakes_;
    std::optional<std::string> startupProblem_;
};

const Bytes EmptyDocument{0x9C, 0x00, 0x00, 0x00, 0x68, 0x00, 0x00, 0x00, 0x00, 0xEB, 0x03, 0x00, 0x00,
                          0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00};

} // namespace

TEST_F(HotKeyFileModule, StartsWithAnEmptyDocumentNamedAfterTheDefaultFile)
{
    EXPECT_FALSE(startupProblem_);
    EXPECT_EQ(HotKeyFileName(), dir_.File("KeyList.TVO"));
    EXPECT_EQ(CurrentHotKeyFile().HotKeyList->Count(), 0);
    EXPECT_FALSE(CurrentHotKeyFile().MinimizeAtStart);
    EXPECT_EQ(CurrentHotKeyFile().Language, LanguageEnglish);
}

TEST_F(HotKeyFileModule, AFirstStartSpeaksTheDesktopsLanguageAndAFileItsOwn)
{
    using TVariables = std::map<std::string, std::string>;
    const struct {
        TVariables variables;
        bool fileExists;
        int32_t language;
    } cases[] = {
        {{{"LANG", "de_DE.UTF-8"}}, false, LanguageGerman},
        {{{"LC_MESSAGES", "de_AT@euro"}, {"LANG", "en_GB.UTF-8"}}, false, LanguageGerman},
        {{{"LC_ALL", "C.UTF-8"}, {"LANG", "de_DE.UTF-8"}}, false, LanguageEnglish},
        {{{"LANG", "en_US.UTF-8"}}, false, LanguageEnglish},
        {{}, false, LanguageEnglish},
        {{{"LANG", "de_DE.UTF-8"}}, true, LanguageEnglish},
    };
    for (const auto& c : cases) {
        FinalizeHotKeyFileModule();
        std::filesystem::remove(HotKeyFileName());
        if (c.fileExists)
            WriteHotKeyDocument(THotKeyFile(), HotKeyFileName());
        fakes_.Environment.Variables = c.variables;
        StartModule();
        EXPECT_EQ(CurrentHotKeyFile().Language, c.language) << c.variables.size() << c.fileExists;
    }
}

TEST_F(HotKeyFileModule, EmptyDocumentIsTheDocumentedBytesWithFiller)
{
    SaveHotKeyFile();
    const Bytes file = ReadFile(HotKeyFileName());
    ASSERT_EQ(file.size(), 16384u);
    EXPECT_EQ(Prefix(file, 25), EmptyDocument);
    EXPECT_TRUE(std::all_of(file.begin() + 25, file.end(), [](uint8_t b) { return b == 0; }));
}

TEST_F(HotKeyFileModule, GermanDocumentWithOneHotKeyIsTheDocumentedBytes)
{
    THotKeyFile& document = CurrentHotKeyFile();
    document.Language = LanguageGerman;
    auto hotkey = NewHotKey("", 0xC045);
    hotkey->Commands->Add(std::make_unique<THotKeyCommand>());
    document.HotKeyList->Add(std::move(hotkey));
    SaveHotKeyFile();

    // clang-format off
    const Bytes expected = ByteBuilder()
                               .Long(156).Long(104).Raw({0x00})
                               .Long(1003).Long(1)
                               .Long(155).Long(0).Long(0).Long(104).Raw({0x45, 0xC0})
                               .Long(1003).Long(1)
                               .Long(201).Long(0).Long(0).Long(104)
                               .Long(0).Long(0).Long(0).Long(0).Long(0)
                               .Long(0)
                               .Long(0).Raw({0x01})
                               .Long(0)
                               .Long(1)
                               .Get();
    // clang-format on
    ASSERT_EQ(expected.size(), 96u);
    const Bytes file = ReadFile(HotKeyFileName());
    EXPECT_EQ(file.size(), 16384u);
    EXPECT_EQ(Prefix(file, 96), expected);
}

TEST_F(HotKeyFileModule, LargeDocumentIsExactlyAsLongAsItsContent)
{
    for (int i = 0; i < 400; ++i)
        CurrentHotKeyFile().HotKeyList->Add(NewHotKey("hotkey number " + std::to_string(i), 0x4041));
    SaveHotKeyFile();
    const size_t size = ReadFile(HotKeyFileName()).size();
    EXPECT_GT(size, 16384u);

    TObjectStream stream(0);
    stream.PutObject(CurrentHotKeyFile());
    EXPECT_EQ(size, stream.Size());
}

TEST_F(HotKeyFileModule, SaveAndLoadRestoresTheDocumentAndItsIdentifiers)
{
    THotKeyFile& document = CurrentHotKeyFile();
    document.MinimizeAtStart = true;
    document.Language = LanguageGerman;
    for (const char* name : {"a", "b", "c"})
        document.HotKeyList->Add(NewHotKey(name, 0));
    document.HotKeyList->FreeID(2);
    SaveHotKeyFile();

    FinalizeHotKeyFileModule();
    ASSERT_FALSE(StartModule()) << "the default file is loaded at start-up";
    THotKeyFile& loaded = CurrentHotKeyFile();
    EXPECT_TRUE(loaded.MinimizeAtStart);
    EXPECT_EQ(loaded.Language, LanguageGerman);
    ASSERT_EQ(loaded.HotKeyList->Count(), 2);
    EXPECT_EQ(loaded.HotKey(1).Name, "b");
    loaded.HotKeyList->Add(NewHotKey("d", 0));
    EXPECT_EQ(loaded.HotKey(2).ID, 3) << "a deleted hotkey's identifier is not handed out again";
}

TEST_F(HotKeyFileModule, Version103DocumentHasNoLanguage)
{
    const Bytes old = ByteBuilder().Long(156).Long(103).Raw({0x01}).Long(1003).Long(0).Long(-1).Get();
    WriteFile(HotKeyFileName(), old);
    CurrentHotKeyFile().Language = LanguageGerman;
    LoadHotKeyFile();
    EXPECT_EQ(CurrentHotKeyFile().Language, LanguageEnglish);
    EXPECT_TRUE(CurrentHotKeyFile().MinimizeAtStart);
}

TEST_F(HotKeyFileModule, MissingFileKeepsTheDocumentUnderTheNewName)
{
    CurrentHotKeyFile().HotKeyList->Add(NewHotKey("kept", 0));
    HotKeyFileName() = dir_.File("other.tvo");
    LoadHotKeyFile();
    ASSERT_EQ(CurrentHotKeyFile().HotKeyList->Count(), 1);
    SaveHotKeyFile();
    EXPECT_EQ(ReadFile(dir_.File("other.tvo")).size(), 16384u);
}

TEST_F(HotKeyFileModule, UnreadableFilesLeaveTheDocumentIntactAndNameTheFile)
{
    CurrentHotKeyFile().HotKeyList->Add(NewHotKey("kept", 0xC045));
    SaveHotKeyFile();
    const Bytes good = Prefix(ReadFile(HotKeyFileName()), 60);

    const std::string name = dir_.File("bad.tvo");
    const Bytes unknownClass = ByteBuilder().Long(4711).Get();
    const Bytes otherRoot = ByteBuilder().Long(1000).String("just a text").Get();
    const Bytes listOfTexts =
        ByteBuilder().Long(156).Long(104).Raw({0}).Long(1003).Long(1).Long(1000).String("x").Get();
    std::vector<Bytes> damaged{unknownClass, otherRoot, listOfTexts};
    for (size_t length = 0; length < good.size(); ++length)
        damaged.push_back(Prefix(good, length));

    HotKeyFileName() = name;
    for (const Bytes& bytes : damaged) {
        WriteFile(name, bytes);
        try {
            LoadHotKeyFile();
            ADD_FAILURE() << "a damaged file of " << bytes.size() << " bytes was accepted";
        } catch (const ETarvoError& error) {
            EXPECT_NE(std::string(error.what()).find(name), std::string::npos) << error.what();
        }
        ASSERT_EQ(CurrentHotKeyFile().HotKeyList->Count(), 1);
        EXPECT_EQ(CurrentHotKeyFile().HotKey(0).Name, "kept");
    }
}

TEST_F(HotKeyFileModule, DamagedDefaultFileDoesNotStopStartUp)
{
    WriteFile(HotKeyFileName(), ByteBuilder().Long(156).Long(104).Get());
    FinalizeHotKeyFileModule();
    const auto problem = StartModule();
    ASSERT_TRUE(problem);
    EXPECT_NE(problem->find("KeyList.TVO"), std::string::npos);
    EXPECT_EQ(CurrentHotKeyFile().HotKeyList->Count(), 0);
}

TEST_F(HotKeyFileModule, FailedSaveKeepsTheOldFile)
{
    CurrentHotKeyFile().HotKeyList->Add(NewHotKey("saved", 0));
    SaveHotKeyFile();
    const Bytes before = ReadFile(HotKeyFileName());

    // A directory in the way of the temporary file's rename makes the save fail.
    const std::string blocked = dir_.File("blocked.tvo");
    std::filesystem::create_directory(blocked);
    std::filesystem::create_directory(blocked + "/inside");
    HotKeyFileName() = blocked;
    try {
        SaveHotKeyFile();
        FAIL() << "saving over a directory succeeded";
    } catch (const EFCreateError& error) {
        EXPECT_EQ(std::string(error.what()), "Kann Datei " + blocked + " nicht erstellen");
    }
    HotKeyFileName() = dir_.File("missing-dir/keys.tvo");
    EXPECT_THROW(SaveHotKeyFile(), EFCreateError);

    EXPECT_EQ(ReadFile(dir_.File("KeyList.TVO")), before);
    EXPECT_EQ(dir_.Entries(), (std::set<std::string>{"KeyList.TVO", "blocked.tvo"})) << "no temporary file is left";
}
