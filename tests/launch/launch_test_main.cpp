// Test entry of the launch tests: the hotkey classes are registered and the
// X11 services installed, as at program start.
#include <gtest/gtest.h>

#include "hotkeys/hotkeyfile.h"
#include "launchtest.h"
#include "persist/modules.h"
#include "platform/services.h"
#include "platform/x11/x11services.h"

bool tarvo::launchtest::XServicesInstalled = false;

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    tarvo::InitHotKeyFileClasses();
    tarvo::launchtest::XServicesInstalled = tarvo::platform::x11::InstallX11Services(tarvo::platform::Services());
    const int result = RUN_ALL_TESTS();
    tarvo::FinalizePersistModules();
    return result;
}
