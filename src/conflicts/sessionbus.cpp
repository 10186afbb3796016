#include "conflicts/sessionbus.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>

namespace tarvo::conflicts {

Q_LOGGING_CATEGORY(lcConflicts, "tarvo.conflicts", QtWarningMsg)

namespace {

// The stores answer from memory; a daemon that hangs must not hold up the
// dialog that asks while the user types.
constexpr int CallTimeout = 3000;

} // namespace

std::optional<QDBusMessage> CallIfRunning(const QString& service, const QString& path, const QString& interface,
                                          const QString& method, const QVariantList& arguments)
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(service).value())
        return std::nullopt;
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, method);
    call.setArguments(arguments);
    call.setAutoStartService(false);
    QDBusMessage reply = bus.call(call, QDBus::Block, CallTimeout);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        qCWarning(lcConflicts).noquote() << service + " " + path + " " + method + ":" << reply.errorMessage();
        return std::nullopt;
    }
    return reply;
}

} // namespace tarvo::conflicts
