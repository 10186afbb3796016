#pragma once
// Helpers of the settings tests.

#include <gtest/gtest.h>

#include <string>

namespace tarvo::testsupport {

// Runs action and expects it to throw Exception with exactly this message.
template <class Exception, class Action>
void ExpectFailure(Action&& action, const std::string& message)
{
    try {
        action();
        ADD_FAILURE() << "nothing thrown; expected: " << message;
    } catch (const Exception& error) {
        EXPECT_EQ(error.what(), message);
    }
}

} // namespace tarvo::testsupport
