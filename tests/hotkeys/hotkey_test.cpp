#include <gtest/gtest.h>

#include "hotkeys/hotkey.h"
#include "persist/objectstream.h"
#include "platform/fake/fakeservices.h"
#include "support/streamsupport.h"
#include "support/testsupport.h"

using namespace tarvo;
using testsupport::ByteBuilder;
using testsupport::Bytes;
using testsupport::LoadObject;
using testsupport::ObjectBytes;

namespace {

std::unique_ptr<THotKeyCommand> Command(std::string fileName)
{
    auto command = std::make_unique<THotKeyCommand>();
    command->FileName = std::move(fileName);
    return command;
}

} // namespace

TEST(HotKeyRecords, NewRecordsHaveTheirDefaults)
{
    const THotKeyCommand command;
    EXPECT_EQ(command.ID, -1);
    EXPECT_EQ(command.ExecMode, ExecNormal);
    EXPECT_TRUE(command.FileName.empty() && command.LookForWindow.empty());

    const THotTarvo hotkey;
    EXPECT_EQ(hotkey.ID, -1);
    EXPECT_EQ(hotkey.HotKey, 0);
    EXPECT_EQ(hotkey.Commands->Count(), 0);
    EXPECT_EQ(hotkey.Commands->LastID, -1);
    EXPECT_TRUE(hotkey.Enabled);
    EXPECT_EQ(hotkey.Reserved, 0);
    EXPECT_EQ(THotKeyCommand::GetRegistrationCode(), 201);
    EXPECT_EQ(THotTarvo::GetRegistrationCode(), 155);
}

TEST(HotKeyRecords, HotKeyStoresAsTheDocumentedBytes)
{
    THotTarvo hotkey;
    hotkey.ID = 0;
    hotkey.HotKey = 0xC045;
    const Bytes expected{0x9B, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                         0x68, 0x00, 0x00, 0x00, 0x45, 0xC0, 0xEB, 0x03, 0x00, 0x00, 0x00, 0x00,
                         0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x01};
    EXPECT_EQ(ObjectBytes(hotkey), expected);
}

TEST(HotKeyRecords, RoundTripKeepsEveryField)
{
    THotTarvo hotkey;
    hotkey.ID = 7;
    hotkey.Name = "Editor";
    hotkey.HotKey = ShortCutCtrl | ShortCutAlt | 'E';
    hotkey.Reserved = 0x12345678;
    hotkey.Enabled = false;
    hotkey.HotKeyId = 99;
    auto command = Command("%WINDIR%\\notepad.exe");
    command->Name = "Notizen";
    command->Parameters = "a.txt";
    command->Directory = "C:\\Temp";
    command->LookForWindow = "Editor";
    command->ExecMode = ExecMinimizedNoActivate;
    hotkey.Commands->Add(std::move(command));
    hotkey.Commands->Add(Command("second"));

    auto loaded = LoadObject<THotTarvo>(ObjectBytes(hotkey));
    EXPECT_EQ(loaded->ID, 7);
    EXPECT_EQ(loaded->Name, "Editor");
    EXPECT_EQ(loaded->HotKey, hotkey.HotKey);
    EXPECT_EQ(loaded->Reserved, 0x12345678);
    EXPECT_FALSE(loaded->Enabled);
    EXPECT_EQ(loaded->HotKeyId, 0) << "the registration id is never stored";
    ASSERT_EQ(loaded->Commands->Count(), 2);
    EXPECT_EQ(loaded->Commands->LastID, 1);
    const THotKeyCommand& first = loaded->Command(0);
    EXPECT_EQ(first.ID, 0);
    EXPECT_EQ(first.Name, "Notizen");
    EXPECT_EQ(first.FileName, "%WINDIR%\\notepad.exe");
    EXPECT_EQ(first.Parameters, "a.txt");
    EXPECT_EQ(first.Directory, "C:\\Temp");
    EXPECT_EQ(first.LookForWindow, "Editor");
    EXPECT_EQ(first.ExecMode, ExecMinimizedNoActivate);
    EXPECT_EQ(loaded->Command(1).FileName, "second");
}

TEST(HotKeyRecords, OldCommandVersionLacksTheDetails)
{
    // A version-100 command ends after its ExecMode; the next record follows at once.
    // clang-format off
    const Bytes oldList = ByteBuilder()
                              .Long(1003)
                              .Long(2)
                              .Long(201).Long(0).String("old").Long(100).String("prog.exe").Long(2)
                              .Long(201).Long(1).String("new").Long(104).String("b").Long(0)
                              .String("p").String("d").String("w")
                              .Long(1)
                              .Get();
    // clang-format on
    auto list = LoadObject<TIDList>(oldList);
    ASSERT_EQ(list->Count(), 2);
    const auto& old = *list->AtAs<THotKeyCommand>(0);
    EXPECT_EQ(old.FileName, "prog.exe");
    EXPECT_EQ(old.ExecMode, 2);
    EXPECT_TRUE(old.Parameters.empty() && old.Directory.empty() && old.LookForWindow.empty());
    EXPECT_EQ(old.LoadedVersion, 100);
    const auto& current = *list->AtAs<THotKeyCommand>(1);
    EXPECT_EQ(current.Name, "new");
    EXPECT_EQ(current.LookForWindow, "w");
    EXPECT_EQ(list->LastID, 1);

    // Storing the old command again writes the current version with the three empty texts.
    // clang-format off
    const Bytes restored = ByteBuilder()
                               .Long(201).Long(0).String("old").Long(104).String("prog.exe").Long(2)
                               .String("").String("").String("")
                               .Get();
    // clang-format on
    EXPECT_EQ(ObjectBytes(old), restored);
}

TEST(HotKeyRecords, OldHotKeyVersionIsActivated)
{
    // A version-102 hotkey ends after its command list; the next value belongs to the next object.
    // clang-format off
    const Bytes bytes = ByteBuilder()
                            .Long(1003)
                            .Long(2)
                            .Long(155).Long(0).String("old").Long(102).Raw({0x45, 0xC0})
                            .Long(1003).Long(0).Long(-1)
                            .Long(155).Long(1).String("next").Long(104).Raw({0x31, 0x40})
                            .Long(1003).Long(0).Long(-1).Long(5).Raw({0x00})
                            .Long(1)
                            .Get();
    // clang-format on
    auto list = LoadObject<TIDList>(bytes);
    ASSERT_EQ(list->Count(), 2);
    const auto& old = *list->AtAs<THotTarvo>(0);
    EXPECT_TRUE(old.Enabled);
    EXPECT_EQ(old.Reserved, 0);
    EXPECT_EQ(old.HotKey, 0xC045);
    const auto& next = *list->AtAs<THotTarvo>(1);
    EXPECT_EQ(next.Name, "next");
    EXPECT_EQ(next.Reserved, 5);
    EXPECT_FALSE(next.Enabled);
}

TEST(HotKeyRecords, CommandListOfAnotherClassIsDamage)
{
    // clang-format off
    const Bytes bytes = ByteBuilder()
                            .Long(155).Long(0).String("").Long(104).Raw({0, 0})
                            .Long(1003).Long(1).Long(1000).String("not a command").Long(0)
                            .Long(0).Raw({1})
                            .Get();
    // clang-format on
    EXPECT_THROW(LoadObject<THotTarvo>(bytes), EStreamDamaged);
}

TEST(HotKeyRecords, CopyToCopiesDeeplyButKeepsTheRegistration)
{
    THotTarvo original;
    original.ID = 4;
    original.Name = "Mail";
    original.HotKey = ShortCutShift | 0x7B;
    original.HotKeyId = 0xC001;
    original.Reserved = 9;
    original.Commands->Add(Command("a"));
    original.Commands->Add(Command("b"));
    original.Commands->FreeID(0);

    THotTarvo working;
    working.HotKeyId = 0xC0FF;
    original.CopyTo(working);
    EXPECT_EQ(working.HotKeyId, 0xC0FF) << "the registration id is never copied";
    EXPECT_EQ(working.Name, "Mail");
    ASSERT_EQ(working.Commands->Count(), 1);
    EXPECT_EQ(working.Command(0).ID, 1);
    EXPECT_EQ(working.Commands->LastID, 1);
    EXPECT_NE(&working.Command(0), &original.Command(0)) << "commands are copied, not shared";

    // Edit the working copy and write it back.
    working.Command(0).FileName = "changed";
    working.Commands->Add(Command("c"));
    working.Enabled = false;
    working.CopyTo(original);
    EXPECT_EQ(original.HotKeyId, 0xC001);
    ASSERT_EQ(original.Commands->Count(), 2);
    EXPECT_EQ(original.Command(0).FileName, "changed");
    EXPECT_EQ(original.Command(1).ID, 2);
    EXPECT_EQ(original.Commands->LastID, 2);
    EXPECT_FALSE(original.Enabled);
    EXPECT_EQ(original.Reserved, 9);

    THotKeyCommand notAHotKey;
    EXPECT_THROW(original.CopyTo(notAHotKey), EInvalidCast);
}

TEST(HotKeyRecords, NamesAreReadInTheirStoredEncodingAndWrittenBackUnchanged)
{
    // Single bytes in the ANSI code page as written on Windows, or UTF-8 for a
    // name that does not fit it.
    const struct {
        std::string stored;
        std::string name;
    } cases[] = {
        {"B\xFCro", "Büro"},
        {"Gr\xF6\xDF"
         "e \x96 \xDC"
         "bersicht",
         "Größe – Übersicht"},
        {"Жук → Ziel", "Жук → Ziel"},
    };
    for (const auto& c : cases) {
        // clang-format off
        const Bytes stored = ByteBuilder().Long(155).Long(0).String(c.stored).Long(104).Raw({0x08, 0x40})
                                 .Long(1003).Long(0).Long(-1).Long(0).Raw({1}).Get();
        // clang-format on
        const auto hotkey = LoadObject<THotTarvo>(stored);
        EXPECT_EQ(hotkey->GetDescription(0), c.name + " (Strg+Rück)");
        EXPECT_EQ(ObjectBytes(*hotkey), stored) << c.name;
    }
}

TEST(Shortcut, TextOfCombinations)
{
    platform::TScopedFakeServices fakes;
    fakes.KeyNames.Names = {{0xBA, "Ü"}, {0xBC, ","}, {0x91, "Rollen"}, {0x14, ""}};
    struct Case {
        TShortCut shortcut;
        const char* text;
    };
    const Case cases[] = {
        {0xC045, "Strg+Alt+E"},
        {ShortCutShift | 0x7B, "Umsch+F12"},
        {0x70, "F1"},
        {0x87, "F24"},
        {0x65, "5"},
        {0x35, "5"},
        {ShortCutCtrl | 0x65, "Strg+5"},
        {ShortCutCtrl | 0x35, "Strg+5"},
        {ShortCutShift | ShortCutCtrl | ShortCutAlt | 0x2E, "Umsch+Strg+Alt+Entf"},
        {0x08, "Rück"},
        {0x20, "Leertaste"},
        {0x25, "Linksbündig"},
        {0x28, "Nach unten"},
        {0x24, "Pos1"},
        {0, ""},
        {ShortCutCtrl, ""},
        {ShortCutAlt | 0xBA, "Alt+Ü"}, // one character (two bytes) from the window system
        {0xBC, ","},
        {ShortCutCtrl | 0x91, ""},         // a longer system name is not used
        {ShortCutCtrl | 0x14, ""},         // no system name
        {ShortCutCtrl | 0x0141, "Strg+A"}, // only the low eight bits name the key
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShortcutText(c.shortcut), c.text) << std::hex << c.shortcut;
}

TEST(Shortcut, DescriptionOfAHotKey)
{
    THotTarvo hotkey;
    hotkey.Name = "Editor";
    EXPECT_EQ(hotkey.GetDescription(0), "Editor ()");
    hotkey.HotKey = 0xC045;
    EXPECT_EQ(hotkey.GetDescription(0), "Editor (Strg+Alt+E)");
    EXPECT_EQ(hotkey.GetDescription(1), "Editor (Strg+Alt+E)");
}
