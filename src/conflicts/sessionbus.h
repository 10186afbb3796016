#pragma once
// Calls of the holder sources on the session bus: a daemon is asked only
// while it runs, never started for the question, and one that does not
// answer in time is left out.

#include <QDBusMessage>
#include <QLoggingCategory>
#include <QString>
#include <QVariant>

#include <optional>

namespace tarvo::conflicts {

Q_DECLARE_LOGGING_CATEGORY(lcConflicts)

// The reply of the method, or nullopt (logged) when the service does not
// run or the call fails.
std::optional<QDBusMessage> CallIfRunning(const QString& service, const QString& path, const QString& interface,
                                          const QString& method, const QVariantList& arguments = {});

} // namespace tarvo::conflicts
