#pragma once
// Waiting in tests for what arrives through the event loop (a bus's or a
// compositor's answers).

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <functional>

namespace tarvo::testsupport {

// Runs the event loop until condition holds; whether it did in time.
inline bool Until(const std::function<bool()>& condition, int milliseconds = 5000)
{
    const QDeadlineTimer deadline(milliseconds);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

} // namespace tarvo::testsupport
