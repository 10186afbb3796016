#pragma once
// The windows of a KWin Wayland desktop, native Wayland ones and XWayland's
// alike. No Wayland protocol lets a client list or raise other programs'
// windows; KWin's scripting does: a script loaded for each request reads
// its window list or activates a window, and sends its answer back over the
// session bus.

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/windowsystem.h"

class QThread;

namespace tarvo::platform::kwin {

// Whether KWin's scripting can be reached on the bus.
bool KWinOffersScripting(const QDBusConnection& bus);

// Receives the scripts' answers. It lives in a thread of its own, so that
// the program's thread can wait for an answer without running its event
// loop (and, in it, another hotkey) meanwhile.
class TScriptAnswers : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.tarvo.KWinScriptAnswers")

public:
    // The answer to the request, once it came; nullopt after the timeout.
    std::optional<QString> Await(const QString& request, std::chrono::milliseconds timeout);

public slots:
    Q_SCRIPTABLE void Answer(const QString& request, const QString& answer);

private:
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::map<QString, QString> answers_;
};

class TKWinWindowSystem : public IWindowSystem {
public:
    explicit TKWinWindowSystem(QDBusConnection bus);
    ~TKWinWindowSystem() override;

    // Topmost first, as KWin stacks them: its normal windows and dialogs,
    // with the app id (Wayland) or WM_CLASS (XWayland) as KWin knows them.
    std::vector<TTopLevelWindow> TopLevelWindows() const override;
    // Unminimises the window, switches to its desktop and activates it.
    void RestoreAndActivate(TWindowId window) override;

private:
    // Runs the script, which may answer through answer(text); returns the
    // answer, or nullopt when none is awaited or none came in time.
    std::optional<QString> RunScript(const QString& body, bool awaitAnswer) const;
    TWindowId IdOf(const std::string& kwinId) const;

    QDBusConnection bus_;
    std::unique_ptr<QThread> answerThread_;
    std::unique_ptr<TScriptAnswers> answers_;
    QString answerPath_;
    mutable int requests_ = 0;
    // KWin names windows by UUIDs; the search by numbers handed out here.
    mutable std::map<std::string, TWindowId> ids_;
};

} // namespace tarvo::platform::kwin
