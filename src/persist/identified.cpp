#include "persist/identified.h"

#include <algorithm>

#include "persist/classregistry.h"
#include "persist/objectstream.h"

namespace tarvo {

void TID::Create()
{
    TCompareableObject::Create();
    ID = NoID;
}

void TID::Store(TObjectStream& stream) const
{
    TCompareableObject::Store(stream);
    stream.PutLong(ID);
}

void TID::Load(TObjectStream& stream)
{
    TCompareableObject::Load(stream);
    ID = stream.GetLong();
}

void TID::CopyTo(TStreamableObject& target) const
{
    TCompareableObject::CopyTo(target);
    CastTo<TID>(target).ID = ID;
}

int TID::Compare(const TStreamableObject& other) const
{
    return CompareValues(ID, CastTo<const TID>(other).ID);
}

void TDID::Create()
{
    TID::Create();
    SubID = NoID;
}

void TDID::Store(TObjectStream& stream) const
{
    TID::Store(stream);
    stream.PutInt(SubID);
}

void TDID::Load(TObjectStream& stream)
{
    TID::Load(stream);
    SubID = stream.GetInt();
}

void TDID::CopyTo(TStreamableObject& target) const
{
    TID::CopyTo(target);
    CastTo<TDID>(target).SubID = SubID;
}

int TDID::Compare(const TStreamableObject& other) const
{
    if (const int byId = TID::Compare(other); byId != 0)
        return byId;
    return CompareValues(SubID, CastTo<const TDID>(other).SubID);
}

void TIDList::Create()
{
    TSortedObjectList::Create();
    LastID = TID::NoID;
}

void TIDList::Store(TObjectStream& stream) const
{
    TSortedObjectList::Store(stream);
    stream.PutLong(LastID);
}

void TIDList::Load(TObjectStream& stream)
{
    TSortedObjectList::Load(stream);
    LastID = stream.GetLong();
}

void TIDList::CopyTo(TStreamableObject& target) const
{
    TSortedObjectList::CopyTo(target);
    CastTo<TIDList>(target).LastID = LastID;
}

void TIDList::Add(ObjectPtr object)
{
    if (CastTo<TID>(*object).ID == TID::NoID)
        AddNew(std::move(object));
    else
        TSortedObjectList::Add(std::move(object));
}

void TIDList::FreeAll()
{
    TSortedObjectList::FreeAll();
    RecalcLastID();
}

int TIDList::SearchID(int32_t id)
{
    const TID key(id);
    int index = -1;
    return Search(key, index) ? index : -1;
}

void TIDList::AddNew(ObjectPtr object)
{
    auto& identified = CastTo<TID>(*object);
    ++LastID;
    identified.ID = LastID;
    TSortedObjectList::Add(std::move(object));
}

TID* TIDList::ObjectWithID(int32_t id)
{
    const int index = SearchID(id);
    return index < 0 ? nullptr : AtAs<TID>(index);
}

bool TIDList::IDExists(int32_t id)
{
    return ObjectWithID(id) != nullptr;
}

void TIDList::FreeID(int32_t id)
{
    if (const int index = SearchID(id); index >= 0)
        AtFree(index);
}

void TIDList::RecalcLastID()
{
    LastID = TID::NoID;
    for (int i = 0; i < Count(); ++i)
        LastID = std::max(LastID, AtAs<TID>(i)->ID);
}

void InitIdentifiedModule()
{
    auto& registry = ClassRegistry();
    registry.RegisterObjectClass<TID>();
    registry.RegisterObjectClass<TIDList>();
    registry.RegisterObjectClass<TDID>();
}

} // namespace tarvo
