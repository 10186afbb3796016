#include "persist/objectlist.h"

#include "persist/classregistry.h"
#include "persist/objectstream.h"

namespace tarvo {

void TObjectList::Create()
{
    TStreamableObject::Create();
    FreeAll();
    Current = -1;
}

void TObjectList::Store(TObjectStream& stream) const
{
    TStreamableObject::Store(stream);
    stream.PutLong(Count());
    for (const auto& object : items_)
        stream.PutObject(*object);
}

void TObjectList::Load(TObjectStream& stream)
{
    Create();
    const int32_t count = stream.GetLong();
    // Each object takes at least its class code, so a count the data cannot
    // back ends in EStreamDamaged before much is read; nothing is reserved ahead.
    for (int32_t i = 0; i < count; ++i)
        items_.push_back(stream.GetObject());
}

void TObjectList::CopyTo(TStreamableObject& target) const
{
    TStreamableObject::CopyTo(target);
    auto& list = CastTo<TObjectList>(target);
    list.FreeAll();
    for (const auto& object : items_)
        list.Add(object->CopyToNew());
}

void TObjectList::CheckIndex(int index, int last) const
{
    if (index < 0 || index > last)
        throw EListError();
}

TStreamableObject* TObjectList::At(int index) const
{
    CheckIndex(index, Count() - 1);
    return items_[static_cast<size_t>(index)].get();
}

int TObjectList::IndexOf(const TStreamableObject* object) const
{
    for (int i = 0; i < Count(); ++i)
        if (items_[static_cast<size_t>(i)].get() == object)
            return i;
    return -1;
}

void TObjectList::Add(ObjectPtr object)
{
    items_.push_back(std::move(object));
}

TObjectList::ObjectPtr TObjectList::Delete(const TStreamableObject* object)
{
    return AtDelete(IndexOf(object));
}

void TObjectList::FreeAll()
{
    for (auto& object : items_)
        object.reset();
    DeleteAll();
}

void TObjectList::AtInsert(int index, ObjectPtr object)
{
    InsertAt(index, std::move(object));
}

void TObjectList::InsertAt(int index, ObjectPtr object)
{
    if (Current >= index)
        ++Current;
    CheckIndex(index, Count());
    items_.insert(items_.begin() + index, std::move(object));
}

TObjectList::ObjectPtr TObjectList::AtDelete(int index)
{
    CheckIndex(index, Count() - 1);
    ObjectPtr object = std::move(items_[static_cast<size_t>(index)]);
    items_.erase(items_.begin() + index);
    if (Current >= index)
        --Current;
    return object;
}

void TObjectList::AtFree(int index)
{
    CheckIndex(index, Count() - 1);
    items_[static_cast<size_t>(index)].reset();
    AtDelete(index);
}

std::vector<TObjectList::ObjectPtr> TObjectList::DeleteAll()
{
    std::vector<ObjectPtr> objects = std::move(items_);
    items_.clear();
    Current = -1;
    return objects;
}

TStreamableObject* TObjectList::Previous()
{
    --Current;
    return Current < 0 ? nullptr : items_[static_cast<size_t>(Current)].get();
}

void TSortedObjectList::Add(ObjectPtr object)
{
    const auto& key = CastTo<const TCompareableObject>(*object);
    int index = 0;
    Search(key, index);
    InsertAt(index, std::move(object));
}

void TSortedObjectList::AtInsert(int /*index*/, ObjectPtr object)
{
    Add(std::move(object));
}

bool TSortedObjectList::Search(const TCompareableObject& key, int& index)
{
    // Only the sign of the lowest byte of a comparison counts.
    auto compare = [&key](const TStreamableObject* object) { return static_cast<int8_t>(key.Compare(*object)); };
    int low = 0;
    int high = Count() - 1;
    while (low <= high) {
        const int mid = (low + high) / 2;
        const int8_t result = compare(At(mid));
        if (result < 0) {
            high = mid - 1;
        } else if (result > 0) {
            low = mid + 1;
        } else {
            // Walk back to the first of the run of equal objects.
            Current = mid;
            for (const TStreamableObject* previous = Previous(); previous && compare(previous) == 0;
                 previous = Previous()) { }
            index = Current + 1;
            return true;
        }
    }
    index = low;
    return false;
}

void InitObjectListModule()
{
    ClassRegistry().RegisterObjectClass<TObjectList>();
}

} // namespace tarvo
