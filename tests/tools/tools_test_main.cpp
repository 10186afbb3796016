// Test entry of the command-line tools: the hotkey file classes are registered.
#include <gtest/gtest.h>

#include "hotkeys/hotkeyfile.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    tarvo::InitHotKeyFileClasses();
    return RUN_ALL_TESTS();
}
