// Test entry of the message tables and reference lists: a QApplication on
// the offscreen platform for the widgets and message boxes, fake platform
// services so that no test reaches the host's registry, and the modules
// started in the program's order.
#include <gtest/gtest.h>

#include "lang/modules.h"
#include "platform/fake/fakeservices.h"
#include "support/offscreenapplication.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    tarvo::testsupport::TOffscreenApplication application(argc, argv);
    tarvo::platform::TScopedFakeServices isolation;
    tarvo::InitLangModules();
    return RUN_ALL_TESTS();
}
