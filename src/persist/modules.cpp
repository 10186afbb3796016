#include "persist/modules.h"

#include "persist/classregistry.h"
#include "persist/dates.h"
#include "persist/identified.h"
#include "persist/listentry.h"
#include "persist/objectlist.h"
#include "persist/text.h"

namespace tarvo {

void InitPersistModules()
{
    InitObjectStreamModule();
    InitObjectListModule();
    InitTextModule();
    InitDateModule();
    InitIdentifiedModule();
    InitListEntryModule();
}

void FinalizePersistModules()
{
    FinalizeDateModule();
    FinalizeObjectStreamModule();
}

} // namespace tarvo
