#include "platform/portal/portalrequest.h"

#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QLoggingCategory>

namespace tarvo::platform::portal {

Q_LOGGING_CATEGORY(lcPortalRequest, "tarvo.platform.portal")

namespace {

constexpr const char* RequestInterface = "org.freedesktop.portal.Request";
constexpr uint32_t ResponseFailed = 2;

// The Request object the portal makes for the token: its path holds the
// caller's unique bus name without the colon, dots made underscores.
QString RequestPath(const QDBusConnection& bus, const QString& token)
{
    QString sender = bus.baseService().mid(1);
    sender.replace('.', '_');
    return QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token);
}

} // namespace

TPortalRequest::TPortalRequest(QDBusConnection bus, QObject* parent, TResponseHandler onResponse)
    : QObject(parent), bus_(std::move(bus)), onResponse_(std::move(onResponse))
{
}

void TPortalRequest::Watch(const QString& path)
{
    if (path == path_)
        return;
    if (!path_.isEmpty())
        bus_.disconnect(PortalService, path_, RequestInterface, "Response", this, SLOT(Response(QDBusMessage)));
    path_ = path;
    bus_.connect(PortalService, path_, RequestInterface, "Response", this, SLOT(Response(QDBusMessage)));
}

void TPortalRequest::Fail()
{
    onResponse_(ResponseFailed, {});
    deleteLater();
}

void TPortalRequest::Response(const QDBusMessage& message)
{
    const QList<QVariant> arguments = message.arguments();
    bus_.disconnect(PortalService, path_, RequestInterface, "Response", this, SLOT(Response(QDBusMessage)));
    onResponse_(arguments.value(0).toUInt(), qdbus_cast<QVariantMap>(arguments.value(1)));
    deleteLater();
}

QString NewToken()
{
    static int lastToken = 0;
    return QStringLiteral("tarvo%1").arg(++lastToken);
}

void StartRequest(QDBusConnection bus, const QString& method, const QList<QVariant>& arguments, QVariantMap options,
                  QObject* parent, TResponseHandler onResponse)
{
    const QString token = NewToken();
    options.insert("handle_token", token);
    auto* request = new TPortalRequest(bus, parent, std::move(onResponse));
    request->Watch(RequestPath(bus, token));

    QDBusMessage call = QDBusMessage::createMethodCall(PortalService, PortalPath, GlobalShortcutsInterface, method);
    call.setArguments(QList<QVariant>(arguments) << options);
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), request);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, request,
                     [request, method](QDBusPendingCallWatcher* call) {
                         call->deleteLater();
                         const QDBusPendingReply<QDBusObjectPath> reply = *call;
                         if (reply.isError()) {
                             qCWarning(lcPortalRequest).noquote()
                                 << "the desktop portal refused" << method << ":" << reply.error().message();
                             request->Fail();
                             return;
                         }
                         // Portals older than the handle_token chose the path themselves.
                         request->Watch(reply.value().path());
                     });
}

} // namespace tarvo::platform::portal
