#include "persist/listentry.h"

#include "persist/classregistry.h"
#include "persist/objectstream.h"

namespace tarvo {

std::string TListEntry::GetDescription(int32_t /*kind*/) const
{
    return {};
}

std::vector<std::string> TListEntry::GetStringGridCols(int32_t /*value*/) const
{
    return {};
}

void TSimpleListEntry::Create()
{
    TListEntry::Create();
    Name.clear();
}

void TSimpleListEntry::Store(TObjectStream& stream) const
{
    TListEntry::Store(stream);
    stream.PutString(Name);
}

void TSimpleListEntry::Load(TObjectStream& stream)
{
    TListEntry::Load(stream);
    Name = stream.GetString();
}

void TSimpleListEntry::CopyTo(TStreamableObject& target) const
{
    TListEntry::CopyTo(target);
    CastTo<TSimpleListEntry>(target).Name = Name;
}

std::string TSimpleListEntry::GetDescription(int32_t /*kind*/) const
{
    return Name;
}

void TBitmappedListEntry::Create()
{
    TSimpleListEntry::Create();
    ResourceName.clear();
    BitmapFile.clear();
}

void TBitmappedListEntry::Store(TObjectStream& stream) const
{
    TSimpleListEntry::Store(stream);
    stream.PutLong(StreamVersion);
    stream.PutString(ResourceName);
    stream.PutString(BitmapFile);
}

void TBitmappedListEntry::Load(TObjectStream& stream)
{
    TSimpleListEntry::Load(stream);
    stream.GetLong(); // the version; every stored version has the same fields
    ResourceName = stream.GetString();
    BitmapFile = stream.GetString();
}

void TBitmappedListEntry::CopyTo(TStreamableObject& target) const
{
    TSimpleListEntry::CopyTo(target);
    auto& entry = CastTo<TBitmappedListEntry>(target);
    entry.ResourceName = ResourceName;
    entry.BitmapFile = BitmapFile;
}

uint32_t TBitmappedListEntry::GetMaskColor() const
{
    return 0;
}

std::vector<std::string> TBitmappedListEntry::GetListItemCols(int32_t /*value*/) const
{
    return {};
}

void InitListEntryModule()
{
    auto& registry = ClassRegistry();
    registry.RegisterObjectClass<TSimpleListEntry>();
    registry.RegisterObjectClass<TBitmappedListEntry>();
}

} // namespace tarvo
