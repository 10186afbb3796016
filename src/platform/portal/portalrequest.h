#pragma once
// Calls of the desktop portal's GlobalShortcuts methods that answer later,
// through a Request object: the caller names the object's last path element
// (handle_token), so that the answer is subscribed to before the call is made
// and cannot be missed.

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QVariantMap>

#include <functional>

namespace tarvo::platform::portal {

inline constexpr const char* PortalService = "org.freedesktop.portal.Desktop";
inline constexpr const char* PortalPath = "/org/freedesktop/portal/desktop";
inline constexpr const char* GlobalShortcutsInterface = "org.freedesktop.portal.GlobalShortcuts";

// The Request's answer: 0 success, 1 cancelled by the user, 2 ended otherwise
// (also when the call itself failed), and the results.
using TResponseHandler = std::function<void(uint32_t response, const QVariantMap& results)>;

// A token for a Request's or Session's object path, new within the process.
QString NewToken();

// Calls the GlobalShortcuts method with the arguments, to which the options
// are appended with a handle_token added, and passes the Request's answer to
// onResponse, from the event loop. The request belongs to parent: it is
// dropped unanswered when parent goes.
void StartRequest(QDBusConnection bus, const QString& method, const QList<QVariant>& arguments, QVariantMap options,
                  QObject* parent, TResponseHandler onResponse);

// One Request under way.
class TPortalRequest : public QObject {
    Q_OBJECT
public:
    TPortalRequest(QDBusConnection bus, QObject* parent, TResponseHandler onResponse);
    // Subscribes to the answer at path, in place of any path before.
    void Watch(const QString& path);
    void Fail();

private slots:
    void Response(const QDBusMessage& message);

private:
    QDBusConnection bus_;
    QString path_;
    TResponseHandler onResponse_;
};

} // namespace tarvo::platform::portal
