#include <gtest/gtest.h>

#include <filesystem>

#include "hotkeys/hotkeyfile.h"
#include "lang/message.h"
#include "support/testsupport.h"
#include "support/toolsupport.h"
#include "tools/hotkeyjson.h"

using namespace tarvo;
using testsupport::ByteBuilder;
using testsupport::Bytes;
using testsupport::ReadFile;
using testsupport::ReadTextFile;
using testsupport::RunTool;
using testsupport::TempDir;
using testsupport::TToolRun;
using testsupport::WriteFile;
using testsupport::WriteTextFile;

namespace {

std::unique_ptr<THotKeyFile> SampleDocument()
{
    auto document = std::make_unique<THotKeyFile>();
    document->Language = LanguageGerman;
    document->MinimizeAtStart = true;
    for (int i = 0; i < 3; ++i) {
        auto hotkey = std::make_unique<THotTarvo>();
        hotkey->Name = i == 1 ? "Grüße \"quoted\" \\ back" : "Hotkey " + std::to_string(i);
        hotkey->HotKey = static_cast<TShortCut>(ShortCutCtrl | ('A' + i));
        hotkey->Enabled = i != 2;
        hotkey->Reserved = i * 100;
        for (int c = 0; c <= i; ++c) {
            auto command = std::make_unique<THotKeyCommand>();
            command->FileName = "%HOME%/bin/tool" + std::to_string(c);
            command->Parameters = "--flag";
            command->LookForWindow = c == 1 ? "Window" : "";
            command->ExecMode = c;
            hotkey->Commands->Add(std::move(command));
        }
        hotkey->Commands->FreeID(0);
        document->HotKeyList->Add(std::move(hotkey));
    }
    document->HotKeyList->FreeID(0);
    return document;
}

} // namespace

TEST(HotKeyJson, DumpShowsEveryField)
{
    const std::string json = HotKeyDocumentToJson(*SampleDocument());
    for (const char* expected :
         {"\"language\": 1", "\"minimizeAtStart\": true", "\"lastId\": 2", "\"shortcut\": \"Strg+B\"",
          "\"hotKey\": 16450", "\"enabled\": false", "\"reserved\": 200", "\"execMode\": 2",
          "\"lookForWindow\": \"Window\"", "\"name\": \"Grüße \\\"quoted\\\" \\\\ back\"", "\"version\": 104"})
        EXPECT_NE(json.find(expected), std::string::npos) << expected << " in\n" << json;
}

TEST(HotKeyJson, BuildFromDumpGivesTheSameBytes)
{
    TempDir dir;
    const auto original = SampleDocument();
    WriteHotKeyDocument(*original, dir.File("a.tvo"));
    const auto rebuilt = HotKeyDocumentFromJson(HotKeyDocumentToJson(*ReadHotKeyDocument(dir.File("a.tvo"))));
    WriteHotKeyDocument(*rebuilt, dir.File("b.tvo"));
    EXPECT_EQ(ReadFile(dir.File("a.tvo")), ReadFile(dir.File("b.tvo")));
}

TEST(HotKeyJson, MissingFieldsTakeDefaultsAndIdentifiersAreHandedOut)
{
    const auto document =
        HotKeyDocumentFromJson(R"({"hotkeys":[{"name":"new"},{"id":4,"name":"kept","commands":[{},{"id":2}]}]})");
    EXPECT_EQ(document->Language, LanguageEnglish);
    ASSERT_EQ(document->HotKeyList->Count(), 2);
    const THotTarvo& kept = document->HotKey(0);
    EXPECT_EQ(kept.ID, 4);
    EXPECT_TRUE(kept.Enabled);
    ASSERT_EQ(kept.Commands->Count(), 2);
    EXPECT_EQ(kept.Command(1).ID, 3) << "numbered after the largest identifier in use";
    EXPECT_EQ(document->HotKey(1).ID, 5);
    EXPECT_EQ(document->HotKeyList->LastID, 5);

    const auto given = HotKeyDocumentFromJson(R"({"lastId":41,"hotkeys":[{"id":1}]})");
    EXPECT_EQ(given->HotKeyList->LastID, 41) << "a given lastId is written as given";
}

TEST(HotKeyJson, BadDocumentsAreRejectedWithTheirPlace)
{
    struct Case {
        const char* json;
        const char* message;
    };
    const Case cases[] = {
        {"{", "not valid JSON"},
        {"[]", "must be a JSON object"},
        {R"({"hotkeys":{}})", "hotkeys must be an array"},
        {R"({"hotkeys":[5]})", "hotkeys[0] must be an object"},
        {R"({"hotkeys":[{"hotkey":1}]})", "hotkeys[0] has an unknown field \"hotkey\""},
        {R"({"hotkeys":[{"hotKey":70000}]})", "hotkeys[0].hotKey must be a whole number from 0 to 65535"},
        {R"({"hotkeys":[{"hotKey":1.5}]})", "hotkeys[0].hotKey must be a whole number"},
        {R"({"hotkeys":[{"name":7}]})", "hotkeys[0].name must be a string"},
        {R"({"hotkeys":[{"commands":[{"fileName":"a\u0000b"}]}]})",
         "hotkeys[0].commands[0].fileName must not hold a zero character"},
        {R"({"hotkeys":[{"enabled":"yes"}]})", "hotkeys[0].enabled must be true or false"},
        {R"({"hotkeys":[{"commands":[{"execMode":"max"}]}]})",
         "hotkeys[0].commands[0].execMode must be a whole number"},
        {R"({"hotkeys":[{"id":1},{"id":1}]})", "hotkeys[1].id 1 is used twice"},
        {R"({"lastId":2,"hotkeys":[{"id":3}]})", "hotkeys: lastId 2 is below 3, an id in use"},
        {R"({"hotkeys":[{"lastId":0,"commands":[{"id":1}]}]})",
         "hotkeys[0].commands: lastId 0 is below 1, an id in use"},
    };
    for (const auto& c : cases) {
        try {
            HotKeyDocumentFromJson(c.json);
            ADD_FAILURE() << c.json << " was accepted";
        } catch (const EHotKeyJsonError& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
        }
    }
}

TEST(TvoTool, DumpAndBuildRoundTripThroughFiles)
{
    TempDir dir;
    WriteHotKeyDocument(*SampleDocument(), dir.File("keys.tvo"));
    const TToolRun dump = RunTool({"dump", dir.File("keys.tvo")}, dir);
    ASSERT_EQ(dump.status, 0) << dump.err;
    EXPECT_TRUE(dump.err.empty());
    WriteTextFile(dir.File("keys.json"), dump.out);
    const TToolRun build = RunTool({"build", dir.File("keys.json"), dir.File("copy.tvo")}, dir);
    ASSERT_EQ(build.status, 0) << build.err;
    EXPECT_EQ(ReadFile(dir.File("keys.tvo")), ReadFile(dir.File("copy.tvo")));
}

TEST(TvoTool, DumpAndBuildReproduceAFileWrittenOnWindows)
{
    TempDir dir;
    // clang-format off
    Bytes written = ByteBuilder()
                        .Long(156).Long(104).Raw({0})
                        .Long(1003).Long(1)
                        .Long(155).Long(0).String("B\xFCro").Long(104).Raw({0x08, 0x40})
                        .Long(1003).Long(1)
                        .Long(201).Long(0).String("\x84" "Entw\xFC" "rfe\x93").Long(104).String("C:\\M\xF6" "bel.exe")
                        .Long(1).String("\x81").String("").String("M\xF6" "bel")
                        .Long(0).Long(0).Raw({1})
                        .Long(0).Long(1)
                        .Get();
    // clang-format on
    written.resize(16384, 0);
    WriteFile(dir.File("windows.tvo"), written);
    const TToolRun dump = RunTool({"dump", dir.File("windows.tvo")}, dir);
    ASSERT_EQ(dump.status, 0) << dump.err;
    for (const char* expected : {"\"name\": \"Büro\"", "\"name\": \"„Entwürfe“\"", "\"fileName\": \"C:\\\\Möbel.exe\""})
        EXPECT_NE(dump.out.find(expected), std::string::npos) << expected << " in\n" << dump.out;
    WriteTextFile(dir.File("windows.json"), dump.out);
    const TToolRun build = RunTool({"build", dir.File("windows.json"), dir.File("copy.tvo")}, dir);
    ASSERT_EQ(build.status, 0) << build.err;
    EXPECT_EQ(ReadFile(dir.File("copy.tvo")), written);
}

TEST(TvoTool, OldRecordVersionsAreShownAndRewrittenAsCurrent)
{
    TempDir dir;
    // clang-format off
    const Bytes old = ByteBuilder()
                          .Long(156).Long(103).Raw({0})
                          .Long(108).Long(1)
                          .Long(155).Long(0).String("old").Long(102).Raw({0x45, 0xC0})
                          .Long(1003).Long(1)
                          .Long(201).Long(0).String("").Long(100).String("prog").Long(0)
                          .Long(0)
                          .Long(0)
                          .Get();
    // clang-format on
    WriteFile(dir.File("old.tvo"), old);
    const TToolRun dump = RunTool({"dump", dir.File("old.tvo")}, dir);
    ASSERT_EQ(dump.status, 0) << dump.err;
    EXPECT_NE(dump.out.find("\"version\": 103"), std::string::npos);
    EXPECT_NE(dump.out.find("\"version\": 102"), std::string::npos);
    EXPECT_NE(dump.out.find("\"version\": 100"), std::string::npos);
    const auto rebuilt = HotKeyDocumentFromJson(dump.out);
    EXPECT_TRUE(rebuilt->HotKey(0).Enabled);
    EXPECT_EQ(rebuilt->HotKey(0).Command(0).FileName, "prog");
}

TEST(TvoTool, FailuresAreOneLineOnStandardErrorAndWriteNothing)
{
    TempDir dir;
    WriteTextFile(dir.File("bad.json"), R"({"hotkeys":[{"name":1}]})");
    WriteFile(dir.File("short.tvo"), ByteBuilder().Long(156).Long(104).Get());
    WriteFile(dir.File("text.mes"), ByteBuilder().Long(1000).String("no messages").Get());
    struct Case {
        std::vector<std::string> args;
        std::string named;
    };
    const std::vector<Case> cases = {
        {{"dump", dir.File("missing.tvo")}, dir.File("missing.tvo")},
        {{"dump", dir.File("short.tvo")}, dir.File("short.tvo")},
        {{"build", dir.File("bad.json"), dir.File("out.tvo")}, dir.File("bad.json")},
        {{"build", dir.File("missing.json"), dir.File("out.tvo")}, dir.File("missing.json")},
        {{"messages", dir.File("missing.mes")}, dir.File("missing.mes")},
        {{"messages", dir.File("text.mes")}, dir.File("text.mes")},
        {{"messages", dir.File("short.tvo")}, dir.File("short.tvo")},
        {{"--frobnicate"}, "--frobnicate"},
        {{}, "tvotool"},
    };
    for (const auto& c : cases) {
        const TToolRun run = RunTool(c.args, dir);
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.out.empty()) << run.out;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_NE(run.err.find(c.named), std::string::npos) << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.tvo")));

    const TToolRun help = RunTool({"--help"}, dir);
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("tvotool dump FILE"), std::string::npos);
    EXPECT_NE(help.out.find("tvotool messages FILE"), std::string::npos);
}

TEST(TvoTool, MessagesListsEveryFieldOfAMessageFile)
{
    TempDir dir;
    TIDList messages;
    auto message = std::make_unique<TAppMessage>();
    message->ID = 27;
    message->Name = "NameExists";
    message->Caption = "Name vergeben";
    message->Text = "Der Name \xE2\x80\x9E%s\xE2\x80\x9C ist vergeben.";
    message->Style = 0x130;
    message->Bemerkung = "Grüße";
    messages.Add(std::move(message));
    WriteMessageFile(messages, dir.File("stdmess1.mes"));

    const TToolRun run = RunTool({"messages", dir.File("stdmess1.mes")}, dir);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.err.empty());
    for (const char* expected :
         {"\"id\": 27", "\"name\": \"NameExists\"", "\"caption\": \"Name vergeben\"",
          "\"text\": \"Der Name „%s“ ist vergeben.\"", "\"style\": 304", "\"remark\": \"Grüße\""})
        EXPECT_NE(run.out.find(expected), std::string::npos) << expected << "\n" << run.out;
    EXPECT_EQ(run.out.front(), '[');
}

TEST(TvoTool, ExecRunsTheCommandsOfTheFirstHotKeyOfThatName)
{
    TempDir dir;
    THotKeyFile document;
    for (const char* marker : {"first", "second"}) {
        auto hotkey = std::make_unique<THotTarvo>();
        hotkey->Name = "Touch";
        auto command = std::make_unique<THotKeyCommand>();
        command->FileName = "touch";
        command->Parameters = marker;
        command->Directory = dir.Path().string();
        hotkey->Commands->AddNew(std::move(command));
        document.HotKeyList->AddNew(std::move(hotkey));
    }
    WriteHotKeyDocument(document, dir.File("keys.tvo"));

    const TToolRun run = RunTool({"exec", dir.File("keys.tvo"), "Touch"}, dir);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(testsupport::WaitFor([&] { return std::filesystem::exists(dir.File("first")); }));
    EXPECT_FALSE(std::filesystem::exists(dir.File("second")));

    const TToolRun missing = RunTool({"exec", dir.File("keys.tvo"), "Nope"}, dir);
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "tvotool: " + dir.File("keys.tvo") + ": no hotkey named \"Nope\"\n");
}
