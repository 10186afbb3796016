#include "lang/dictionary.h"

#include "lang/containerentries.h"

namespace tarvo {

void TDictionaryItem::SaveToStream(TContainerWriter& writer) const
{
    writer.Long(EntryVersion);
    writer.Texts(Texts);
}

void TDictionaryItem::LoadFromStream(TContainerReader& reader)
{
    ReadEntryVersion(reader);
    reader.Texts(Texts);
}

void TDictionary::SaveToStream(TContainerWriter& writer) const
{
    TContainerList<TDictionaryItem>::SaveToStream(writer);
    Languages.SaveToStream(writer);
}

void TDictionary::LoadFromStream(TContainerReader& reader)
{
    TContainerList<TDictionaryItem>::LoadFromStream(reader);
    Languages.LoadFromStream(reader);
}

} // namespace tarvo
