#include "lang/containermodule.h"

#include "lang/containerentries.h"
#include "lang/dictionary.h"

namespace tarvo {

void InitContainerModule()
{
    CreateContainerClassRegister();
    RegisterContainerClass<TLngId>();
    RegisterContainerClass<TLngLst>();
    RegisterContainerClass<TCIStr>();
    RegisterContainerClass<TCIStrList>();
    RegisterContainerClass<TCIStPanels>();
    RegisterContainerClass<TCIHdCtrl>();
    RegisterContainerClass<TCIListClmns>();
    RegisterContainerClass<TInfoList>();
    RegisterContainerClass<TDictionaryItem>();
    RegisterContainerClass<TDictionary>();
}

void FinalizeContainerModule()
{
    DestroyContainerClassRegister();
}

} // namespace tarvo
