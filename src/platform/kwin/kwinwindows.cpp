#include "platform/kwin/kwinwindows.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QTemporaryFile>
#include <QDir>
#include <QThread>

#include "platform/errors.h"

namespace tarvo::platform::kwin {

namespace {

Q_LOGGING_CATEGORY(lcKWin, "tarvo.platform.kwin")

constexpr const char* KWinService = "org.kde.KWin";
constexpr const char* ScriptingInterface = "org.kde.kwin.Scripting";
// A script answers within a few milliseconds; a KWin that takes longer is
// busy, and the command goes on as if no window were found.
constexpr std::chrono::milliseconds AnswerTimeout{2000};

// Lists the windows, topmost first, for TopLevelWindows.
constexpr const char* ListWindows = R"(
var active = workspace.activeClient;
var windows = workspace.clientList().filter(function (c) { return c.normalWindow || c.dialog; });
windows.sort(function (a, b) { return b.stackingOrder - a.stackingOrder; });
answer(JSON.stringify(windows.map(function (c) {
    return {id: c.internalId.toString(), title: c.caption, instance: c.resourceName,
            windowClass: c.resourceClass, appId: c.desktopFileName, active: c === active};
})));
)";

// Brings back the window whose id WINDOW is replaced by.
constexpr const char* ActivateWindow = R"(
workspace.clientList().forEach(function (c) {
    if (c.internalId.toString() !== WINDOW)
        return;
    if (c.minimized)
        c.minimized = false;
    if (!c.onAllDesktops && c.desktop > 0)
        workspace.currentDesktop = c.desktop;
    workspace.activeClient = c;
});
)";

QString JsString(const QString& text)
{
    return QString::fromUtf8(QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact)).mid(1).chopped(1);
}

} // namespace

bool KWinOffersScripting(const QDBusConnection& bus)
{
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(KWinService))
        return false;
    const QDBusMessage introspect =
        QDBusMessage::createMethodCall(KWinService, "/Scripting", "org.freedesktop.DBus.Introspectable", "Introspect");
    const QDBusReply<QString> reply = bus.call(introspect);
    return reply.isValid() && reply.value().contains(ScriptingInterface);
}

std::optional<QString> TScriptAnswers::Await(const QString& request, std::chrono::milliseconds timeout)
{
    std::unique_lock lock(mutex_);
    if (!arrived_.wait_for(lock, timeout, [&] { return answers_.count(request) != 0; }))
        return std::nullopt;
    return answers_.extract(request).mapped();
}

void TScriptAnswers::Answer(const QString& request, const QString& answer)
{
    {
        std::lock_guard lock(mutex_);
        answers_[request] = answer;
    }
    arrived_.notify_all();
}

TKWinWindowSystem::TKWinWindowSystem(QDBusConnection bus)
    : bus_(std::move(bus)), answerThread_(std::make_unique<QThread>()), answers_(std::make_unique<TScriptAnswers>()),
      answerPath_(QStringLiteral("/org/tarvo/KWinScriptAnswers"))
{
    answers_->moveToThread(answerThread_.get());
    if (!bus_.registerObject(answerPath_, answers_.get(), QDBusConnection::ExportScriptableSlots))
        throw EWindowSystemError("cannot receive the answers of KWin's scripts on the session bus");
    answerThread_->start();
}

TKWinWindowSystem::~TKWinWindowSystem()
{
    bus_.unregisterObject(answerPath_);
    answerThread_->quit();
    answerThread_->wait();
    answers_.reset(); // its thread has ended: no event can reach it any more
}

std::optional<QString> TKWinWindowSystem::RunScript(const QString& body, bool awaitAnswer) const
{
    const QString request = QString::number(++requests_);
    const QString script = QStringLiteral("function answer(text) { callDBus(%1, %2, %3, \"Answer\", %4, text); }\n")
                               .arg(JsString(bus_.baseService()), JsString(answerPath_),
                                    JsString(QStringLiteral("org.tarvo.KWinScriptAnswers")), JsString(request))
        + body;
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/tarvo-kwin-XXXXXX.js"));
    if (!file.open() || file.write(script.toUtf8()) < 0 || !file.flush()) {
        qCWarning(lcKWin) << "cannot write a KWin script:" << file.errorString();
        return std::nullopt;
    }
    const QString plugin = QStringLiteral("tarvo-") + request;
    const QDBusReply<int> id =
        bus_.call(QDBusMessage::createMethodCall(KWinService, "/Scripting", ScriptingInterface, "loadScript")
                  << file.fileName() << plugin);
    std::optional<QString> answer;
    if (!id.isValid() || id.value() < 0) {
        qCWarning(lcKWin) << "KWin did not load a script:" << id.error().message();
    } else {
        bus_.call(QDBusMessage::createMethodCall(KWinService, QStringLiteral("/%1").arg(id.value()),
                                                 "org.kde.kwin.Script", "run"));
        if (awaitAnswer) {
            answer = answers_->Await(request, AnswerTimeout);
            if (!answer)
                qCWarning(lcKWin) << "KWin's script did not answer in time";
        }
    }
    bus_.call(QDBusMessage::createMethodCall(KWinService, "/Scripting", ScriptingInterface, "unloadScript") << plugin);
    return answer;
}

TWindowId TKWinWindowSystem::IdOf(const std::string& kwinId) const
{
    const auto [entry, added] = ids_.try_emplace(kwinId, static_cast<TWindowId>(ids_.size() + 1));
    return entry->second;
}

std::vector<TTopLevelWindow> TKWinWindowSystem::TopLevelWindows() const
{
    const std::optional<QString> answer = RunScript(QString::fromLatin1(ListWindows), true);
    std::vector<TTopLevelWindow> windows;
    if (!answer)
        return windows;
    for (const QJsonValue& value : QJsonDocument::fromJson(answer->toUtf8()).array()) {
        const QJsonObject window = value.toObject();
        // A native Wayland window has its app id as its class; KWin names
        // the desktop file it found for it too.
        QString windowClass = window[QStringLiteral("windowClass")].toString();
        if (windowClass.isEmpty())
            windowClass = window[QStringLiteral("appId")].toString();
        windows.push_back({IdOf(window[QStringLiteral("id")].toString().toStdString()),
                           window[QStringLiteral("title")].toString().toStdString(),
                           window[QStringLiteral("instance")].toString().toStdString(), windowClass.toStdString(),
                           window[QStringLiteral("active")].toBool()});
    }
    return windows;
}

void TKWinWindowSystem::RestoreAndActivate(TWindowId window)
{
    for (const auto& [kwinId, id] : ids_)
        if (id == window)
            RunScript(QString::fromLatin1(ActivateWindow)
                          .replace(QStringLiteral("WINDOW"), JsString(QString::fromStdString(kwinId))),
                      false);
}

} // namespace tarvo::platform::kwin
