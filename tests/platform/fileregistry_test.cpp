#include <gtest/gtest.h>

#include <sys/stat.h>

#include <map>

#include "platform/fake/fakeservices.h"
#include "platform/linux/fileregistry.h"
#include "platform/registry.h"
#include "support/testsupport.h"

using namespace tarvo::platform;
using tarvo::testsupport::ExpectTrueAsUnprivilegedUser;
using tarvo::testsupport::ReadTextFile;
using tarvo::testsupport::TempDir;
using tarvo::testsupport::TScopedEnvironmentVariable;
using tarvo::testsupport::WriteTextFile;

namespace {

constexpr TRootKey LM = TRootKey::LocalMachine;

TRegistryValue Bytes(TValueType type, std::vector<uint8_t> data)
{
    return {type, std::move(data)};
}

// The host registry with its files in a scratch directory.
class FileRegistry : public testing::Test {
protected:
    std::string MachineFile() const { return dir.File("HKEY_LOCAL_MACHINE.reg"); }

    // What a registry made afresh from the files finds.
    std::optional<TRegistryValue> ReadBack(std::string_view path, std::string_view name) const
    {
        auto fresh = CreateHostRegistry();
        auto key = fresh->OpenKey(LM, path);
        return key ? key->QueryValue(name) : std::nullopt;
    }

    TempDir dir;
    TScopedEnvironmentVariable registryDir{"TARVO_REGISTRY_DIR", dir.Path().string()};
    std::unique_ptr<IRegistry> registry = CreateHostRegistry();
};

} // namespace

TEST_F(FileRegistry, EveryValueTypeRoundTripsThroughTheFile)
{
    struct TCase {
        const char* What;
        std::string Name;
        TRegistryValue Value;
    };
    const std::vector<TCase> cases = {
        {"plain text", "CommonFiles", StringValue("/srv/gemeinsam")},
        {"quotes and backslashes", "Quoted", StringValue(R"(C:\Daten "neu" \\ \")")},
        {"UTF-8 text", "Umlaut", StringValue("Grüße, 😀")},
        {"empty text", "Empty", StringValue("")},
        {"text with line breaks", "Lines", StringValue("eins\r\nzwei\n")},
        {"text with zeros", "Zeros", StringValue(std::string_view("a\0b\0", 4))},
        {"expandable text", "Expand", StringValue("%HOME%\\bin Ü😀", TValueType::ExpandString)},
        {"empty expandable text", "EmptyExpand", StringValue("", TValueType::ExpandString)},
        {"dword", "Number", DWordValue(42)},
        {"largest dword", "Largest", DWordValue(0xFFFFFFFF)},
        {"dword of the wrong size", "Short", Bytes(TValueType::DWord, {1, 2})},
        {"binary", "Binary", Bytes(TValueType::Binary, {0, 1, 0x7f, 0x80, 0xff})},
        {"empty binary", "EmptyBinary", Bytes(TValueType::Binary, {})},
        {"another type", "Multi", Bytes(static_cast<TValueType>(7), {'a', 0, 0})},
        {"type above 9", "Qword", Bytes(static_cast<TValueType>(11), {1, 0, 0, 0, 0, 0, 0, 0})},
        {"default value", "", StringValue("Standard")},
        {"name with quotes and backslash", R"(sagt "hallo" \)", StringValue("x")},
    };
    auto key = registry->CreateKey(LM, "Software\\Quenbar");
    ASSERT_TRUE(key);
    for (const auto& c : cases)
        ASSERT_TRUE(key->SetValue(c.Name, c.Value)) << c.What;

    for (const auto& c : cases)
        EXPECT_EQ(ReadBack("Software\\Quenbar", c.Name), c.Value) << c.What;
}

TEST_F(FileRegistry, FileIsInTheRegistryEditorsExportFormat)
{
    auto key = registry->CreateKey(LM, "Software\\Quenbar");
    ASSERT_TRUE(key);
    key->SetValue("", StringValue("Standard"));
    key->SetValue("CommonFiles", StringValue(R"(C:\Daten "neu")"));
    key->SetValue("Count", DWordValue(42));
    key->SetValue("Path", StringValue("%A%ü", TValueType::ExpandString));
    key->SetValue("Raw", Bytes(TValueType::Binary, {0x01, 0xff}));

    EXPECT_EQ(ReadTextFile(MachineFile()),
              "Windows Registry Editor Version 5.00\n"
              "\n"
              "[HKEY_LOCAL_MACHINE\\Software]\n"
              "\n"
              "[HKEY_LOCAL_MACHINE\\Software\\Quenbar]\n"
              "@=\"Standard\"\n"
              "\"CommonFiles\"=\"C:\\\\Daten \\\"neu\\\"\"\n"
              "\"Count\"=dword:0000002a\n"
              "\"Path\"=hex(2):25,00,41,00,25,00,fc,00,00,00\n"
              "\"Raw\"=hex:01,ff\n"
              "\n");
}

TEST_F(FileRegistry, ReadsAFileAsTheRegistryEditorWritesIt)
{
    WriteTextFile(MachineFile(),
                  "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n"
                  "\r\n"
                  "; a comment\r\n"
                  "[hkey_local_machine\\SOFTWARE\\Quenbar]\r\n"
                  "\"CommonFiles\"=\"E:\\\\Daten\\\\\"\r\n"
                  "\"Long\"=hex(2):25,00,55,00,53,00,45,00,52,00,25,00,5c,00,fc,00,\\\r\n"
                  "  00,00\r\n"
                  "\"Flag\"=dword:00000001\r\n"
                  "\r\n");

    EXPECT_EQ(ReadBack("Software\\quenbar", "commonfiles"), StringValue("E:\\Daten\\"));
    EXPECT_EQ(ReadBack("Software\\Quenbar", "Long"), StringValue("%USER%\\ü", TValueType::ExpandString));
    EXPECT_EQ(ReadBack("Software\\Quenbar", "Flag"), DWordValue(1));
}

TEST_F(FileRegistry, NamesIgnoreCaseAndKeepTheirFirstSpelling)
{
    registry->CreateKey(LM, "Software\\Quenbar")->SetValue("CommonFiles", StringValue("eins"));
    auto sameKey = registry->OpenKey(LM, "SOFTWARE\\quenbar");
    ASSERT_TRUE(sameKey);
    ASSERT_TRUE(sameKey->SetValue("COMMONFILES", StringValue("zwei")));
    ASSERT_TRUE(registry->CreateKey(LM, "software\\QUENBAR\\Neu"));

    EXPECT_EQ(ReadBack("software\\quenbar", "commonfiles"), StringValue("zwei"));
    const std::string text = ReadTextFile(MachineFile());
    EXPECT_NE(text.find("[HKEY_LOCAL_MACHINE\\Software\\Quenbar]\n\"CommonFiles\"=\"zwei\"\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("[HKEY_LOCAL_MACHINE\\Software\\Quenbar\\Neu]"), std::string::npos) << text;
    EXPECT_EQ(text.find("COMMONFILES"), std::string::npos) << text;
}

TEST_F(FileRegistry, MalformedLinesAreSkipped)
{
    WriteTextFile(MachineFile(),
                  "Windows Registry Editor Version 5.00\n"
                  "[HKEY_LOCAL_MACHINE\\Good]\n"
                  "\"a\"=\"1\"\n"
                  "\"unterminated=\"x\"\n"
                  "\"b\"=dword:xyz\n"
                  "\"c\"=dword:123456789\n"
                  "\"d\"=hex:01,2g\n"
                  "\"e\"=hex:01,\n"
                  "\"f\"=\"text\" and more\n"
                  "\"g\"=hex(zz):00\n"
                  "\"h\"\n"
                  "=\"no name\"\n"
                  "\"i\"=\"2\"\n"
                  "[HKEY_CURRENT_USER\\Good]\n"
                  "\"j\"=\"below another root key\"\n"
                  "[HKEY_LOCAL_MACHINE\\Good\n"
                  "\"k\"=\"below a broken section\"\n"
                  "[HKEY_LOCAL_MACHINE\\Good]\n"
                  "\"l\"=hex:01,\\");

    EXPECT_EQ(ReadBack("Good", "a"), StringValue("1"));
    EXPECT_EQ(ReadBack("Good", "i"), StringValue("2"));
    for (const char* name : {"b", "c", "d", "e", "f", "g", "h", "", "j", "k", "l"})
        EXPECT_EQ(ReadBack("Good", name), std::nullopt) << name;
}

TEST_F(FileRegistry, BinaryGarbageReadsAsAnEmptyTree)
{
    std::string garbage;
    for (int i = 0; i < 4096; ++i)
        garbage += static_cast<char>((i * 7919) % 256);
    WriteTextFile(MachineFile(), "[HKEY_LOCAL_MACHINE\\X]\n\"a\"=hex:" + garbage);

    EXPECT_TRUE(registry->OpenKey(LM, ""));
    EXPECT_EQ(ReadBack("X", "a"), std::nullopt);
}

TEST_F(FileRegistry, MissingFileIsAnEmptyTreeAndReadingCreatesNothing)
{
    EXPECT_FALSE(registry->OpenKey(LM, "Software"));
    auto root = registry->OpenKey(LM, "");
    ASSERT_TRUE(root);
    EXPECT_EQ(root->QueryValue("CommonFiles"), std::nullopt);
    EXPECT_TRUE(dir.Entries().empty());
}

TEST_F(FileRegistry, CreatedKeysAreStoredAtOnceWithTheirParents)
{
    ASSERT_TRUE(registry->CreateKey(LM, "Software\\Quenbar"));

    auto fresh = CreateHostRegistry();
    EXPECT_TRUE(fresh->OpenKey(LM, "Software"));
    EXPECT_TRUE(fresh->OpenKey(LM, "\\Software\\\\Quenbar\\")) << "empty names are ignored";
    EXPECT_FALSE(fresh->OpenKey(LM, "Software\\Quenbar\\Sub"));
}

TEST_F(FileRegistry, EachRootKeyHasItsOwnFile)
{
    ASSERT_TRUE(registry->CreateKey(TRootKey::CurrentUser, "Software\\Quenbar")->SetValue("x", DWordValue(1)));

    EXPECT_EQ(dir.Entries(), std::set<std::string>{"HKEY_CURRENT_USER.reg"});
    EXPECT_FALSE(registry->OpenKey(LM, "Software\\Quenbar"));
}

TEST_F(FileRegistry, WritesLeaveNoTemporaryFilesAndAFailedWriteChangesNothing)
{
    auto key = registry->CreateKey(LM, "Software\\Quenbar");
    for (uint32_t i = 0; i < 20; ++i)
        ASSERT_TRUE(key->SetValue("Value" + std::to_string(i), DWordValue(i)));
    const std::string before = ReadTextFile(MachineFile());

    EXPECT_FALSE(key->SetValue("two\nlines", StringValue("x"))) << "the format cannot hold the name";
    EXPECT_EQ(ReadTextFile(MachineFile()), before);
    EXPECT_EQ(dir.Entries(), std::set<std::string>{"HKEY_LOCAL_MACHINE.reg"});
}

TEST_F(FileRegistry, WhereNoFileCanBeWrittenNewKeysAndValuesFail)
{
    // A regular file where the directory should be stops even root.
    WriteTextFile(dir.File("blocker"), "");
    TScopedEnvironmentVariable blocked("TARVO_REGISTRY_DIR", dir.File("blocker") + "/registry");
    auto blockedRegistry = CreateHostRegistry();

    EXPECT_FALSE(blockedRegistry->CreateKey(LM, "Software\\Quenbar"));
    auto root = blockedRegistry->OpenKey(LM, "");
    ASSERT_TRUE(root);
    EXPECT_FALSE(root->SetValue("x", StringValue("y")));
    EXPECT_EQ(dir.Entries(), std::set<std::string>{"blocker"});
}

TEST_F(FileRegistry, ExistingKeysOpenAndReadWhereNothingCanBeWritten)
{
    ASSERT_TRUE(registry->CreateKey(LM, "Software\\Quenbar")->SetValue("CommonFiles", StringValue("/srv")));
    ASSERT_EQ(::chmod(MachineFile().c_str(), 0444), 0); // a writable file would be overwritten in place
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0555), 0);

    ExpectTrueAsUnprivilegedUser([this] {
        auto key = registry->CreateKey(LM, "Software\\Quenbar");
        return key && key->QueryValue("CommonFiles") == StringValue("/srv")
            && !key->SetValue("CommonFiles", StringValue("/other")) && !registry->CreateKey(LM, "Software\\Other");
    });
}

TEST(RegistryDirectories, FollowTheEnvironment)
{
    struct TCase {
        std::map<std::string, std::string> Variables;
        std::string LocalMachine;
        std::string CurrentUser;
    };
    const std::vector<TCase> cases = {
        {{{"HOME", "/home/anna"}}, "/etc/tarvo/registry", "/home/anna/.config/tarvo/registry"},
        {{{"HOME", "/home/anna"}, {"XDG_CONFIG_HOME", "/cfg/"}}, "/etc/tarvo/registry", "/cfg/tarvo/registry"},
        {{{"HOME", "/home/anna"}, {"XDG_CONFIG_HOME", "relative"}},
         "/etc/tarvo/registry",
         "/home/anna/.config/tarvo/registry"},
        {{{"HOME", "/home/anna"}, {"XDG_CONFIG_HOME", ""}}, "/etc/tarvo/registry", "/home/anna/.config/tarvo/registry"},
        {{}, "/etc/tarvo/registry", ""},
        {{{"HOME", "/home/anna"}, {"TARVO_REGISTRY_DIR", "/tmp/reg"}}, "/tmp/reg", "/tmp/reg"},
        {{{"HOME", "/home/anna"}, {"TARVO_REGISTRY_DIR", ""}},
         "/etc/tarvo/registry",
         "/home/anna/.config/tarvo/registry"},
    };
    for (const auto& c : cases) {
        TFakeEnvironment environment;
        environment.Variables = c.Variables;
        const TRegistryDirectories directories = RegistryDirectories(environment);
        EXPECT_EQ(directories.LocalMachine, c.LocalMachine);
        EXPECT_EQ(directories.CurrentUser, c.CurrentUser);
    }
}

TEST(RegistryDirectories, RootKeyWithoutDirectoryReadsEmptyAndCannotBeWritten)
{
    TFileRegistry registry({"", ""});
    EXPECT_EQ(registry.FileOf(TRootKey::CurrentUser), "");
    EXPECT_TRUE(registry.OpenKey(TRootKey::CurrentUser, ""));
    EXPECT_FALSE(registry.CreateKey(TRootKey::CurrentUser, "Software"));
}
