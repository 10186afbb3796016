// The run-time choice of the window-system backend, with DISPLAY taken from
// the environment service.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/fake/fakeservices.h"
#include "platform/windowsystemservices.h"

using namespace tarvo::platform;

namespace {

TEST(WindowSystemServices, X11WhenTheDisplayIsReachableHeadlessOtherwise)
{
    const char* display = std::getenv("DISPLAY");
    ASSERT_TRUE(display && *display) << "run under scripts/with-xvfb";
    TScopedFakeServices fakes;

    for (const char* unreachable : {"", ":4711"}) {
        fakes.Environment.Variables["DISPLAY"] = unreachable;
        const TWindowSystemChoice choice = InstallWindowSystemServices(Services());
        EXPECT_FALSE(choice.Reached) << unreachable;
        EXPECT_EQ(choice.Problem, std::string("no X server can be reached (DISPLAY=") + unreachable + ")");
        EXPECT_FALSE(Services().HotKeys->Available()) << "headless";
    }

    fakes.Environment.Variables["DISPLAY"] = display;
    const TWindowSystemChoice choice = InstallWindowSystemServices(Services());
    EXPECT_TRUE(choice.Reached);
    EXPECT_EQ(choice.Problem, "");
    EXPECT_TRUE(Services().HotKeys->Available()) << "X11";

    WithdrawWindowSystemServices(Services());
    EXPECT_FALSE(Services().HotKeys->Available()) << "headless again";
}

} // namespace
