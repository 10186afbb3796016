#include "settings/structureobject.h"

namespace tarvo {

void TStructureObject::DoStore() const
{
    const auto store = GetConfigStructure();
    StoreInConfigStructure(*store);
}

void TStructureObject::DoLoad()
{
    const auto store = GetConfigStructure();
    LoadFromConfigStructure(*store);
}

} // namespace tarvo
