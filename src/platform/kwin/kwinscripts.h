#pragma once
// KWin's scripting on the session bus, which the window search and the
// launcher share. No Wayland protocol lets a client list, raise or show
// other programs' windows; KWin's scripts can: a script loaded for a request
// does its work and sends its answer back over the session bus, and a
// script that stays loaded tells of every window KWin adds.

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

class QThread;

namespace tarvo::platform::kwin {

// Whether KWin's scripting can be reached on the bus.
bool KWinOffersScripting(const QDBusConnection& bus);

// The text as a JavaScript string literal, quotes included.
QString JsString(const QString& text);

// A window KWin added: its id and the process that shows it.
struct TAddedWindow {
    QString Id;
    qint64 Process = 0;
};

// Receives the scripts' answers and the added windows. It lives in a thread
// of its own, so that the program's thread can wait for them without running
// its event loop (and, in it, another hotkey) meanwhile.
class TScriptAnswers : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.tarvo.KWinScriptAnswers")

public:
    // The answer to the request, once it came; nullopt after the timeout.
    std::optional<QString> Await(const QString& request, std::chrono::milliseconds timeout);
    // The next added window, once there is one; nullopt after the timeout.
    std::optional<TAddedWindow> AwaitAddedWindow(std::chrono::milliseconds timeout);
    // Called through context's event loop after each added window, unless
    // context is gone by then; a null context: no call.
    void SetOnAdded(QObject* context, std::function<void()> onAdded);

public slots:
    Q_SCRIPTABLE void Answer(const QString& request, const QString& answer);
    Q_SCRIPTABLE void WindowAdded(const QString& window, const QString& process);

private:
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::map<QString, QString> answers_;
    std::deque<TAddedWindow> addedWindows_;
    QObject* onAddedContext_ = nullptr;
    std::function<void()> onAdded_;
};

class TKWinScripts {
public:
    // Raises EWindowSystemError when the answers cannot be received.
    explicit TKWinScripts(QDBusConnection bus);
    ~TKWinScripts();
    TKWinScripts(const TKWinScripts&) = delete;
    TKWinScripts& operator=(const TKWinScripts&) = delete;

    // Runs the script, which may answer through answer(text); returns the
    // answer, or nullopt when none is awaited or none came in time.
    std::optional<QString> Run(const QString& body, bool awaitAnswer);

    // Keeps a script loaded that tells of every window KWin adds, until
    // StopWatchingWindows; calling it again only changes the call. onAdded is called through context's event loop
    // for each (AwaitAddedWindow takes them when no event loop runs).
    void WatchWindows(QObject* context, std::function<void()> onAdded);
    void StopWatchingWindows();
    TScriptAnswers& Answers() { return *answers_; }

private:
    // Loads the script under the plugin name and starts it; whether KWin did.
    bool Load(const QString& body, const QString& plugin);
    void Unload(const QString& plugin);

    QDBusConnection bus_;
    std::unique_ptr<QThread> answerThread_;
    std::unique_ptr<TScriptAnswers> answers_;
    QString answerPath_;
    int requests_ = 0;
    QString watcher_; // the plugin name of the window watcher, empty when none runs
};

} // namespace tarvo::platform::kwin
