// The hotkeys of the other Tarvos that run: each serves its interface on the
// session bus, the first under the name org.tarvo.Tarvo, the others queued
// for it, so the bus's queue of that name lists them all.

#include <QDBusConnection>
#include <QDBusConnectionInterface>

#include "app/commandbus.h"
#include "conflicts/holders.h"
#include "conflicts/sessionbus.h"

namespace tarvo::conflicts {

namespace {

const QString ObjectPath = QStringLiteral("/org/tarvo/Tarvo");
const QString Interface = QStringLiteral("org.tarvo.Tarvo");

class TOtherTarvos : public IHolderSource {
public:
    std::vector<THeldCombination> HeldCombinations() override
    {
        std::vector<THeldCombination> held;
        const QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected() || !bus.interface()->isServiceRegistered(CommandBusName).value())
            return held;
        const auto queue = CallIfRunning("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                         "ListQueuedOwners", {QString::fromUtf8(CommandBusName)});
        if (!queue)
            return held;
        RegisterBusHotKeyType();
        for (const QString& tarvo : queue->arguments().value(0).toStringList()) {
            if (tarvo == bus.baseService())
                continue;
            const auto file = CallIfRunning(tarvo, ObjectPath, Interface, "FileName");
            const auto hotkeys = CallIfRunning(tarvo, ObjectPath, Interface, "HotKeys");
            if (!file || !hotkeys)
                continue;
            const std::string fileName = file->arguments().value(0).toString().toStdString();
            for (const TBusHotKey& hotkey : qdbus_cast<QList<TBusHotKey>>(hotkeys->arguments().value(0)))
                held.push_back({hotkey.ShortCut,
                                {"Tarvo", hotkey.Name.toStdString(),
                                 {"the Tarvo that has " + fileName + " open", "im Tarvo mit " + fileName}}});
        }
        return held;
    }
};

} // namespace

std::unique_ptr<IHolderSource> OtherTarvos()
{
    return std::make_unique<TOtherTarvos>();
}

} // namespace tarvo::conflicts
