#include "lang/containerlanguages.h"

namespace tarvo {

void TLngId::SaveToStream(TContainerWriter& writer) const
{
    writer.Long(Id);
}

void TLngId::LoadFromStream(TContainerReader& reader)
{
    Id = static_cast<TLangid>(reader.Long() & 0xFF);
}

TLangid TLngLst::GetLangId(int index) const
{
    const TLngId* slot = Get(index);
    return slot ? slot->Id : lgNEUTRAL;
}

int TLngLst::AddLangId(TLangid id)
{
    for (int i = 0; i < Count(); ++i)
        if (Get(i) && Get(i)->Id == id)
            return i;
    return Add(std::make_unique<TLngId>(id));
}

} // namespace tarvo
