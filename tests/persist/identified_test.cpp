#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "persist/classregistry.h"
#include "persist/identified.h"
#include "persist/listentry.h"
#include "persist/objectstream.h"
#include "persist/text.h"
#include "support/streamsupport.h"
#include "support/testsupport.h"

using namespace tarvo;
using namespace tarvo::testsupport;

namespace {

template <class T>
std::unique_ptr<T> With(std::function<void(T&)> setUp)
{
    auto object = std::make_unique<T>();
    setUp(*object);
    return object;
}

std::unique_ptr<TSimpleListEntry> Entry(int32_t id, std::string_view name)
{
    auto entry = std::make_unique<TSimpleListEntry>();
    entry->ID = id;
    entry->Name = name;
    return entry;
}

std::unique_ptr<TDID> Pair(int32_t id, int32_t subId)
{
    auto pair = std::make_unique<TDID>();
    pair->ID = id;
    pair->SubID = subId;
    return pair;
}

std::vector<int32_t> Ids(const TObjectList& list)
{
    std::vector<int32_t> ids;
    for (int i = 0; i < list.Count(); ++i)
        ids.push_back(list.AtAs<TID>(i)->ID);
    return ids;
}

} // namespace

// --- stream layouts -----------------------------------------------------------

TEST(Identified, StreamLayouts)
{
    struct Case {
        const char* what;
        std::unique_ptr<TStreamableObject> object;
        Bytes bytes;
        const TClassInfo* readAs;
    };
    Case cases[] = {
        {"TID", std::make_unique<TID>(3), {0xEA, 0x03, 0, 0, 3, 0, 0, 0}, &ClassOf<TID>()},
        {"TListEntry streams as TID",
         With<TListEntry>([](TListEntry& e) { e.ID = 3; }),
         {0xEA, 0x03, 0, 0, 3, 0, 0, 0},
         &ClassOf<TID>()},
        {"TSimpleListEntry",
         Entry(3, "ab"),
         {0xEC, 0x03, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 'a', 'b'},
         &ClassOf<TSimpleListEntry>()},
        {"TBitmappedListEntry", With<TBitmappedListEntry>([](TBitmappedListEntry& e) {
             e.ID = 7;
             e.Name = "n";
             e.ResourceName = "RES";
             e.BitmapFile = "a.bmp";
         }),
         ByteBuilder().Long(1005).Long(7).String("n").Long(100).String("RES").String("a.bmp").Get(),
         &ClassOf<TBitmappedListEntry>()},
        {"TBitmappedListEntry without names", std::make_unique<TBitmappedListEntry>(),
         ByteBuilder().Long(1005).Long(-1).String("").Long(100).String("").String("").Get(),
         &ClassOf<TBitmappedListEntry>()},
        {"TDID", Pair(1, -2), {0xF3, 0x03, 0, 0, 1, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF}, &ClassOf<TDID>()},
        {"empty TIDList",
         std::make_unique<TIDList>(),
         {0xEB, 0x03, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF},
         &ClassOf<TIDList>()},
        {"TIDList", With<TIDList>([](TIDList& l) {
             l.AddNew(std::make_unique<TID>());
             l.AddNew(Entry(-1, "x"));
         }),
         ByteBuilder().Long(1003).Long(2).Long(1002).Long(0).Long(1004).Long(1).String("x").Long(1).Get(),
         &ClassOf<TIDList>()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ObjectBytes(*c.object), c.bytes) << c.what;
        auto loaded = LoadObject(c.bytes);
        EXPECT_EQ(loaded->ClassType(), *c.readAs) << c.what;
        EXPECT_EQ(ObjectBytes(*loaded), c.bytes) << c.what << ": every field comes back";
    }
}

TEST(Identified, BitmappedEntryReadsAnyVersionNumber)
{
    auto object = LoadObject(ByteBuilder().Long(1005).Long(2).String("n").Long(99).String("R").String("F").Get());
    auto& entry = dynamic_cast<TBitmappedListEntry&>(*object);
    EXPECT_EQ(entry.ID, 2);
    EXPECT_EQ(entry.Name, "n");
    EXPECT_EQ(entry.ResourceName, "R");
    EXPECT_EQ(entry.BitmapFile, "F");
}

// --- comparison ---------------------------------------------------------------

TEST(Identified, IdsCompareAsSignedNumbers)
{
    struct Case {
        int32_t a, b;
        int result;
    };
    const Case cases[] = {
        {-1, 0, -1}, {0, -1, 1}, {5, 5, 0}, {INT32_MIN, INT32_MAX, -1}, {INT32_MAX, INT32_MIN, 1}, {INT32_MAX, -1, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TID(c.a).Compare(TID(c.b)), c.result) << c.a << " vs " << c.b;
}

TEST(Identified, DoubleIdsCompareByIdThenSubId)
{
    struct Case {
        int32_t id, subId, otherId, otherSubId;
        int result;
    };
    const Case cases[] = {
        {1, 9, 2, 0, -1},
        {2, 0, 1, 9, 1},
        {1, 1, 1, 2, -1},
        {1, 2, 1, 1, 1},
        {1, 2, 1, 2, 0},
        {1, -1, 1, 0, -1},
        {1, INT32_MIN, 1, INT32_MAX, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Pair(c.id, c.subId)->Compare(*Pair(c.otherId, c.otherSubId)), c.result)
            << c.id << "/" << c.subId << " vs " << c.otherId << "/" << c.otherSubId;
    }

    EXPECT_EQ(Pair(1, 5)->Compare(TID(2)), -1) << "the identifiers decide";
    EXPECT_THROW(Pair(1, 5)->Compare(TID(1)), EInvalidCast) << "equal identifiers need a second one";
    EXPECT_THROW(TID(1).Compare(TText("1")), EInvalidCast);

    TIDList list;
    list.Add(Pair(2, 1));
    list.Add(Pair(1, 7));
    list.Add(Pair(2, 0));
    list.Add(Pair(1, 3));
    std::vector<std::pair<int32_t, int32_t>> order;
    for (int i = 0; i < list.Count(); ++i)
        order.emplace_back(list.AtAs<TDID>(i)->ID, list.AtAs<TDID>(i)->SubID);
    EXPECT_EQ(order, (std::vector<std::pair<int32_t, int32_t>>{{1, 3}, {1, 7}, {2, 0}, {2, 1}}));
    EXPECT_EQ(list.SearchID(2), 2) << "a plain identifier finds the first pair with it";
}

// --- identifier allocation ------------------------------------------------------

TEST(IDList, HandsOutIdentifiersThatAreNeverReused)
{
    TIDList list;
    for (int i = 0; i < 3; ++i)
        list.Add(std::make_unique<TID>());
    EXPECT_EQ(Ids(list), (std::vector<int32_t>{0, 1, 2}));
    EXPECT_EQ(list.LastID, 2);

    list.FreeID(2);
    EXPECT_EQ(list.LastID, 2) << "removing never lowers LastID";
    list.Add(std::make_unique<TID>());
    EXPECT_EQ(Ids(list), (std::vector<int32_t>{0, 1, 3}));

    auto loaded = RoundTrip(list);
    EXPECT_EQ(loaded->LastID, 3);
    loaded->Add(std::make_unique<TID>());
    EXPECT_EQ(Ids(*loaded), (std::vector<int32_t>{0, 1, 3, 4}));

    loaded->FreeAll();
    EXPECT_EQ(loaded->LastID, -1);
    loaded->Add(std::make_unique<TID>());
    EXPECT_EQ(Ids(*loaded), std::vector<int32_t>{0});
}

TEST(IDList, RemovingObjectsKeepsLastID)
{
    struct Case {
        const char* what;
        std::function<void(TIDList&)> remove;
    };
    const Case cases[] = {
        {"FreeID", [](TIDList& l) { l.FreeID(4); }},
        {"Delete", [](TIDList& l) { l.Delete(l.ObjectWithID(4)); }},
        {"AtDelete", [](TIDList& l) { l.AtDelete(l.SearchID(4)); }},
        {"AtFree", [](TIDList& l) { l.AtFree(l.SearchID(4)); }},
    };
    for (const auto& c : cases) {
        TIDList list;
        for (int i = 0; i < 5; ++i)
            list.AddNew(std::make_unique<TID>());
        c.remove(list);
        EXPECT_EQ(Ids(list), (std::vector<int32_t>{0, 1, 2, 3})) << c.what;
        EXPECT_EQ(list.LastID, 4) << c.what;
        list.RecalcLastID();
        EXPECT_EQ(list.LastID, 3) << c.what;
    }
}

TEST(IDList, AddingAnObjectWithAnIdentifierKeepsItAndLastID)
{
    TIDList list;
    list.Add(std::make_unique<TID>(10));
    EXPECT_EQ(list.LastID, -1);
    list.Add(std::make_unique<TID>());
    list.Add(std::make_unique<TID>());
    EXPECT_EQ(Ids(list), (std::vector<int32_t>{0, 1, 10}));
    EXPECT_EQ(list.LastID, 1);

    list.AddNew(std::make_unique<TID>(77));
    EXPECT_EQ(Ids(list), (std::vector<int32_t>{0, 1, 2, 10})) << "AddNew numbers whatever it is given";
}

TEST(IDList, AddOfAnythingButAnIdentifiedObjectIsRefused)
{
    TIDList list;
    list.AddNew(std::make_unique<TID>());
    EXPECT_THROW(list.Add(std::make_unique<TText>("x")), EInvalidCast);
    EXPECT_THROW(list.AddNew(std::make_unique<TText>("x")), EInvalidCast);
    EXPECT_EQ(Ids(list), std::vector<int32_t>{0});
    EXPECT_EQ(list.LastID, 0);
}

TEST(IDList, LookupByIdentifierFindsTheFirstOfEquals)
{
    TIDList list;
    list.Add(Entry(1, "eins"));
    list.Add(Entry(5, "alt"));
    list.Add(Entry(5, "neu"));
    list.Add(Entry(9, "neun"));
    EXPECT_EQ(list.SearchID(5), 1);
    ASSERT_NE(list.ObjectWithID(5), nullptr);
    EXPECT_EQ(static_cast<TSimpleListEntry*>(list.ObjectWithID(5))->Name, "neu");
    EXPECT_TRUE(list.IDExists(9));

    for (const int32_t missing : {-1, 0, 4, 10}) {
        EXPECT_EQ(list.SearchID(missing), -1) << missing;
        EXPECT_EQ(list.ObjectWithID(missing), nullptr) << missing;
        EXPECT_FALSE(list.IDExists(missing)) << missing;
        list.FreeID(missing);
        EXPECT_EQ(list.Count(), 4) << missing;
    }

    list.FreeID(5);
    ASSERT_EQ(list.SearchID(5), 1);
    EXPECT_EQ(static_cast<TSimpleListEntry*>(list.ObjectWithID(5))->Name, "alt") << "FreeID took the first";
}

TEST(IDList, CopyKeepsIdentifiersAndLastID)
{
    TIDList source;
    source.AddNew(Entry(-1, "a"));
    source.AddNew(std::make_unique<TListEntry>());
    source.Add(Entry(20, "b"));
    source.LastID = 30;

    TIDList target;
    target.AddNew(Entry(-1, "old"));
    source.CopyTo(target);

    EXPECT_EQ(Ids(target), (std::vector<int32_t>{0, 1, 20}));
    EXPECT_EQ(target.LastID, 30);
    EXPECT_EQ(target.AtAs<TSimpleListEntry>(0)->Name, "a");
    EXPECT_EQ(target.At(1)->ClassType(), ClassOf<TID>()) << "a list entry is copied as the class of its code";
    EXPECT_EQ(target.AtAs<TSimpleListEntry>(2)->Name, "b");
    EXPECT_NE(target.At(0), source.At(0));

    TObjectList plain;
    EXPECT_THROW(source.CopyTo(plain), EInvalidCast);
}
