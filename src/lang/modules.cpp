#include "lang/modules.h"

#include "lang/containermodule.h"
#include "lang/message.h"
#include "lang/messageintl.h"
#include "persist/modules.h"

namespace tarvo {

void InitLangModules()
{
    InitPersistModules();
    InitIntlMessagesModule();
    InitContainerModule();
    InitAppMessageModule();
}

void FinalizeLangModules()
{
    FinalizeContainerModule();
    FinalizeIntlMessagesModule();
    FinalizePersistModules();
}

} // namespace tarvo
