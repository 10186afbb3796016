#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/hotkeycombination.h"
#include "app/hotkeyregistrar.h"
#include "platform/atomtable.h"
#include "platform/fake/fakeservices.h"

using namespace tarvo;
using platform::THotKeyResult;

namespace {

constexpr TShortCut CtrlAltE = ShortCutCtrl | ShortCutAlt | 'E';
constexpr TShortCut CtrlAltR = ShortCutCtrl | ShortCutAlt | 'R';
using Names = std::vector<std::string>;

// A document whose hotkeys each open "run-" + their name.
class HotKeyRegistrarTest : public testing::Test {
protected:
    static THotTarvo& AddHotKey(THotKeyFile& document, int32_t id, const std::string& name, TShortCut shortcut)
    {
        auto hotkey = std::make_unique<THotTarvo>();
        hotkey->ID = id;
        hotkey->Name = name;
        hotkey->HotKey = shortcut;
        auto command = std::make_unique<THotKeyCommand>();
        command->FileName = "run-" + name;
        hotkey->Commands->Add(std::move(command));
        THotTarvo& added = *hotkey;
        document.HotKeyList->Add(std::move(hotkey));
        return added;
    }
    THotTarvo& AddHotKey(int32_t id, const std::string& name, TShortCut shortcut)
    {
        return AddHotKey(*document_, id, name, shortcut);
    }

    // The names of the hotkeys that ran since the last call.
    Names TakeRuns()
    {
        Names runs;
        for (const auto& launch : fakes_.Launcher.Launches)
            runs.push_back(launch.File.substr(4));
        fakes_.Launcher.Launches.clear();
        return runs;
    }
    bool Press(TShortCut shortcut) { return fakes_.HotKeys.Press(CombinationOf(shortcut)); }
    Names Captions() const
    {
        Names captions;
        for (const auto& entry : menu_.Entries)
            captions.push_back(entry.Caption);
        return captions;
    }

    platform::TScopedFakeServices fakes_;
    std::unique_ptr<THotKeyFile> document_ = std::make_unique<THotKeyFile>();
    TTrayMenuList menu_;
    THotKeyRegistrar registrar_{fakes_.HotKeys, menu_, [this]() -> THotKeyFile& { return *document_; }};
};

TEST(HotKeyCombination, SplitsKeyAndModifiers)
{
    using namespace platform;
    EXPECT_EQ(CombinationOf(0), (THotKeyCombination{0, 0}));
    EXPECT_EQ(CombinationOf(ShortCutAlt | 'E'), (THotKeyCombination{'E', HotKeyModAlt}));
    EXPECT_EQ(CombinationOf(ShortCutCtrl | 0x1FFF), (THotKeyCombination{0x1FFF, HotKeyModControl}));
    EXPECT_EQ(CombinationOf(ShortCutShift | 0x7B), (THotKeyCombination{0x7B, HotKeyModShift}));
}

TEST_F(HotKeyRegistrarTest, EveryHotKeyIsRegisteredUnderTheAtomOfItsIdAndGetsATrayEntry)
{
    AddHotKey(17, "b", CtrlAltR);
    AddHotKey(0, "a", CtrlAltE);
    registrar_.RegisterAllHotKeys();

    const uint16_t atom17 = platform::GlobalAtoms().Add("THotTarvo17");
    platform::GlobalAtoms().Delete(atom17);
    EXPECT_EQ(document_->HotKey(1).HotKeyId, atom17);
    ASSERT_EQ(fakes_.HotKeys.Registrations.size(), 2u);
    EXPECT_EQ(fakes_.HotKeys.Registrations[1].Id, atom17) << "registered in ID order";
    EXPECT_EQ(Captions(), (Names{"a", "b"}));
    EXPECT_TRUE(Press(CtrlAltR));
    EXPECT_EQ(TakeRuns(), Names{"b"});
}

TEST_F(HotKeyRegistrarTest, RefusedCombinationsAreKeptAndTheirTrayEntriesStillRun)
{
    fakes_.HotKeys.HeldElsewhere.push_back(CombinationOf(CtrlAltR));
    AddHotKey(1, "first", CtrlAltE);
    AddHotKey(2, "second", CtrlAltE);
    AddHotKey(3, "elsewhere", CtrlAltR);
    AddHotKey(4, "no key", 0);
    AddHotKey(5, "no key either", 0);
    registrar_.RegisterAllHotKeys();

    EXPECT_EQ(registrar_.RefusedHotKeys(),
              (std::map<int32_t, THotKeyRefusal>{{2, {THotKeyResult::Taken}}, {3, {THotKeyResult::Taken}}}));
    Press(CtrlAltE);
    EXPECT_EQ(TakeRuns(), Names{"first"}) << "the lower ID got the combination";
    menu_.Click(1);
    menu_.Click(2);
    EXPECT_EQ(TakeRuns(), (Names{"second", "elsewhere"}));
}

TEST_F(HotKeyRegistrarTest, EditReplacesCombinationAndCaptionUnderTheSameId)
{
    THotTarvo& hotkey = AddHotKey(1, "old name", CtrlAltE);
    registrar_.ActivateHotKey(hotkey);
    const uint16_t id = hotkey.HotKeyId;
    hotkey.Name = "new name";
    hotkey.HotKey = CtrlAltR;
    registrar_.UpdateHotKeyRegistration(hotkey);

    EXPECT_EQ(hotkey.HotKeyId, id);
    EXPECT_EQ(Captions(), Names{"new name"});
    EXPECT_FALSE(Press(CtrlAltE));
    EXPECT_TRUE(Press(CtrlAltR));
}

TEST_F(HotKeyRegistrarTest, DeleteFreesTheCombinationAndTheRefusalAndRemovesTheTrayEntry)
{
    fakes_.HotKeys.HeldElsewhere.push_back(CombinationOf(CtrlAltR));
    AddHotKey(1, "first", CtrlAltE);
    AddHotKey(2, "second", CtrlAltR);
    registrar_.RegisterAllHotKeys();
    registrar_.DeactivateHotKey(document_->HotKey(0));
    registrar_.DeactivateHotKey(document_->HotKey(1));

    EXPECT_TRUE(fakes_.HotKeys.Registrations.empty());
    EXPECT_EQ(menu_.Count(), 0);
    EXPECT_TRUE(registrar_.RefusedHotKeys().empty());
}

TEST_F(HotKeyRegistrarTest, AfterReloadOnlyTheNewDocumentsCombinationsFire)
{
    AddHotKey(1, "old", CtrlAltE);
    registrar_.RegisterAllHotKeys();
    registrar_.UnregisterAllHotKeys();
    auto reloaded = std::make_unique<THotKeyFile>();
    AddHotKey(*reloaded, 1, "changed", CtrlAltR);
    document_ = std::move(reloaded);
    registrar_.RegisterAllHotKeys();

    EXPECT_FALSE(Press(CtrlAltE));
    EXPECT_TRUE(Press(CtrlAltR));
    EXPECT_EQ(TakeRuns(), Names{"changed"});
    EXPECT_EQ(Captions(), Names{"changed"});
}

TEST_F(HotKeyRegistrarTest, WMHotKeyRunsEveryHotKeyWithTheId)
{
    AddHotKey(1, "a", CtrlAltE).HotKeyId = 0xC123;
    AddHotKey(2, "b", CtrlAltR).HotKeyId = 0xC124;
    AddHotKey(3, "c", 0).HotKeyId = 0xC123;
    registrar_.WMHotKey(0xC123);
    EXPECT_EQ(TakeRuns(), (Names{"a", "c"}));
}

TEST_F(HotKeyRegistrarTest, ATrayEntryRunsEveryHotKeyWithItsTagAsID)
{
    AddHotKey(4, "four", CtrlAltE);
    AddHotKey(4, "four again", CtrlAltR);
    AddHotKey(5, "five", 0);
    registrar_.RegisterAllHotKeys();
    ASSERT_EQ(menu_.Count(), 2);
    menu_.Click(0);
    Names runs = TakeRuns();
    std::sort(runs.begin(), runs.end());
    EXPECT_EQ(runs, (Names{"four", "four again"}));
}

TEST_F(HotKeyRegistrarTest, HotKeysThatGetNoIdFromTheFullAtomTableAreRefusedAndTheRestGoOn)
{
    // Fills the program's atom table for its lifetime.
    struct TFullAtomTable {
        TFullAtomTable()
        {
            try {
                for (int i = 0;; ++i)
                    atoms.push_back(platform::GlobalAtoms().Add("filling" + std::to_string(i)));
            } catch (const platform::EAtomTableFull&) {
            }
        }
        ~TFullAtomTable()
        {
            for (const uint16_t atom : atoms)
                platform::GlobalAtoms().Delete(atom);
        }
        std::vector<uint16_t> atoms;
    };
    AddHotKey(1, "before", CtrlAltE);
    registrar_.ActivateHotKey(document_->HotKey(0));
    // IDs no other test has registered: their atoms would be new ones.
    AddHotKey(9002, "no id", CtrlAltR);
    AddHotKey(9003, "no id either", 0);
    {
        TFullAtomTable full;
        for (int i = 1; i < 3; ++i)
            registrar_.ActivateHotKey(document_->HotKey(i));
    }

    EXPECT_EQ(registrar_.RefusedHotKeys(),
              (std::map<int32_t, THotKeyRefusal>{{9002, {THotKeyResult::NoId}}, {9003, {THotKeyResult::NoId}}}));
    EXPECT_FALSE(Press(CtrlAltR));
    EXPECT_TRUE(Press(CtrlAltE));
    menu_.Click(1);
    EXPECT_EQ(TakeRuns(), (Names{"before", "no id"}));
    registrar_.UnregisterAllHotKeys();
    EXPECT_TRUE(registrar_.RefusedHotKeys().empty());
}

TEST_F(HotKeyRegistrarTest, HotKeyEventRunsTheHotKeyWhoseIdIsTheComponentsTag)
{
    AddHotKey(5, "five", CtrlAltE);
    TEPHotKey component(fakes_.HotKeys, [] { return true; });
    QObject other;
    uint16_t key = 'E';
    const struct {
        QObject* sender;
        int32_t tag;
        Names runs;
    } cases[] = {{&component, 5, {"five"}}, {&component, 6, {}}, {&other, 5, {}}};
    for (const auto& c : cases) {
        component.Tag = c.tag;
        registrar_.HotKeyEvent(*c.sender, key, {});
        EXPECT_EQ(TakeRuns(), c.runs) << "tag " << c.tag;
    }
}

// tarvo --run: a hotkey's name first, else its ID.
TEST_F(HotKeyRegistrarTest, RunHotKeyRunsByNameAndElseByID)
{
    AddHotKey(0, "Edit", CtrlAltE);
    AddHotKey(1, "Run", CtrlAltR);
    AddHotKey(2, "1", 0);
    const struct {
        std::string NameOrId;
        Names Runs;
    } cases[] = {{"Edit", {"Edit"}}, {"0", {"Edit"}}, {"1", {"1"}}, {"2", {"1"}},
                 {"7", {}},          {"", {}},         {"1x", {}},  {"-1", {}}};
    for (const auto& [nameOrId, runs] : cases) {
        EXPECT_EQ(registrar_.RunHotKey(nameOrId), !runs.empty()) << nameOrId;
        EXPECT_EQ(TakeRuns(), runs) << nameOrId;
    }
}

// A desktop keeps the shortcuts of one file together, however it was named.
TEST_F(HotKeyRegistrarTest, LabelsNameTheDocumentsFileByItsFullPath)
{
    AddHotKey(0, "Edit", CtrlAltE);
    registrar_.DocumentFile = [] { return std::string("keys.tvo"); };
    registrar_.RegisterAllHotKeys();
    ASSERT_EQ(fakes_.HotKeys.Registrations.size(), 1u);
    EXPECT_EQ(fakes_.HotKeys.Registrations[0].Label.Group, (std::filesystem::current_path() / "keys.tvo").string());
}

} // namespace
