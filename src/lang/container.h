#pragma once
// The translation container library's own small persistence layer, apart
// from the object stream: objects that store themselves as a class name
// followed by their data, the register that maps class names back to classes,
// and the owning container list.
//
// A class in the register is created with its parameterless constructor and
// then reads its data with its LoadFromStream; storing calls SaveToStream.

#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "lang/containererrors.h"
#include "lang/containerstream.h"

namespace tarvo {

class TContainerObject {
public:
    TContainerObject() = default;
    virtual ~TContainerObject() = default;
    TContainerObject(const TContainerObject&) = delete;
    TContainerObject& operator=(const TContainerObject&) = delete;

    // The name the class is registered and stored under.
    virtual std::string_view ClassName() const = 0;
    virtual void SaveToStream(TContainerWriter& writer) const = 0;
    // Reads the data SaveToStream wrote, adding to what the object holds.
    virtual void LoadFromStream(TContainerReader& reader) = 0;
    // Takes over from the object this one was cloned from what the data does
    // not carry (an entry's bound component).
    virtual void CopyUnstoredState(const TContainerObject& /*original*/) { }
};

// Declares the class's stored name. Put it first in the class body; it
// leaves the access at public.
#define TARVO_CONTAINER_CLASS(Class)                                                                                   \
public:                                                                                                                \
    static constexpr std::string_view StaticClassName = #Class;                                                        \
    std::string_view ClassName() const override                                                                        \
    {                                                                                                                  \
        return StaticClassName;                                                                                        \
    }

// The process-wide register of stored classes by name. Names are compared
// without regard to (ASCII) case; registering a name that is there already
// changes nothing.
class TContainerClassRegister {
public:
    using Factory = std::unique_ptr<TContainerObject> (*)();

    void Register(std::string_view className, Factory factory);
    // nullptr when no class is registered under the name.
    Factory Find(std::string_view className) const;

private:
    struct TCaseInsensitiveLess {
        bool operator()(const std::string& a, const std::string& b) const;
    };
    std::map<std::string, Factory, TCaseInsensitiveLess> classes_;
};

// The register; exists between InitContainerModule and FinalizeContainerModule.
TContainerClassRegister& ContainerClasses();
// Creates an empty register, replacing any earlier one; frees it.
void CreateContainerClassRegister();
void DestroyContainerClassRegister();

template <class T>
void RegisterContainerClass()
{
    ContainerClasses().Register(T::StaticClassName,
                                []() -> std::unique_ptr<TContainerObject> { return std::make_unique<T>(); });
}

// Class names are stored and looked up with at most this many characters.
inline constexpr size_t MaxClassNameLength = 63;

// Writes the object's class name as a short string, then its data.
// EContainerClassNotFound for no object ("Nil Source Class!") and for a class
// that is not registered ("Source Class <%s> not registered").
void StoreObject(const TContainerObject* object, TContainerWriter& writer);

// Reads a class name and creates an instance of the class registered under
// it (EContainerClassNotFound "Class <%s> not registered" when there is none).
// The instance is handed back before it has read any data.
std::unique_ptr<TContainerObject> CreateStoredObject(TContainerReader& reader);

// Reads a stored object that must be a T: an object of another class is
// damaged data, refused before it reads anything, so that damaged data
// cannot nest lists in lists without end.
template <class T>
std::unique_ptr<T> LoadObject(TContainerReader& reader)
{
    const size_t start = reader.Position();
    auto object = CreateStoredObject(reader);
    auto* typed = dynamic_cast<T*>(object.get());
    if (!typed)
        throw EContainerDamaged(start, "a " + std::string(object->ClassName()) + " where it cannot be held");
    object.release();
    std::unique_ptr<T> result(typed);
    result->LoadFromStream(reader);
    return result;
}

// A deep copy, made by storing the object and loading it back; the copy then
// takes over the original's unstored state. Raises as StoreObject.
template <class T>
std::unique_ptr<T> CloneObject(const T* object)
{
    TContainerWriter writer;
    StoreObject(object, writer);
    TContainerReader reader(writer.Bytes());
    auto copy = LoadObject<T>(reader);
    copy->CopyUnstoredState(*object);
    return copy;
}

// Reads the object's data from a whole block: EContainerDamaged when the
// block holds more than that data.
void LoadFromBlock(TContainerObject& object, std::span<const uint8_t> block);

// The data SaveToStream writes, as a block.
std::vector<uint8_t> SaveToBlock(const TContainerObject& object);

// ---- container lists ----

// Largest capacity of a container list.
inline constexpr int MaxListCapacity = 16383;

// The capacity after one growth step: +4 up to 4, +8 up to 8, +16 above.
int GrownCapacity(int capacity);

// Raises EContainerListError "tObjectList Index Eror!".
[[noreturn]] void RaiseListIndexError();
// Raises EContainerListError "tObject <class> not in item list".
[[noreturn]] void RaiseNotInList(const TContainerObject& item);

enum class TNeighbour { Previous = 0, Next = 1 };

// An owning list of Item objects with a 16-bit count. Positions may be empty
// (nullptr) after SetCount or FreeAt; Pack removes them. Whatever the stored
// owns-flag says, the list owns what it holds: nothing else can.
template <class Item>
class TContainerList : public TContainerObject {
public:
    using ItemPtr = std::unique_ptr<Item>;

    int Count() const { return static_cast<int>(items_.size()); }
    int Capacity() const { return capacity_; }

    // The item at index (0 .. Count-1, else the list error).
    Item* Get(int index) const
    {
        CheckIndex(index, Count() - 1);
        return items_[static_cast<size_t>(index)].get();
    }

    // Puts item at index and hands back the one it replaces.
    ItemPtr Put(int index, ItemPtr item)
    {
        CheckIndex(index, Count() - 1);
        std::swap(items_[static_cast<size_t>(index)], item);
        return item;
    }

    // Appends the item and returns its index.
    int Add(ItemPtr item)
    {
        if (Count() == capacity_)
            Grow();
        items_.push_back(std::move(item));
        return Count() - 1;
    }

    // Inserts at index (0 .. Count), moving the items from there one place up.
    void Insert(int index, ItemPtr item)
    {
        CheckIndex(index, Count());
        if (Count() == capacity_)
            Grow();
        items_.insert(items_.begin() + index, std::move(item));
    }

    // Removes the item at index and hands it to the caller.
    ItemPtr Delete(int index)
    {
        ItemPtr item = Put(index, nullptr);
        items_.erase(items_.begin() + index);
        return item;
    }

    // The first position holding this very object, -1 when none does.
    int IndexOf(const Item* item) const
    {
        for (int i = 0; i < Count(); ++i)
            if (items_[static_cast<size_t>(i)].get() == item)
                return i;
        return -1;
    }

    Item* First() const { return Get(0); }
    Item* Last() const { return Get(Count() - 1); }

    // The item after or before item; nullptr past either end. Without an
    // item, Next answers First and Previous answers Last.
    Item* Neighbour(const Item* item, TNeighbour direction) const
    {
        if (!item)
            return direction == TNeighbour::Next ? First() : Last();
        const int index = IndexOf(item);
        if (index < 0)
            RaiseNotInList(*item);
        const int neighbour = direction == TNeighbour::Next ? index + 1 : index - 1;
        return neighbour >= 0 && neighbour < Count() ? Get(neighbour) : nullptr;
    }

    // Destroys the item at index and leaves the position empty.
    void FreeAt(int index) { Put(index, nullptr); }

    // Destroys every item; count and capacity become 0.
    void FreeAll()
    {
        items_.clear();
        capacity_ = 0;
    }

    // Removes the empty positions, keeping the order of the others.
    void Pack() { std::erase(items_, nullptr); }

    // Room for n items: n from Count to MaxListCapacity, else the list error.
    void SetCapacity(int n)
    {
        if (n == capacity_)
            return;
        if (n < Count() || n > MaxListCapacity)
            RaiseListIndexError();
        items_.reserve(static_cast<size_t>(n));
        capacity_ = n;
    }

    // Adds empty positions or destroys the items from n on.
    void SetCount(int n)
    {
        if (n < 0 || n > MaxListCapacity)
            RaiseListIndexError();
        if (n > capacity_)
            SetCapacity(n);
        items_.resize(static_cast<size_t>(n));
    }

    // The owns flag (1), the 16-bit count, then each item as a stored object.
    void SaveToStream(TContainerWriter& writer) const override
    {
        writer.Byte(1);
        writer.Word(static_cast<int16_t>(Count()));
        for (const auto& item : items_)
            StoreObject(item.get(), writer);
    }

    // Appends the stored items, making room for all of them in one step.
    void LoadFromStream(TContainerReader& reader) override
    {
        reader.Byte(); // the owns flag: the list owns what it loads whatever it says
        const int16_t count = reader.Word();
        reader.CheckCount(count, 1);
        if (capacity_ - Count() < count)
            SetCapacity(Count() + count);
        for (int i = 0; i < count; ++i)
            Add(LoadObject<Item>(reader));
    }

private:
    static void CheckIndex(int index, int last)
    {
        if (index < 0 || index > last)
            RaiseListIndexError();
    }

    void Grow() { SetCapacity(GrownCapacity(capacity_)); }

    std::vector<ItemPtr> items_;
    int capacity_ = 0;
};

} // namespace tarvo
