#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <cstdlib>
#include <functional>
#include <new>
#include <string>
#include <vector>

#include "persist/classregistry.h"
#include "persist/identified.h"
#include "persist/listentry.h"
#include "persist/objectlist.h"
#include "persist/objectstream.h"
#include "persist/text.h"
#include "support/logrecorder.h"
#include "support/streamsupport.h"
#include "support/testsupport.h"

using namespace tarvo;
using namespace tarvo::testsupport;
using ::testing::StartsWith;

// The largest single allocation made while tracking is on, so that a test
// can tell that damaged lengths are refused before memory is reserved for them.
namespace {
std::atomic<bool> trackAllocations{false};
std::atomic<size_t> largestAllocation{0};
} // namespace

void* operator new(size_t size)
{
    if (trackAllocations.load(std::memory_order_relaxed)) {
        size_t seen = largestAllocation.load(std::memory_order_relaxed);
        while (size > seen && !largestAllocation.compare_exchange_weak(seen, size)) { }
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}

// The replacement operator new takes its memory from malloc, so free is
// the matching release; the compiler cannot see that across the replacement.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, size_t) noexcept
{
    std::free(memory);
}
#pragma GCC diagnostic pop

namespace {

// Records the largest allocation made while it exists.
class AllocationWatch {
public:
    AllocationWatch()
    {
        largestAllocation = 0;
        trackAllocations = true;
    }
    ~AllocationWatch() { trackAllocations = false; }
    AllocationWatch(const AllocationWatch&) = delete;
    AllocationWatch& operator=(const AllocationWatch&) = delete;

    size_t Largest() const { return largestAllocation; }
};

// Counts its instances, so that a test sees what a failed load leaves alive.
class TCounted : public TStreamableObject {
    TARVO_CLASS(TCounted)
    static int32_t GetRegistrationCode() { return 9101; }

    TCounted()
    {
        ++Live;
        ++Made;
    }
    ~TCounted() override { --Live; }
    void Store(TObjectStream& stream) const override { stream.PutLong(Value); }
    void Load(TObjectStream& stream) override { Value = stream.GetLong(); }

    int32_t Value = 0;
    static inline int Live = 0;
    static inline int Made = 0;
};

// Writes a given number of bytes 1, 2, 3, ...; never registered.
class TFixedBytes : public TStreamableObject {
    TARVO_CLASS(TFixedBytes)
    static int32_t GetRegistrationCode() { return 9102; }

    void Store(TObjectStream& stream) const override
    {
        for (int i = 0; i < Length; ++i)
            stream.PutByte(static_cast<uint8_t>(i + 1));
    }
    int Length = 0;
};

void RegisterTestClasses()
{
    static const bool registered = [] {
        ClassRegistry().RegisterObjectClass<TCounted>();
        return true;
    }();
    (void)registered;
}

std::unique_ptr<TSimpleListEntry> Entry(int32_t id, std::string_view name)
{
    auto entry = std::make_unique<TSimpleListEntry>();
    entry->ID = id;
    entry->Name = name;
    return entry;
}

// An id list of named entries of every entry class.
std::unique_ptr<TIDList> SampleIdList()
{
    auto list = std::make_unique<TIDList>();
    list->AddNew(Entry(-1, "Anna"));
    list->AddNew(Entry(-1, ""));
    auto bitmapped = std::make_unique<TBitmappedListEntry>();
    bitmapped->Name = "Bild";
    bitmapped->ResourceName = "RES";
    bitmapped->BitmapFile = "c:\\bild.bmp";
    list->AddNew(std::move(bitmapped));
    auto pair = std::make_unique<TDID>();
    pair->SubID = 7;
    list->AddNew(std::move(pair));
    return list;
}

// Lists inside lists, with texts, an empty list and an id list.
std::unique_ptr<TObjectList> SampleNestedList()
{
    auto inner = std::make_unique<TObjectList>();
    inner->Add(std::make_unique<TText>("q"));
    inner->Add(SampleIdList());
    auto outer = std::make_unique<TObjectList>();
    outer->Add(std::make_unique<TText>("xyz"));
    outer->Add(std::make_unique<TObjectList>());
    outer->Add(std::move(inner));
    outer->Add(Entry(4, "Ende"));
    return outer;
}

// Lists nested depth levels deep, the innermost one empty.
Bytes NestedLists(int depth)
{
    ByteBuilder bytes;
    for (int level = 1; level < depth; ++level)
        bytes.Long(TObjectList::GetRegistrationCode()).Long(1);
    bytes.Long(TObjectList::GetRegistrationCode()).Long(0);
    return bytes.Get();
}

template <class Error>
std::string MessageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const Error& error) {
        return error.what();
    }
    ADD_FAILURE() << "no error raised";
    return {};
}

} // namespace

// --- primitive values -------------------------------------------------------

TEST(ObjectStream, TextAbcAsObject)
{
    TObjectStream stream(0);
    stream.PutObject(TText("abc"));
    EXPECT_EQ(stream.Bytes(), (Bytes{0xE8, 0x03, 0, 0, 3, 0, 0, 0, 'a', 'b', 'c'}));
}

TEST(ObjectStream, NumbersAreLittleEndianAndReadBack)
{
    TObjectStream stream(0);
    stream.PutLong(0x12345678);
    stream.PutLong(-2);
    stream.PutInt(INT32_MIN);
    stream.PutShort(-2);
    stream.PutWord(0xBEEF);
    stream.PutByte(0xAB);
    stream.PutBool(true);
    stream.PutBool(false);
    EXPECT_EQ(
        stream.Bytes(),
        (Bytes{0x78, 0x56, 0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0x80, 0xFE, 0xFF, 0xEF, 0xBE, 0xAB, 1, 0}));

    stream.SetPosition(0);
    EXPECT_EQ(stream.GetLong(), 0x12345678);
    EXPECT_EQ(stream.GetLong(), -2);
    EXPECT_EQ(stream.GetInt(), INT32_MIN);
    EXPECT_EQ(stream.GetShort(), -2);
    EXPECT_EQ(stream.GetWord(), 0xBEEF);
    EXPECT_EQ(stream.GetByte(), 0xAB);
    EXPECT_TRUE(stream.GetBool());
    EXPECT_FALSE(stream.GetBool());
    EXPECT_EQ(stream.Position(), stream.Size());
}

TEST(ObjectStream, StringsAreLengthAndEncodedBytes)
{
    struct Case {
        std::string_view text;
        Bytes bytes;
    };
    const Case cases[] = {
        {std::string_view(), {0, 0, 0, 0}}, // an empty text without any data
        {"", {0, 0, 0, 0}},
        {"abc", {3, 0, 0, 0, 'a', 'b', 'c'}},
        {"Büro", {4, 0, 0, 0, 'B', 0xFC, 'r', 'o'}},               // one byte per character in the ANSI code page
        {"Жук", {6, 0, 0, 0, 0xD0, 0x96, 0xD1, 0x83, 0xD0, 0xBA}}, // UTF-8: the length counts its bytes
    };
    for (const auto& c : cases) {
        TObjectStream stream(0);
        stream.PutString(c.text);
        EXPECT_EQ(stream.Bytes(), c.bytes) << c.text;
        stream.SetPosition(0);
        EXPECT_EQ(stream.GetString(), c.text);
        EXPECT_EQ(stream.Position(), c.bytes.size());
    }
}

TEST(ObjectStream, NulEndsTheTextButTheWholeLengthIsConsumed)
{
    auto stream = StreamOf(ByteBuilder().String(std::string("ab\0cd", 5)).Long(7).Get());
    EXPECT_EQ(stream.GetString(), "ab");
    EXPECT_EQ(stream.GetLong(), 7);
}

TEST(ObjectStream, ImpossibleStringLengthsAreDamagedWithoutAllocating)
{
    const int32_t lengths[] = {-1, INT32_MIN, INT32_MAX, 4};
    for (const int32_t length : lengths) {
        // Three characters follow the length.
        auto stream = StreamOf(ByteBuilder().Long(length).Raw({'a', 'b', 'c'}).Get());
        std::string message;
        size_t largest = 0;
        {
            AllocationWatch watch;
            message = MessageOf<EStreamDamaged>([&] { stream.GetString(); });
            largest = watch.Largest();
        }
        EXPECT_THAT(message, StartsWith("Die Daten sind beschädigt")) << length;
        EXPECT_LT(largest, 4096u) << length;
    }
    auto exact = StreamOf(ByteBuilder().Long(3).Raw({'a', 'b', 'c'}).Get());
    EXPECT_EQ(exact.GetString(), "abc") << "a length up to the very end is fine";
}

TEST(ObjectStream, ReadingPastTheEndIsDamaged)
{
    const std::pair<Bytes, std::function<void(TObjectStream&)>> cases[] = {
        {{}, [](TObjectStream& s) { s.GetByte(); }},
        {{1}, [](TObjectStream& s) { s.GetShort(); }},
        {{1, 2, 3}, [](TObjectStream& s) { s.GetLong(); }},
        {{1, 2, 3, 4},
         [](TObjectStream& s) {
             s.GetLong();
             s.GetBool();
         }},
        {{1, 2, 3}, [](TObjectStream& s) { s.GetObject(); }},
        {{1, 2, 3},
         [](TObjectStream& s) {
             s.SetPosition(5); // behind the end, inside the capacity
             s.GetByte();
         }},
    };
    for (const auto& [bytes, read] : cases) {
        auto stream = StreamOf(bytes);
        EXPECT_THROW(read(stream), EStreamDamaged) << bytes.size() << " bytes";
    }
}

// --- the buffer -------------------------------------------------------------

TEST(ObjectStream, InitialSizeIsTheSizeAndCapacityIsInSteps)
{
    const std::pair<size_t, size_t> cases[] = {
        {0, 0}, {1, 8192}, {512, 8192}, {8192, 8192}, {8193, 16384}, {16384, 16384},
    };
    for (const auto& [initialSize, capacity] : cases) {
        TObjectStream stream(initialSize);
        EXPECT_EQ(stream.Size(), initialSize);
        EXPECT_EQ(stream.Capacity(), capacity) << initialSize;
        EXPECT_EQ(stream.Position(), 0u);
    }
}

TEST(ObjectStream, SizeGrowsOnlyWhenAWriteEndsBeyondIt)
{
    TObjectStream stream(512);
    stream.PutLong(0x01020304);
    EXPECT_EQ(stream.Size(), 512u);
    EXPECT_EQ(stream.Position(), 4u);

    stream.SetPosition(510);
    stream.PutLong(0x05060708);
    EXPECT_EQ(stream.Size(), 514u);
    EXPECT_EQ(stream.Capacity(), 8192u);

    stream.SetPosition(8190);
    stream.PutLong(0x090A0B0C);
    EXPECT_EQ(stream.Size(), 8194u);
    EXPECT_EQ(stream.Capacity(), 16384u);

    stream.SetPosition(0);
    stream.PutShort(0);
    EXPECT_EQ(stream.Size(), 8194u) << "overwriting never shrinks";

    // Growing the buffer keeps what was written.
    stream.SetPosition(2);
    EXPECT_EQ(stream.GetShort(), 0x0102);
    stream.SetPosition(510);
    EXPECT_EQ(stream.GetLong(), 0x05060708);
    stream.SetPosition(8190);
    EXPECT_EQ(stream.GetLong(), 0x090A0B0C);
}

TEST(ObjectStream, SavedFileIsAsLongAsTheLargerOfInitialSizeAndContent)
{
    struct Case {
        size_t initialSize;
        int written;
        size_t fileSize;
    };
    const Case cases[] = {
        {512, 10, 512}, {512, 600, 600}, {16384, 100, 16384}, {16384, 20000, 20000}, {0, 0, 0},
    };
    TempDir dir;
    for (const auto& c : cases) {
        TObjectStream stream(c.initialSize);
        for (int i = 0; i < c.written; ++i)
            stream.PutByte(static_cast<uint8_t>(i * 7));
        const std::string file = dir.File("stream.dat");
        stream.SaveToFile(file);
        const Bytes saved = ReadFile(file);
        ASSERT_EQ(saved.size(), c.fileSize) << c.initialSize << " / " << c.written;
        for (int i = 0; i < c.written; ++i)
            ASSERT_EQ(saved[static_cast<size_t>(i)], static_cast<uint8_t>(i * 7));
    }
}

TEST(ObjectStream, SaveToFileOfAnObjectWritesItsFieldsWithoutCode)
{
    const std::pair<int, size_t> cases[] = {{10, 512}, {600, 600}};
    TempDir dir;
    for (const auto& [length, fileSize] : cases) {
        TFixedBytes object;
        object.Length = length;
        const std::string file = dir.File("object.dat");
        object.SaveToFile(file);
        const Bytes saved = ReadFile(file);
        ASSERT_EQ(saved.size(), fileSize);
        for (int i = 0; i < length; ++i)
            ASSERT_EQ(saved[static_cast<size_t>(i)], static_cast<uint8_t>(i + 1)) << "byte " << i;
    }
}

TEST(ObjectStream, LoadFromFileReplacesTheContent)
{
    TempDir dir;
    const std::string file = dir.File("ten.dat");
    const Bytes content{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    WriteFile(file, content);

    TObjectStream stream(16384);
    stream.PutLong(99);
    stream.LoadFromFile(file);
    EXPECT_EQ(stream.Size(), 10u) << "the initial size is discarded";
    EXPECT_EQ(stream.Position(), 0u);
    EXPECT_EQ(stream.Bytes(), content);
    stream.SetPosition(8);
    EXPECT_EQ(stream.GetShort(), 0x0A09);
    EXPECT_THROW(stream.GetByte(), EStreamDamaged) << "no filler behind the file's content";
}

TEST(ObjectStream, LoadFromFileThatCannotBeOpened)
{
    TempDir dir;
    const std::string missing = dir.File("missing.dat");
    EXPECT_EQ(MessageOf<EFOpenError>([&] { TObjectStream(512).LoadFromFile(missing); }),
              "Kann Datei " + missing + " nicht öffnen");
    EXPECT_THROW(TObjectStream(512).LoadFromFile(dir.Path().string()), EFOpenError);
}

// --- saving replaces files as a whole ----------------------------------------

TEST(ObjectStream, SaveReplacesAnExistingFileAndLeavesNothingElse)
{
    TempDir dir;
    const std::string file = dir.File("doc.dat");
    WriteFile(file, Bytes(2000, 0xEE));

    TObjectStream stream(0);
    stream.PutString("neu");
    stream.SaveToFile(file);

    EXPECT_EQ(ReadFile(file), (Bytes{3, 0, 0, 0, 'n', 'e', 'u'}));
    EXPECT_EQ(dir.Entries(), std::set<std::string>{"doc.dat"});
}

TEST(ObjectStream, FailedSaveRaisesCreateErrorAndChangesNothing)
{
    TempDir dir;
    const std::string full = dir.File("full");
    std::filesystem::create_directory(full);
    WriteFile(full + "/inside.dat", Bytes{1, 2, 3});
    const std::string names[] = {
        dir.File("nowhere/file.dat"), // in a directory that does not exist
        full,                         // a non-empty directory cannot be replaced by a file
        full + "/",                   // names no file at all
    };
    for (const auto& name : names) {
        EXPECT_EQ(MessageOf<EFCreateError>([&] { TObjectStream(512).SaveToFile(name); }),
                  "Kann Datei " + name + " nicht erstellen");
        EXPECT_EQ(dir.Entries(), std::set<std::string>{"full"}) << name;
        EXPECT_EQ(EntriesOf(full), std::set<std::string>{"inside.dat"}) << name;
        EXPECT_EQ(ReadFile(full + "/inside.dat"), (Bytes{1, 2, 3})) << name;
    }
}

// --- objects ----------------------------------------------------------------

TEST(ObjectStream, OldIdListCodeIsReadAsIdList)
{
    auto stream = StreamOf(ByteBuilder().Long(108).Long(0).Long(5).Get());
    auto object = stream.GetObject();
    auto* list = dynamic_cast<TIDList*>(object.get());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->ClassType(), ClassOf<TIDList>());
    EXPECT_EQ(list->LastID, 5);
}

TEST(ObjectStream, UnknownClassCode)
{
    auto stream = StreamOf(ByteBuilder().Long(4711).Long(0).Get());
    EXPECT_EQ(MessageOf<EClassNotFound>([&] { stream.GetObject(); }), "Klasse 4711 nicht gefunden.");
}

TEST(ObjectStream, FailedLoadLeavesNoObjectAlive)
{
    RegisterTestClasses();
    const int32_t list = TObjectList::GetRegistrationCode();
    const int32_t counted = TCounted::GetRegistrationCode();
    struct Case {
        const char* what;
        Bytes bytes;
        const char* message;
    };
    const Case cases[] = {
        // clang-format off
        {"unknown class after two items",
         ByteBuilder().Long(list).Long(3).Long(counted).Long(1).Long(counted).Long(2).Long(4711).Get(),
         "Klasse 4711 nicht gefunden."},
        {"unknown class deep inside",
         ByteBuilder()
             .Long(list).Long(3)
             .Long(list).Long(1).Long(counted).Long(1)
             .Long(counted).Long(2)
             .Long(list).Long(2).Long(counted).Long(3).Long(4711)
             .Get(),
         "Klasse 4711 nicht gefunden."},
        {"data ends inside the last item",
         ByteBuilder().Long(list).Long(2).Long(counted).Long(1).Long(counted).Raw({0, 0}).Get(),
         "Die Daten sind beschädigt"},
    };
    // clang-format on
    for (const auto& c : cases) {
        const int liveBefore = TCounted::Live;
        const int madeBefore = TCounted::Made;
        auto stream = StreamOf(c.bytes);
        try {
            stream.GetObject();
            ADD_FAILURE() << c.what << ": loaded";
        } catch (const ETarvoError& error) {
            EXPECT_THAT(error.what(), StartsWith(c.message)) << c.what;
        }
        EXPECT_GE(TCounted::Made - madeBefore, 2) << c.what << ": items were read before the failure";
        EXPECT_EQ(TCounted::Live, liveBefore) << c.what;
    }
}

TEST(ObjectStream, ObjectOfAnUnexpectedClassIsDamagedAndDestroyed)
{
    RegisterTestClasses();
    const int32_t counted = TCounted::GetRegistrationCode();
    const int liveBefore = TCounted::Live;

    auto single = StreamOf(ByteBuilder().Long(counted).Long(5).Get());
    EXPECT_EQ(MessageOf<EStreamDamaged>([&] { single.GetObjectAs<TText>(); }),
              "Die Daten sind beschädigt: TCounted statt TText");
    EXPECT_EQ(TCounted::Live, liveBefore);

    // clang-format off
    auto list = StreamOf(ByteBuilder()
                             .Long(TObjectList::GetRegistrationCode()).Long(3)
                             .Long(1000).String("a")
                             .Long(counted).Long(1)
                             .Long(1000).String("b")
                             .Get());
    // clang-format on
    EXPECT_EQ(MessageOf<EStreamDamaged>([&] { list.GetListOf<TObjectList, TText>(); }),
              "Die Daten sind beschädigt: TCounted statt TText");
    EXPECT_EQ(TCounted::Live, liveBefore);

    // clang-format off
    auto texts = StreamOf(ByteBuilder()
                              .Long(TObjectList::GetRegistrationCode()).Long(2)
                              .Long(1000).String("a")
                              .Long(1000).String("b")
                              .Get());
    // clang-format on
    auto whole = texts.GetListOf<TObjectList, TText>();
    EXPECT_EQ(whole->Count(), 2);
}

TEST(ObjectStream, LoadObjectFromMissingFileGivesADefaultObjectOfTheClass)
{
    TempDir dir;
    auto object = LoadObjectFromFile(ClassOf<TSimpleListEntry>(), dir.File("missing.dat"));
    ASSERT_EQ(object->ClassType(), ClassOf<TSimpleListEntry>());
    auto& entry = static_cast<TSimpleListEntry&>(*object);
    EXPECT_EQ(entry.ID, -1);
    EXPECT_EQ(entry.Name, "");
    EXPECT_TRUE(dir.Entries().empty()) << "nothing is created";
}

TEST(ObjectStream, LoadObjectFromFileGivesTheClassTheFileNames)
{
    TempDir dir;
    const std::string file = dir.File("text.dat");
    TObjectStream stream(TObjectStream::DefaultInitialSize);
    stream.PutObject(TText("abc"));
    stream.SaveToFile(file);

    auto object = LoadObjectFromFile(ClassOf<TIDList>(), file);
    ASSERT_EQ(object->ClassType(), ClassOf<TText>());
    EXPECT_EQ(static_cast<TText&>(*object).GetText(), "abc");
}

// --- copies -----------------------------------------------------------------

TEST(ObjectStream, CopyToNewMakesTheClassRegisteredUnderTheCode)
{
    TListEntry entry;
    entry.ID = 12;
    auto copy = entry.CopyToNew();
    EXPECT_EQ(copy->ClassType(), ClassOf<TID>()) << "TListEntry shares TID's code";
    EXPECT_EQ(static_cast<TID&>(*copy).ID, 12);

    TBitmappedListEntry bitmapped;
    bitmapped.ID = 3;
    bitmapped.Name = "n";
    bitmapped.ResourceName = "r";
    bitmapped.BitmapFile = "f";
    auto bitmappedCopy = bitmapped.CopyToNew();
    EXPECT_EQ(bitmappedCopy->ClassType(), ClassOf<TBitmappedListEntry>());
    EXPECT_EQ(ObjectBytes(*bitmappedCopy), ObjectBytes(bitmapped)) << "every field is copied";
}

TEST(ObjectStream, CopyToAnotherClassIsAnInvalidCast)
{
    TID id;
    TSimpleListEntry simple;
    TBitmappedListEntry bitmapped;
    TDID pair;
    TText text;
    TObjectList list;
    TIDList idList;
    const std::pair<const TStreamableObject*, TStreamableObject*> cases[] = {
        {&simple, &id}, {&bitmapped, &simple}, {&pair, &id},     {&id, &text},
        {&text, &id},   {&list, &text},        {&idList, &list},
    };
    for (const auto& [source, target] : cases) {
        EXPECT_EQ(MessageOf<EInvalidCast>([&] { source->CopyTo(*target); }), "Ungültige Typumwandlung")
            << source->ClassType().Name() << " into " << target->ClassType().Name();
    }
}

// --- the class registry ------------------------------------------------------

TEST(ClassRegistry, EntriesAreOrderedByDescendingCode)
{
    auto none = []() -> std::unique_ptr<TStreamableObject> { return nullptr; };
    const TClassInfo a("A", 1000, none), b("B", 1005, none), c("C", 155, none), d("D", -7, none);
    TClassRegistry registry;
    for (const TClassInfo* info : {&a, &d, &b, &c})
        registry.RegisterObjectClass(*info);
    ASSERT_EQ(registry.Count(), 4);
    EXPECT_EQ(registry.At(0).Code, 1005);
    EXPECT_EQ(registry.At(1).Code, 1000);
    EXPECT_EQ(registry.At(2).Code, 155);
    EXPECT_EQ(registry.At(3).Code, -7);

    struct Case {
        int32_t code;
        bool found;
        int position;
    };
    const Case cases[] = {
        {INT32_MAX, false, 0}, {1005, true, 0}, {1003, false, 1}, {1000, true, 1}, {500, false, 2},
        {155, true, 2},        {0, false, 3},   {-7, true, 3},    {-8, false, 4},  {INT32_MIN, false, 4},
    };
    for (const auto& test : cases) {
        int position = -99;
        EXPECT_EQ(registry.GetPosition(test.code, position), test.found) << test.code;
        EXPECT_EQ(position, test.position) << test.code;
    }
    EXPECT_EQ(registry.GetEntryForID(155, false)->ObjectClass, &c);
    EXPECT_EQ(registry.GetEntryForID(156, false), nullptr);
    EXPECT_EQ(MessageOf<EClassNotFound>([&] { registry.GetEntryForID(156, true); }), "Klasse 156 nicht gefunden.");
}

TEST(ClassRegistry, DuplicateCodeIsReportedAndRegisteredAnyway)
{
    TClassRegistry registry;
    testsupport::TLogRecorder log;
    registry.RegisterObjectClass<TID>();
    registry.RegisterObjectClass<TListEntry>();
    EXPECT_EQ(log.Lines(), std::vector<std::string>{"tarvo.persist: Class ID 1002 used by TID wanted by TListEntry"});
    EXPECT_EQ(registry.Count(), 2);
}

TEST(ClassRegistry, OldIdListCodeLooksUpTheIdList)
{
    TClassRegistry registry;
    registry.RegisterObjectClass<TIDList>();
    EXPECT_EQ(registry.GetClassForID(108), ClassOf<TIDList>());
    EXPECT_EQ(registry.GetEntryForID(108, false), nullptr) << "only class lookup translates the old code";
}

TEST(ClassRegistry, LibraryClassesAreRegisteredAtStartUp)
{
    const std::pair<int32_t, const TClassInfo*> cases[] = {
        {1000, &ClassOf<TText>()},   {1001, &ClassOf<TObjectList>()},      {1002, &ClassOf<TID>()},
        {1003, &ClassOf<TIDList>()}, {1004, &ClassOf<TSimpleListEntry>()}, {1005, &ClassOf<TBitmappedListEntry>()},
        {1011, &ClassOf<TDID>()},
    };
    for (const auto& [code, objectClass] : cases) {
        EXPECT_EQ(ClassRegistry().GetClassForID(code).Name(), objectClass->Name()) << code;
        EXPECT_EQ(objectClass->GetRegistrationCode(), code) << objectClass->Name();
    }
}

// --- damaged data ------------------------------------------------------------

TEST(DamagedStream, EveryTruncationOfARealFileIsReportedWithTheFileName)
{
    const std::pair<const char*, Bytes> streams[] = {
        {"id list", ObjectBytes(*SampleIdList())},
        {"nested list", ObjectBytes(*SampleNestedList())},
    };
    TempDir dir;
    const std::string file = dir.File("damaged.dat");
    for (const auto& [what, bytes] : streams) {
        // The whole data loads.
        WriteFile(file, bytes);
        TObjectStream whole(0);
        whole.LoadFromFile(file);
        ASSERT_NO_THROW(whole.GetObject()) << what;
        ASSERT_EQ(whole.Position(), bytes.size()) << what;

        for (size_t length = 0; length < bytes.size(); ++length) {
            WriteFile(file, Prefix(bytes, length));
            TObjectStream stream(TObjectStream::DefaultInitialSize);
            stream.LoadFromFile(file);
            const std::string message = MessageOf<EStreamDamaged>([&] { stream.GetObject(); });
            ASSERT_THAT(message, StartsWith("Die Datei " + file + " ist beschädigt"))
                << what << " cut to " << length << " of " << bytes.size() << " bytes";
        }
    }
}

TEST(DamagedStream, ImpossibleCountsAndLengthsAreRefusedWithoutAllocating)
{
    const int32_t list = TObjectList::GetRegistrationCode();
    const std::pair<const char*, Bytes> cases[] = {
        {"huge list count", ByteBuilder().Long(list).Long(INT32_MAX).Long(1000).String("a").Get()},
        {"huge id list count", ByteBuilder().Long(1003).Long(INT32_MAX).Long(1002).Long(1).Get()},
        {"huge name length", ByteBuilder().Long(1004).Long(1).Long(INT32_MAX).Raw({'a', 'b'}).Get()},
        {"negative name length", ByteBuilder().Long(1004).Long(1).Long(-2).Raw({'a', 'b'}).Get()},
        {"huge text length in a list", ByteBuilder().Long(list).Long(1).Long(1000).Long(0x40000000).Raw({'a'}).Get()},
    };
    for (const auto& [what, bytes] : cases) {
        auto stream = StreamOf(bytes);
        AllocationWatch watch;
        EXPECT_THROW(stream.GetObject(), EStreamDamaged) << what;
        EXPECT_LT(watch.Largest(), 65536u) << what;
    }
}

TEST(DamagedStream, NestingDeeperThanTheLimitIsRefused)
{
    const int limit = TObjectStream::MaxNesting;
    const std::pair<int, bool> cases[] = {{limit, true}, {limit + 1, false}, {200000, false}};
    for (const auto& [depth, loads] : cases) {
        auto stream = StreamOf(NestedLists(depth));
        if (loads)
            EXPECT_NO_THROW(stream.GetObject()) << depth;
        else
            EXPECT_THROW(stream.GetObject(), EStreamDamaged) << depth;
    }
}

TEST(DamagedStream, NestingLimitAppliesToEachObjectNotToTheStream)
{
    const int limit = TObjectStream::MaxNesting;
    // Two documents of the greatest depth, one after the other.
    TObjectStream stream(0);
    Bytes twice = NestedLists(limit);
    const Bytes once = twice;
    twice.insert(twice.end(), once.begin(), once.end());
    stream.LoadFromBytes(twice);
    EXPECT_NO_THROW(stream.GetObject());
    EXPECT_NO_THROW(stream.GetObject());

    // A refused load does not count against the next one.
    stream.LoadFromBytes(NestedLists(limit + 1));
    EXPECT_THROW(stream.GetObject(), EStreamDamaged);
    stream.LoadFromBytes(NestedLists(limit));
    EXPECT_NO_THROW(stream.GetObject());

    // Nor does a load that failed below the top level for another reason.
    stream.LoadFromBytes(ByteBuilder().Raw(Prefix(NestedLists(limit), 8 * (limit - 1))).Long(4711).Get());
    EXPECT_THROW(stream.GetObject(), EClassNotFound);
    stream.LoadFromBytes(NestedLists(limit));
    EXPECT_NO_THROW(stream.GetObject());
}
