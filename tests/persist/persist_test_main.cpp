// Test entry of the persistence library: the library's modules start as the
// program starts them.
#include <gtest/gtest.h>

#include "persist/modules.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    tarvo::InitPersistModules();
    const int result = RUN_ALL_TESTS();
    tarvo::FinalizePersistModules();
    return result;
}
