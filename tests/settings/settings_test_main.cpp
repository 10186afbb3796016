// Test entry of the settings: every test runs on fake platform services, so
// that no test can reach the host's registry files; tests that need their
// own fakes install them on top.
#include <gtest/gtest.h>

#include "platform/fake/fakeservices.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    tarvo::platform::TScopedFakeServices isolation;
    return RUN_ALL_TESTS();
}
