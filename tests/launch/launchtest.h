#pragma once
// The fixture of the launch tests: the X11 services under test, the tests'
// own X connection, a scratch directory and hotkeys built for one test.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "hotkeys/hotkey.h"
#include "support/testsupport.h"
#include "xdesktop.h"

namespace tarvo::launchtest {

// Set by the test main: whether an X server was reached.
extern bool XServicesInstalled;

class LaunchTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(XServicesInstalled) << "no X server: the launch tests need one; run them under "
                                           "scripts/with-xvfb (DISPLAY is "
                                        << (std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "unset") << ")";
        display.emplace();
    }

    // Adds a command to the test's hotkey.
    THotKeyCommand& AddCommand(const std::string& file, const std::string& parameters = "",
                               const std::string& lookFor = "")
    {
        auto command = std::make_unique<THotKeyCommand>();
        command->FileName = file;
        command->Parameters = parameters;
        command->LookForWindow = lookFor;
        THotKeyCommand& added = *command;
        hotkey.Commands->AddNew(std::move(command));
        return added;
    }

    // Waits for the probe's report and returns its lines; empty when none came.
    std::vector<std::string> ReportLines(const std::string& report) const
    {
        if (!WaitFor([&] { return std::filesystem::exists(report); }))
            return {};
        std::vector<std::string> lines;
        std::istringstream in(testsupport::ReadTextFile(report));
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    std::optional<TTestDisplay> display;
    testsupport::TempDir scratch;
    THotTarvo hotkey;
};

// A launch test run once under each window manager, and once without one.
class LaunchTestUnderWm : public LaunchTest, public testing::WithParamInterface<TWm> {
protected:
    void SetUp() override
    {
        if (!WmInstalled(GetParam()))
            GTEST_SKIP() << WmName(GetParam()) << " is not installed (scripts/setup installs it)";
        LaunchTest::SetUp();
        if (!HasFatalFailure() && WindowManager())
            wm.emplace(*display, GetParam());
    }

    bool WindowManager() const { return GetParam() != TWm::None; }

    std::optional<TRunningWm> wm;
};

// Instantiates the suite of a LaunchTestUnderWm fixture for every window manager.
#define INSTANTIATE_UNDER_EACH_WM(suite)                                                                               \
    INSTANTIATE_TEST_SUITE_P(, suite, testing::Values(TWm::None, TWm::Openbox, TWm::Xfwm4),                            \
                             [](const auto& info) { return WmName(info.param); })

} // namespace tarvo::launchtest
