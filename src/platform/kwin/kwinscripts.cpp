#include "platform/kwin/kwinscripts.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLoggingCategory>
#include <QMetaObject>
#include <QTemporaryFile>
#include <QThread>

#include "platform/errors.h"

namespace tarvo::platform::kwin {

namespace {

Q_LOGGING_CATEGORY(lcKWin, "tarvo.platform.kwin")

constexpr const char* KWinService = "org.kde.KWin";
constexpr const char* ScriptingInterface = "org.kde.kwin.Scripting";
constexpr const char* AnswersInterface = "org.tarvo.KWinScriptAnswers";
// A script answers within a few milliseconds; a KWin that takes longer is
// busy, and the command goes on as if no window were found.
constexpr std::chrono::milliseconds AnswerTimeout{2000};

// Tells of every window KWin adds from now on.
constexpr const char* WatchAddedWindows = R"(
workspace.clientAdded.connect(function (c) { windowAdded(c.internalId.toString(), String(c.pid)); });
)";

} // namespace

QString JsString(const QString& text)
{
    return QString::fromUtf8(QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact)).mid(1).chopped(1);
}

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

std::optional<TAddedWindow> TScriptAnswers::AwaitAddedWindow(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(mutex_);
    if (!arrived_.wait_for(lock, timeout, [&] { return !addedWindows_.empty(); }))
        return std::nullopt;
    TAddedWindow window = addedWindows_.front();
    addedWindows_.pop_front();
    return window;
}

void TScriptAnswers::SetOnAdded(QObject* context, std::function<void()> onAdded)
{
    std::lock_guard lock(mutex_);
    onAddedContext_ = context;
    onAdded_ = std::move(onAdded);
}

void TScriptAnswers::Answer(const QString& request, const QString& answer)
{
    {
        std::lock_guard lock(mutex_);
        answers_[request] = answer;
    }
    arrived_.notify_all();
}

void TScriptAnswers::WindowAdded(const QString& window, const QString& process)
{
    {
        std::lock_guard lock(mutex_);
        addedWindows_.push_back({window, process.toLongLong()});
        // Posted while the lock keeps the context from going; once it is
        // gone, Qt drops what was posted to it.
        if (onAddedContext_)
            QMetaObject::invokeMethod(onAddedContext_, onAdded_, Qt::QueuedConnection);
    }
    arrived_.notify_all();
}

TKWinScripts::TKWinScripts(QDBusConnection bus)
    : bus_(std::move(bus)), answerThread_(std::make_unique<QThread>()), answers_(std::make_unique<TScriptAnswers>()),
      answerPath_(QStringLiteral("/org/tarvo/KWinScriptAnswers"))
{
    answers_->moveToThread(answerThread_.get());
    if (!bus_.registerObject(answerPath_, answers_.get(), QDBusConnection::ExportScriptableSlots))
        throw EWindowSystemError("cannot receive the answers of KWin's scripts on the session bus");
    answerThread_->start();
}

TKWinScripts::~TKWinScripts()
{
    StopWatchingWindows();
    bus_.unregisterObject(answerPath_);
    answerThread_->quit();
    answerThread_->wait();
    answers_.reset(); // its thread has ended: no event can reach it any more
}

bool TKWinScripts::Load(const QString& body, const QString& plugin)
{
    // answer(text) answers this script's request; windowAdded(id, pid)
    // tells of a window.
    const QString receiver =
        QStringLiteral("%1, %2, %3")
            .arg(JsString(bus_.baseService()), JsString(answerPath_), JsString(QString::fromLatin1(AnswersInterface)));
    const QString script = QStringLiteral("function answer(text) { callDBus(%1, \"Answer\", %2, text); }\n"
                                          "function windowAdded(id, pid) { callDBus(%1, \"WindowAdded\", id, pid); }\n")
                               .arg(receiver, JsString(plugin))
        + body;
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/tarvo-kwin-XXXXXX.js"));
    if (!file.open() || file.write(script.toUtf8()) < 0 || !file.flush()) {
        qCWarning(lcKWin) << "cannot write a KWin script:" << file.errorString();
        return false;
    }
    const QDBusReply<int> id =
        bus_.call(QDBusMessage::createMethodCall(KWinService, "/Scripting", ScriptingInterface, "loadScript")
                  << file.fileName() << plugin);
    if (!id.isValid() || id.value() < 0) {
        qCWarning(lcKWin) << "KWin did not load a script:" << id.error().message();
        return false;
    }
    bus_.call(QDBusMessage::createMethodCall(KWinService, QStringLiteral("/%1").arg(id.value()), "org.kde.kwin.Script",
                                             "run"));
    return true;
}

void TKWinScripts::Unload(const QString& plugin)
{
    bus_.call(QDBusMessage::createMethodCall(KWinService, "/Scripting", ScriptingInterface, "unloadScript") << plugin);
}

std::optional<QString> TKWinScripts::Run(const QString& body, bool awaitAnswer)
{
    const QString plugin = QStringLiteral("tarvo-") + QString::number(++requests_);
    std::optional<QString> answer;
    if (Load(body, plugin) && awaitAnswer) {
        answer = answers_->Await(plugin, AnswerTimeout);
        if (!answer)
            qCWarning(lcKWin) << "KWin's script did not answer in time";
    }
    Unload(plugin);
    return answer;
}

void TKWinScripts::WatchWindows(QObject* context, std::function<void()> onAdded)
{
    answers_->SetOnAdded(context, std::move(onAdded));
    if (!watcher_.isEmpty())
        return;
    watcher_ = QStringLiteral("tarvo-watch-") + bus_.baseService();
    if (!Load(QString::fromLatin1(WatchAddedWindows), watcher_))
        watcher_.clear();
}

void TKWinScripts::StopWatchingWindows()
{
    answers_->SetOnAdded(nullptr, {});
    if (watcher_.isEmpty())
        return;
    Unload(watcher_);
    watcher_.clear();
}

} // namespace tarvo::platform::kwin
