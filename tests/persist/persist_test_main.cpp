// Test entry of the persistence library: the library's modules start in the
// order the program starts them.
#include <gtest/gtest.h>

#include "persist/classregistry.h"
#include "persist/dates.h"
#include "persist/identified.h"
#include "persist/listentry.h"
#include "persist/objectlist.h"
#include "persist/text.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    tarvo::InitObjectStreamModule();
    tarvo::InitObjectListModule();
    tarvo::InitTextModule();
    tarvo::InitDateModule();
    tarvo::InitIdentifiedModule();
    tarvo::InitListEntryModule();
    const int result = RUN_ALL_TESTS();
    tarvo::FinalizeDateModule();
    tarvo::FinalizeObjectStreamModule();
    return result;
}
