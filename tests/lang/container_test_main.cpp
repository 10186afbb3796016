// Test entry of the translation containers and the language switcher: a
// QApplication on the offscreen platform for the test forms, and the
// container classes registered as at start-up.
#include <gtest/gtest.h>

#include "lang/containermodule.h"
#include "support/offscreenapplication.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    tarvo::testsupport::TOffscreenApplication application(argc, argv);
    tarvo::InitContainerModule();
    const int result = RUN_ALL_TESTS();
    tarvo::FinalizeContainerModule();
    return result;
}
