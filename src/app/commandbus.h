#pragma once
// The running program's interface on the session bus: the name
// org.tarvo.Tarvo, object /org/tarvo/Tarvo, interface org.tarvo.Tarvo, with
// Run(s nameOrId), ShowWindow(), Reload(), FileName() -> s and
// HotKeys() -> a(qs), the combinations and names of the hotkeys the program
// holds (for the conflict finder of another Tarvo). It lets
// `tarvo --run` run a hotkey of the running program, and a second start
// with the file the running program has open show that program's window
// instead of becoming a second copy whose saves would overwrite the first
// one's. A copy started while another holds the name waits in the bus's
// queue and takes the name when that one ends.

#include <QDBusArgument>
#include <QDBusContext>
#include <QList>
#include <QObject>

#include <functional>
#include <string>

#include "app/commandhandlers.h"
#include "app/hotkeyregistrar.h"
#include "app/runningprogram.h"

namespace tarvo {

inline constexpr const char* CommandBusName = "org.tarvo.Tarvo";

// A hotkey the program holds, as HotKeys() lists it.
struct TBusHotKey {
    TShortCut ShortCut = 0;
    QString Name;
};
QDBusArgument& operator<<(QDBusArgument& argument, const TBusHotKey& hotkey);
const QDBusArgument& operator>>(const QDBusArgument& argument, TBusHotKey& hotkey);
// Makes TBusHotKey lists known to Qt DBus; each side calls it before use.
void RegisterBusHotKeyType();

// Serves the interface while it lives. Needs the Qt application object.
class TCommandBus : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.tarvo.Tarvo")
public:
    TCommandBus(THotKeyRegistrar& registrar, TCommandHandlers handlers);
    ~TCommandBus() override;

public slots:
    void Run(const QString& nameOrId);
    void ShowWindow();
    void Reload();
    QString FileName();
    QList<tarvo::TBusHotKey> HotKeys();

private:
    THotKeyRegistrar& registrar_;
    TCommandHandlers handlers_;
};

} // namespace tarvo

Q_DECLARE_METATYPE(tarvo::TBusHotKey)
