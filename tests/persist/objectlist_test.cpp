#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "persist/classregistry.h"
#include "persist/identified.h"
#include "persist/objectlist.h"
#include "persist/objectstream.h"
#include "persist/text.h"
#include "support/streamsupport.h"
#include "support/testsupport.h"

using namespace tarvo;
using namespace tarvo::testsupport;

namespace {

// Ordered by Key alone; Tag tells equal keys apart. Counts its instances.
class TKey : public TCompareableObject {
    TARVO_CLASS(TKey)
    static int32_t GetRegistrationCode() { return 9201; }

    TKey() { ++Live; }
    TKey(int32_t key, int32_t tag) : TKey()
    {
        Key = key;
        Tag = tag;
    }
    ~TKey() override { --Live; }

    void Store(TObjectStream& stream) const override
    {
        stream.PutLong(Key);
        stream.PutLong(Tag);
    }
    void Load(TObjectStream& stream) override
    {
        Key = stream.GetLong();
        Tag = stream.GetLong();
    }
    void CopyTo(TStreamableObject& target) const override
    {
        auto& key = CastTo<TKey>(target);
        key.Key = Key;
        key.Tag = Tag;
    }
    int Compare(const TStreamableObject& other) const override
    {
        return CompareValues(Key, CastTo<const TKey>(other).Key);
    }

    int32_t Key = 0;
    int32_t Tag = 0;
    static inline int Live = 0;
};

// Returns the plain difference of the keys as its comparison.
class TRawCompare : public TCompareableObject {
    TARVO_CLASS(TRawCompare)
    static int32_t GetRegistrationCode() { return 9202; }

    TRawCompare() = default;
    explicit TRawCompare(int32_t key) : Key(key) { }
    int Compare(const TStreamableObject& other) const override { return Key - CastTo<const TRawCompare>(other).Key; }
    int32_t Key = 0;
};

void RegisterTestClasses()
{
    static const bool registered = [] {
        ClassRegistry().RegisterObjectClass<TKey>();
        return true;
    }();
    (void)registered;
}

std::unique_ptr<TKey> Key(int32_t key, int32_t tag = 0)
{
    return std::make_unique<TKey>(key, tag);
}

std::vector<int32_t> Keys(const TObjectList& list)
{
    std::vector<int32_t> keys;
    for (int i = 0; i < list.Count(); ++i)
        keys.push_back(list.AtAs<TKey>(i)->Key);
    return keys;
}

std::vector<int32_t> Tags(const TObjectList& list)
{
    std::vector<int32_t> tags;
    for (int i = 0; i < list.Count(); ++i)
        tags.push_back(list.AtAs<TKey>(i)->Tag);
    return tags;
}

// A sorted list of the keys, added in the given order; tags count the additions.
std::unique_ptr<TSortedObjectList> SortedOf(std::initializer_list<int32_t> keys)
{
    auto list = std::make_unique<TSortedObjectList>();
    int tag = 0;
    for (int32_t key : keys)
        list->Add(Key(key, ++tag));
    return list;
}

std::unique_ptr<TObjectList> PlainOf(std::initializer_list<int32_t> keys)
{
    auto list = std::make_unique<TObjectList>();
    int tag = 0;
    for (int32_t key : keys)
        list->Add(Key(key, ++tag));
    return list;
}

} // namespace

// --- streaming ----------------------------------------------------------------

TEST(ObjectList, EmptyListStoresAsZeroCountAndLoadsBackEmpty)
{
    TObjectList list;
    TObjectStream stream(0);
    list.Store(stream);
    EXPECT_EQ(stream.Bytes(), (Bytes{0, 0, 0, 0}));

    TObjectStream asObject(0);
    asObject.PutObject(list);
    EXPECT_EQ(asObject.Bytes(), (Bytes{0xE9, 0x03, 0, 0, 0, 0, 0, 0}));
    asObject.SetPosition(0);
    auto loaded = asObject.GetObjectAs<TObjectList>();
    EXPECT_EQ(loaded->Count(), 0);
    EXPECT_EQ(loaded->Current, -1);
}

TEST(ObjectList, CountOfZeroOrLessReadsNoObjects)
{
    for (const int32_t count : {0, -1, INT32_MIN}) {
        auto stream = StreamOf(ByteBuilder().Long(TObjectList::GetRegistrationCode()).Long(count).Long(42).Get());
        auto list = stream.GetObjectAs<TObjectList>();
        EXPECT_EQ(list->Count(), 0) << count;
        EXPECT_EQ(stream.GetLong(), 42) << count;
    }
}

TEST(ObjectList, SortedListIsReadBackAsPlainListInStoredOrder)
{
    RegisterTestClasses();
    auto sorted = SortedOf({3, 1, 2});
    TObjectStream stream(0);
    stream.PutObject(*sorted);
    const Bytes bytes = stream.Bytes();
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 4), (Bytes{0xE9, 0x03, 0, 0}));

    stream.SetPosition(0);
    auto loaded = stream.GetObjectAs<TObjectList>();
    EXPECT_EQ(loaded->ClassType(), ClassOf<TObjectList>());
    EXPECT_EQ(Keys(*loaded), (std::vector<int32_t>{1, 2, 3}));
    EXPECT_EQ(Tags(*loaded), (std::vector<int32_t>{2, 3, 1}));

    loaded->Add(Key(0));
    EXPECT_EQ(Keys(*loaded), (std::vector<int32_t>{1, 2, 3, 0})) << "a plain list appends";
}

TEST(ObjectList, LoadKeepsTheStoredOrderAndNumbersNothing)
{
    // An id list stored out of order, with an object that has no identifier.
    // clang-format off
    const Bytes bytes = ByteBuilder()
                            .Long(TIDList::GetRegistrationCode())
                            .Long(3)
                            .Long(1002).Long(5)
                            .Long(1002).Long(-1)
                            .Long(1002).Long(3)
                            .Long(7)
                            .Get();
    // clang-format on
    auto stream = StreamOf(bytes);
    auto list = stream.GetObjectAs<TIDList>();
    ASSERT_EQ(list->Count(), 3);
    EXPECT_EQ(list->AtAs<TID>(0)->ID, 5);
    EXPECT_EQ(list->AtAs<TID>(1)->ID, -1);
    EXPECT_EQ(list->AtAs<TID>(2)->ID, 3);
    EXPECT_EQ(list->LastID, 7);
}

TEST(ObjectList, LoadIntoAnExistingListReplacesItsObjects)
{
    RegisterTestClasses();
    TObjectList source;
    source.Add(Key(7));
    TObjectStream stream(0);
    source.Store(stream);

    auto list = PlainOf({1, 2});
    const int liveBefore = TKey::Live;
    stream.SetPosition(0);
    list->Load(stream);
    EXPECT_EQ(Keys(*list), std::vector<int32_t>{7});
    EXPECT_EQ(TKey::Live, liveBefore - 1) << "two old objects gone, one loaded";
}

// --- sorted lists -------------------------------------------------------------

TEST(SortedObjectList, AddKeepsOrderAndPutsEqualObjectsNewestFirst)
{
    auto list = SortedOf({20, 10, 20, 30, 20});
    EXPECT_EQ(Keys(*list), (std::vector<int32_t>{10, 20, 20, 20, 30}));
    EXPECT_EQ(Tags(*list), (std::vector<int32_t>{2, 5, 3, 1, 4}));

    int index = -1;
    EXPECT_TRUE(list->Search(TKey(20, 0), index));
    EXPECT_EQ(index, 1) << "the first of the equal objects, the one added last";
    EXPECT_EQ(list->Current, 0) << "left on the object before the run";
}

TEST(SortedObjectList, Search)
{
    struct Case {
        int32_t key;
        bool found;
        int index;
        int current; // the cursor afterwards; it starts at 1
    };
    const Case cases[] = {
        {5, false, 0, 1},  {10, true, 0, -1}, {15, false, 1, 1}, {20, true, 1, 0},
        {25, false, 3, 1}, {30, true, 3, 2},  {35, false, 4, 1},
    };
    auto list = SortedOf({30, 20, 10, 20});
    ASSERT_EQ(Keys(*list), (std::vector<int32_t>{10, 20, 20, 30}));
    for (const auto& c : cases) {
        list->Current = 1;
        int index = -99;
        EXPECT_EQ(list->Search(TKey(c.key, 0), index), c.found) << c.key;
        EXPECT_EQ(index, c.index) << c.key;
        EXPECT_EQ(list->Current, c.current) << c.key;
    }

    TSortedObjectList empty;
    int index = -99;
    EXPECT_FALSE(empty.Search(TKey(1, 0), index));
    EXPECT_EQ(index, 0);
}

TEST(SortedObjectList, OnlyTheLowestByteOfACompareCounts)
{
    TSortedObjectList list;
    list.Add(std::make_unique<TRawCompare>(0));
    int index = -1;
    EXPECT_TRUE(list.Search(TRawCompare(256), index)) << "256 has a zero lowest byte";
    EXPECT_EQ(index, 0);
    EXPECT_FALSE(list.Search(TRawCompare(255), index)) << "255 is -1 as a signed byte";
    EXPECT_EQ(index, 0);
    EXPECT_FALSE(list.Search(TRawCompare(1), index));
    EXPECT_EQ(index, 1);
}

TEST(SortedObjectList, AtInsertIgnoresTheIndex)
{
    for (const int index : {0, 1, 2, 3, -5, 100}) {
        auto list = SortedOf({10, 30});
        list->AtInsert(index, Key(20));
        EXPECT_EQ(Keys(*list), (std::vector<int32_t>{10, 20, 30})) << index;
    }
}

TEST(SortedObjectList, AddOfAnObjectThatCannotBeComparedIsRefused)
{
    auto list = SortedOf({1, 2});
    EXPECT_THROW(list->Add(std::make_unique<TObjectList>()), EInvalidCast);
    EXPECT_THROW(list->Add(std::make_unique<TText>("x")), EInvalidCast) << "a comparable of another class";
    EXPECT_EQ(Keys(*list), (std::vector<int32_t>{1, 2}));
}

// --- cursor, indexes and ownership --------------------------------------------

TEST(ObjectList, InsertAndDeleteMoveTheCursorWithItsObject)
{
    struct Case {
        const char* what;
        std::function<void(TObjectList&)> change;
        int current; // the cursor starts at 2
    };
    const Case cases[] = {
        {"insert at 0", [](TObjectList& l) { l.AtInsert(0, Key(9)); }, 3},
        {"insert at the cursor", [](TObjectList& l) { l.AtInsert(2, Key(9)); }, 3},
        {"insert behind the cursor", [](TObjectList& l) { l.AtInsert(3, Key(9)); }, 2},
        {"insert at the end", [](TObjectList& l) { l.AtInsert(4, Key(9)); }, 2},
        {"delete at 0", [](TObjectList& l) { l.AtDelete(0); }, 1},
        {"delete at the cursor", [](TObjectList& l) { l.AtDelete(2); }, 1},
        {"delete behind the cursor", [](TObjectList& l) { l.AtDelete(3); }, 2},
        {"delete an object", [](TObjectList& l) { l.Delete(l.At(1)); }, 1},
        {"free at 1", [](TObjectList& l) { l.AtFree(1); }, 1},
        {"free behind the cursor", [](TObjectList& l) { l.AtFree(3); }, 2},
    };
    for (const auto& c : cases) {
        auto list = PlainOf({0, 1, 2, 3});
        list->Current = 2;
        c.change(*list);
        EXPECT_EQ(list->Current, c.current) << c.what;
    }
}

TEST(ObjectList, BadIndexesLeaveTheListUnchanged)
{
    const TKey outsider(99, 0);
    struct Case {
        const char* what;
        std::function<void(TObjectList&)> action;
        int current; // the cursor starts at 1
    };
    const Case cases[] = {
        {"At(-1)", [](TObjectList& l) { l.At(-1); }, 1},
        {"At(Count)", [](TObjectList& l) { l.At(3); }, 1},
        {"AtInsert(-1)", [](TObjectList& l) { l.AtInsert(-1, Key(9)); }, 2}, // moved before the check
        {"AtInsert(Count + 1)", [](TObjectList& l) { l.AtInsert(4, Key(9)); }, 1},
        {"AtDelete(-1)", [](TObjectList& l) { l.AtDelete(-1); }, 1},
        {"AtDelete(Count)", [](TObjectList& l) { l.AtDelete(3); }, 1},
        {"AtFree(-1)", [](TObjectList& l) { l.AtFree(-1); }, 1},
        {"AtFree(Count)", [](TObjectList& l) { l.AtFree(3); }, 1},
        {"Delete of an outsider", [&outsider](TObjectList& l) { l.Delete(&outsider); }, 1},
    };
    for (const auto& c : cases) {
        auto list = PlainOf({10, 20, 30});
        list->Current = 1;
        const int liveBefore = TKey::Live;
        try {
            c.action(*list);
            ADD_FAILURE() << c.what << ": no error";
        } catch (const EListError& error) {
            EXPECT_STREQ(error.what(), "Listenindex außerhalb des zulässigen Bereichs") << c.what;
        }
        EXPECT_EQ(Keys(*list), (std::vector<int32_t>{10, 20, 30})) << c.what;
        EXPECT_EQ(list->Current, c.current) << c.what;
        EXPECT_EQ(TKey::Live, liveBefore) << c.what;
    }
}

TEST(ObjectList, ListOwnsItsObjectsUntilItHandsThemOver)
{
    const int liveBefore = TKey::Live;
    {
        auto list = PlainOf({1, 2, 3});
        EXPECT_EQ(TKey::Live, liveBefore + 3);
    }
    EXPECT_EQ(TKey::Live, liveBefore) << "destroying the list destroys its objects";

    std::vector<TObjectList::ObjectPtr> handedOver;
    {
        auto list = PlainOf({1, 2, 3});
        list->Current = 1;
        handedOver = list->DeleteAll();
        EXPECT_EQ(list->Count(), 0);
        EXPECT_EQ(list->Current, -1);
    }
    ASSERT_EQ(handedOver.size(), 3u);
    EXPECT_EQ(TKey::Live, liveBefore + 3) << "DeleteAll hands the objects back alive";
    EXPECT_EQ(static_cast<TKey&>(*handedOver[2]).Key, 3);
    handedOver.clear();

    auto list = PlainOf({1, 2, 3, 4});
    auto deleted = list->AtDelete(0);
    auto removed = list->Delete(list->At(0));
    EXPECT_EQ(static_cast<TKey&>(*deleted).Key, 1);
    EXPECT_EQ(static_cast<TKey&>(*removed).Key, 2);
    list->AtFree(0);
    EXPECT_EQ(Keys(*list), std::vector<int32_t>{4});
    EXPECT_EQ(TKey::Live, liveBefore + 3);

    list->Current = 0;
    list->FreeAll();
    EXPECT_EQ(list->Count(), 0);
    EXPECT_EQ(list->Current, -1);
    EXPECT_EQ(TKey::Live, liveBefore + 2);
}

// --- copies -------------------------------------------------------------------

TEST(ObjectList, CopyToASortedListSortsDeepCopies)
{
    RegisterTestClasses();
    auto source = PlainOf({3, 1, 2});
    TSortedObjectList target;
    target.Add(Key(100));
    const int liveBefore = TKey::Live;

    source->CopyTo(target);
    EXPECT_EQ(Keys(target), (std::vector<int32_t>{1, 2, 3}));
    EXPECT_EQ(Tags(target), (std::vector<int32_t>{2, 3, 1}));
    EXPECT_EQ(TKey::Live, liveBefore + 2) << "three copies made, the old object destroyed";
    for (int i = 0; i < target.Count(); ++i)
        EXPECT_EQ(source->IndexOf(target.At(i)), -1) << "copies, not shared objects";
}

TEST(ObjectList, CopyToAPlainListKeepsTheOrder)
{
    RegisterTestClasses();
    auto source = SortedOf({3, 1, 2});
    TObjectList target;
    target.Assign(*source);
    EXPECT_EQ(Keys(target), (std::vector<int32_t>{1, 2, 3}));
    source->AtAs<TKey>(0)->Key = 50;
    EXPECT_EQ(target.AtAs<TKey>(0)->Key, 1);
}
