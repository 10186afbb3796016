#pragma once
// Waiting in tests for what arrives through the event loop (a bus's or a
// compositor's answers).

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <functional>

namespace tarvo::testsupport {

// Runs the event loop until condition holds; whether it did in time. The
// default is generous: a loaded machine answers slowly.
inline bool Until(const std::function<bool()>& condition, int milliseconds = 20000)
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
