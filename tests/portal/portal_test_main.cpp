// The main of the portal tests: an event loop for the bus's answers, and the
// classes of hotkey files.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include "hotkeys/hotkeyfile.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    QCoreApplication application(argc, argv);
    tarvo::InitHotKeyFileClasses();
    return RUN_ALL_TESTS();
}
