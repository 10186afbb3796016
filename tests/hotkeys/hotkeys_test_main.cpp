// Test entry of the hotkey model: the classes a hotkey file holds are
// registered as at program start.
#include <gtest/gtest.h>

#include "hotkeys/hotkeyfile.h"
#include "persist/modules.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    tarvo::InitHotKeyFileClasses();
    const int result = RUN_ALL_TESTS();
    tarvo::FinalizePersistModules();
    return result;
}
