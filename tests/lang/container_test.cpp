#include <gtest/gtest.h>

#include <QObject>

#include <functional>

#include "lang/containertestsupport.h"
#include "lang/dictionary.h"

using namespace tarvo;
using namespace tarvo::testsupport;

namespace {

// An entry class that overrides none of the text operations and is not registered.
class TTestEntry : public TCI {
    TARVO_CONTAINER_CLASS(TTestEntry)
    void ApplyTo(QObject& /*component*/, int /*slot*/, const IComponentProperties& /*properties*/) const override { }
};

// The offset of the record version that follows an entry's TCI part.
size_t PartVersionOffset(const TCI& entry)
{
    return 1 + entry.ClassName().size() + 4 + 4 + (4 + entry.PropertyName.size() + 1)
        + (4 + entry.ComponentName.size() + 1) + 4 + 4;
}

Bytes WithLong(Bytes bytes, size_t offset, int32_t value)
{
    for (size_t i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i));
    return bytes;
}

// A list block: owns flag, count, then the stored objects.
Bytes ListBlock(int16_t count, const Bytes& items)
{
    return Join({{1, static_cast<uint8_t>(count), static_cast<uint8_t>(count >> 8)}, items});
}

} // namespace

// ---- the byte format ----

TEST(ContainerFormat, Label3EntryAndItsContainerAreStoredByteForByte)
{
    const auto entry = Label3Entry();
    EXPECT_EQ(Stored(entry.get()), Label3Bytes());
    TInfoList container;
    container.Add(Label3Entry());
    container.Languages().AddLangId(lgENGLISH);
    container.Languages().AddLangId(lgGERMAN);
    EXPECT_EQ(SaveToBlock(container), Join({{0x01, 0x01, 0x00}, Label3Bytes(), EnglishGermanSlotBytes()}));
}

TEST(ContainerFormat, ListEntryStoresEachSlotWithItsOwnLength)
{
    TCIStrList entry;
    entry.PropertyName = "Items";
    entry.ComponentName = "CB";
    entry.ComponentIndex = -1;
    entry.SetStringList("a", 0, 0);
    entry.SetStringList("b", 0, 1);
    entry.SetStringList("x", 1, 0);
    EXPECT_EQ(Stored(&entry),
              Join({{0x0a},
                    Ascii("TCIStrList"),
                    {0x64, 0, 0, 0},
                    {0, 0, 0, 0},
                    {0x06, 0, 0, 0},
                    Ascii("Items"),
                    {0},
                    {0x03, 0, 0, 0},
                    Ascii("CB"),
                    {0},
                    {0xff, 0xff, 0xff, 0xff},
                    {0x02, 0, 0, 0},
                    {0x64, 0, 0, 0},
                    {0x02, 0, 0, 0},
                    {0x02, 0, 0, 0},
                    {0x02, 0, 0, 0, 'a', 0},
                    {0x02, 0, 0, 0, 'b', 0},
                    {0x01, 0, 0, 0},
                    {0x02, 0, 0, 0, 'x', 0}}));
}

TEST(ContainerFormat, CountedStringsAreReadUpToTheirFirstZeroByte)
{
    const struct {
        Bytes bytes;
        std::string text;
        size_t consumed;
    } cases[] = {
        {{0x01, 0, 0, 0}, "", 4},
        {{0x00, 0, 0, 0, 'x'}, "", 4},
        {{0xfe, 0xff, 0xff, 0xff, 'x'}, "", 4},
        {{0x06, 0, 0, 0, 'a', 'b', 0, 'c', 'd', 0}, "ab", 10},
        {{0x03, 0, 0, 0, 'n', 'o', 'z'}, "noz", 7},
        {{0x05, 0, 0, 0, 'B', 0xfc, 'r', 'o', 0}, "Büro", 9}, // the ANSI code page
    };
    for (const auto& c : cases) {
        TContainerReader reader(c.bytes);
        EXPECT_EQ(reader.CountedString(), c.text);
        EXPECT_EQ(reader.Position(), c.consumed);
    }
}

TEST(ContainerFormat, EveryStoredClassReadsBackAsItWasWritten)
{
    auto dictionary = std::make_unique<TDictionary>();
    dictionary->Add(std::make_unique<TDictionaryItem>());
    dictionary->Languages.AddLangId(lgGERMAN);
    auto languageList = std::make_unique<TLngLst>();
    languageList->AddLangId(lgFRENCH);
    std::vector<std::unique_ptr<TContainerObject>> objects;
    objects.push_back(std::make_unique<TLngId>(lgSPANISH_MODERN));
    objects.push_back(std::move(languageList));
    objects.push_back(SampleContainer()); // an entry of every class
    objects.push_back(std::move(dictionary));
    for (const auto& object : objects) {
        const Bytes bytes = Stored(object.get());
        const auto loaded = LoadStored(bytes);
        EXPECT_EQ(loaded->ClassName(), object->ClassName());
        EXPECT_EQ(Stored(loaded.get()), bytes) << object->ClassName();
    }
}

// ---- the class register ----

TEST(ContainerClasses, NamesAreFoundWithoutRegardToCaseAndRegisteredOnce)
{
    const auto listFactory = []() -> std::unique_ptr<TContainerObject> { return std::make_unique<TCIStrList>(); };
    ContainerClasses().Register("tcistr", listFactory);
    Bytes bytes = Label3Bytes();
    for (const char* name : {"tcistr", "TCISTR"}) {
        std::copy_n(name, 6, bytes.begin() + 1);
        EXPECT_EQ(LoadStored(bytes)->ClassName(), "TCIStr") << name;
    }
}

TEST(ContainerClasses, MissingAndUnregisteredClassesAreNamed)
{
    const std::string longName(70, 'X');
    const TTestEntry unregistered;
    const struct {
        std::function<void()> action;
        std::string message;
    } cases[] = {
        {[] { Stored(nullptr); }, "Nil Source Class!"},
        {[] { CloneObject<TCI>(nullptr); }, "Nil Source Class!"},
        {[&] { Stored(&unregistered); }, "Source Class <TTestEntry> not registered"},
        {[] {
             LoadStored(Join({{0x04}, Ascii("TFoo")}));
         },
         "Class <TFoo> not registered"},
        {[&] {
             LoadStored(Join({{70}, Ascii(longName)}));
         },
         "Class <" + longName.substr(0, 63) + "> not registered"},
    };
    for (const auto& c : cases)
        ExpectFailure<EContainerClassNotFound>(c.action, c.message);
}

// ---- entries ----

TEST(ContainerEntries, UnsupportedOperationsAndOtherVersionsAreRefused)
{
    TTestEntry entry;
    TCIStrList list;
    const struct {
        std::function<void()> action;
        const char* message;
    } cases[] = {
        {[&] { entry.SetLength(1); }, "SetLength not available for TCI !"},
        {[&] { entry.GetValue(0); }, "GetValue not available for Stringlist !"},
        {[&] { entry.SetValue("x", 0); }, "SetValue not available for Stringlist !"},
        {[&] { entry.GetStringList(0, 0); }, "GetStringList not available for Info !"},
        {[&] { entry.SetStringList("x", 0, 0); }, "SetStringList not available for Info !"},
        {[&] { list.GetValue(0); }, "GetValue not available for Stringlist !"},
        {[&] { list.SetValue("x", 0); }, "SetValue not available for Stringlist !"},
    };
    for (const auto& c : cases)
        ExpectFailure<EMLangInvalid>(c.action, c.message);

    const auto text = Label3Entry();
    const auto lines = ExecModeEntry();
    const Bytes textBytes = Stored(text.get());
    const Bytes listBytes = Stored(lines.get());
    const Bytes otherVersions[] = {
        WithLong(textBytes, 7, 99),                         // the TCI part
        WithLong(textBytes, PartVersionOffset(*text), 101), // the text entry's own part
        WithLong(listBytes, PartVersionOffset(*lines), 0),  // the list entry's own part
        WithLong(Stored(std::make_unique<TDictionaryItem>().get()), 16, 1),
    };
    for (const auto& bytes : otherVersions)
        ExpectFailure<EMLangInvalid>([&] { LoadStored(bytes); }, "Version not supported !");
}

TEST(ContainerEntries, OtherSlotsStoreNothingWhereTheyEqualTheBase)
{
    const struct {
        const char* value;
        int slot;
        std::vector<std::string> texts;
    } cases[] = {
        {"OK", 1, {"OK", ""}},
        {"Ok", 1, {"OK", "Ok"}},
        {"OK", 3, {"OK", "", "", ""}},
    };
    for (const auto& c : cases) {
        TCIStr entry;
        entry.SetValue("OK", 0);
        entry.SetValue(c.value, c.slot);
        EXPECT_EQ(entry.Texts(), c.texts) << c.value << " in slot " << c.slot;
        EXPECT_EQ(entry.GetValue(7), "") << "a slot the entry does not have";
        entry.SetLength(1);
        EXPECT_EQ(entry.Texts().size(), 1u);
    }

    auto list = ExecModeEntry();
    EXPECT_EQ(list->Lists()[1], (std::vector<std::string>{"", "minimiert", "maximiert"}));
    list->SetStringList("extra", 1, 4); // a line slot 0 does not have
    EXPECT_EQ(list->GetStringList(1, 4), "extra");
    EXPECT_EQ(list->GetStringList(1, 3), "");
    EXPECT_EQ(list->LineCount, 5);
    list->SetLength(1);
    EXPECT_EQ(list->Lists().size(), 1u);
    EXPECT_EQ(list->LineCount, 5) << "the line count never shrinks";
}

TEST(ContainerEntries, CopiesAreDeepAndStayBoundToTheSameComponents)
{
    QObject label;
    const auto source = SampleContainer();
    source->Get(0)->Component = &label;
    TInfoList target;
    target.Add(ExecModeEntry());
    target.Languages().AddLangId(lgFRENCH);
    target.Assign(*source);
    EXPECT_EQ(SaveToBlock(target), SaveToBlock(*source));
    EXPECT_EQ(target.Get(0)->Component, &label);
    source->Get(0)->SetValue("changed", 0);
    EXPECT_EQ(target.Get(0)->GetValue(0), "current file:");
    target.Assign(target);
    EXPECT_EQ(target.Count(), 5) << "assigning a container to itself keeps it";
}

// ---- container lists ----

TEST(ContainerList, GrowsByFourThenEightThenSixteen)
{
    TLngLst list;
    for (int capacity : {4, 4, 4, 4, 8, 8, 8, 8, 16, 16, 16, 16, 16, 16, 16, 16, 32}) {
        list.Add(std::make_unique<TLngId>());
        EXPECT_EQ(list.Capacity(), capacity) << "after " << list.Count() << " items";
    }
}

TEST(ContainerList, IndexAndCapacityErrors)
{
    TLngLst list;
    list.AddLangId(lgENGLISH);
    list.AddLangId(lgGERMAN);
    TLngLst empty;
    const TLngId stranger;
    const std::function<void()> refused[] = {
        [&] { list.Get(2); },
        [&] { list.Get(-1); },
        [&] { list.Put(2, nullptr); },
        [&] { list.Delete(5); },
        [&] { list.Insert(3, nullptr); },
        [&] { list.SetCapacity(1); },
        [&] { list.SetCapacity(MaxListCapacity + 1); },
        [&] { list.SetCount(-1); },
        [&] { list.SetCount(MaxListCapacity + 1); },
        [&] { empty.First(); },
        [&] { empty.Neighbour(nullptr, TNeighbour::Previous); },
    };
    for (const auto& action : refused)
        ExpectFailure<EContainerListError>(action, "tObjectList Index Eror!");
    ExpectFailure<EContainerListError>([&] { list.Neighbour(&stranger, TNeighbour::Next); },
                                       "tObject TLngId not in item list");
    EXPECT_EQ(list.Count(), 2) << "nothing changed";
}

TEST(ContainerList, LoadingMakesRoomForAllItemsInOneStepBehindThoseThereAndOwnsThem)
{
    TLngLst list;
    list.AddLangId(lgDUTCH);
    Bytes items;
    for (int i = 0; i < 10; ++i)
        items = Join({items, Stored(std::make_unique<TLngId>(static_cast<TLangid>(i)).get())});
    items[items.size() - 3] = 0x01; // ids keep the low byte of their 32 bits
    Bytes block = ListBlock(10, items);
    block[0] = 0; // stored as not owning: the list owns them all the same (or the sanitizer sees leaks)
    LoadFromBlock(list, block);
    EXPECT_EQ(list.Capacity(), 11);
    ASSERT_EQ(list.Count(), 11);
    EXPECT_EQ(list.GetLangId(0), lgDUTCH);
    EXPECT_EQ(list.GetLangId(10), static_cast<TLangid>(9));
}

// ---- damaged data ----

TEST(DamagedContainer, EveryTruncationAndTrailingDataIsDamage)
{
    const Bytes block = SaveToBlock(*SampleContainer());
    for (size_t length = 0; length < block.size(); ++length) {
        TInfoList container;
        EXPECT_THROW(LoadFromBlock(container, Prefix(block, length)), EContainerDamaged) << length << " bytes";
    }
    TInfoList container;
    ExpectFailure<EContainerDamaged>(
        [&] {
            LoadFromBlock(container, Join({block, {0, 0}}));
        },
        "Container data damaged at byte " + std::to_string(block.size()) + ": 2 bytes after the end of the TInfoList");
}

TEST(DamagedContainer, ImpossibleCountsAreRefusedBeforeAnythingIsAllocated)
{
    const auto text = Label3Entry();
    const auto list = ExecModeEntry();
    const size_t textCount = PartVersionOffset(*text) + 4;
    const size_t listCount = PartVersionOffset(*list) + 4;
    const auto inContainer = [](const Bytes& entry) { return Join({{1, 1, 0}, entry, EnglishGermanSlotBytes()}); };
    const Bytes blocks[] = {
        ListBlock(-1, {}),
        ListBlock(0x7fff, Label3Bytes()),
        inContainer(WithLong(Label3Bytes(), textCount, 0x7fffffff)),
        inContainer(WithLong(Label3Bytes(), textCount, -2)),
        inContainer(WithLong(Label3Bytes(), textCount + 4, 0x7ffffff0)), // a string length
        inContainer(WithLong(Stored(list.get()), listCount, 0x40000000)),
        inContainer(WithLong(Stored(list.get()), listCount + 4, 0x10000000)), // lines of a slot
    };
    for (const auto& block : blocks) {
        TInfoList container;
        EXPECT_THROW(LoadFromBlock(container, block), EContainerDamaged);
    }
    const Bytes slot = Join({{0x06}, Ascii("TLngId"), {0, 0, 0, 0}});
    Bytes items;
    for (int i = 0; i <= MaxListCapacity; ++i)
        items.insert(items.end(), slot.begin(), slot.end());
    TLngLst tooMany;
    ExpectFailure<EContainerListError>([&] { LoadFromBlock(tooMany, ListBlock(MaxListCapacity + 1, items)); },
                                       "tObjectList Index Eror!");
}

TEST(DamagedContainer, ObjectsWhereTheyCannotBeHeldAreRefusedBeforeTheyRead)
{
    const struct {
        Bytes block;
        std::string message;
    } cases[] = {
        {Join({{1, 1, 0, 0x06}, Ascii("TLngId"), {7, 0, 0, 0}, EnglishGermanSlotBytes()}),
         "Container data damaged at byte 3: a TLngId where it cannot be held"},
        {Join({{1, 1, 0, 0x09}, Ascii("TInfoList"), {1, 1, 0}}),
         "Container data damaged at byte 3: a TInfoList where it cannot be held"},
        {Join({{1, 0, 0}, {1, 1, 0}, Label3Bytes()}),
         "Container data damaged at byte 6: a TCIStr where it cannot be held"},
    };
    for (const auto& c : cases) {
        TInfoList container;
        ExpectFailure<EContainerDamaged>([&] { LoadFromBlock(container, c.block); }, c.message);
    }
}

TEST(DamagedContainer, ChangedBytesNeverReadOutsideTheData)
{
    const Bytes block = SaveToBlock(*SampleContainer());
    for (size_t at = 0; at < block.size(); ++at) {
        for (uint8_t value : {uint8_t{0x00}, uint8_t{0x7f}, uint8_t{0xff}}) {
            Bytes changed = block;
            changed[at] = value;
            TInfoList container;
            try {
                LoadFromBlock(container, changed);
            } catch (const ETarvoError&) {
                // refused with one of the container's errors, as it must be
            }
        }
    }
}
