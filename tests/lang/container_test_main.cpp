// Test entry of the translation containers and the language switcher: a
// QApplication on the offscreen platform for the test forms, and the
// container classes registered as at start-up.
#include <gtest/gtest.h>

#include <QApplication>

#include <cstdlib>

#include "lang/containermodule.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    tarvo::InitContainerModule();
    const int result = RUN_ALL_TESTS();
    tarvo::FinalizeContainerModule();
    return result;
}
