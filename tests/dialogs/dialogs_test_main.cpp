// Test entry of the dialogs: a QApplication on the offscreen platform, fake
// platform services, the modules started in the program's order.
#include <gtest/gtest.h>

#include "dialogs/dialogstestsupport.h"
#include "platform/fake/fakeservices.h"
#include "support/offscreenapplication.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    tarvo::testsupport::TOffscreenApplication application(argc, argv);
    tarvo::platform::TScopedFakeServices isolation;
    tarvo::testsupport::InitDialogModules();
    return RUN_ALL_TESTS();
}
