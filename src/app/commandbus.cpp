#include "app/commandbus.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QLoggingCategory>

#include "app/samefile.h"

namespace tarvo {

Q_LOGGING_CATEGORY(lcCommandBus, "tarvo.app.commandbus", QtWarningMsg)

namespace {

constexpr const char* ObjectPath = "/org/tarvo/Tarvo";
constexpr const char* Interface = "org.tarvo.Tarvo";
constexpr const char* NoSuchHotKey = "org.tarvo.Tarvo.Error.NoSuchHotKey";
constexpr const char* Failed = "org.tarvo.Tarvo.Error.Failed";
// The program answers at once; a program that hangs must not hold the caller.
constexpr int CallTimeout = 25000;

QDBusMessage Call(const char* method, const QList<QVariant>& arguments = {})
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        throw ECommandBusError("no Tarvo is running (no session bus: " + bus.lastError().message().toStdString() + ")");
    QDBusMessage call = QDBusMessage::createMethodCall(CommandBusName, ObjectPath, Interface, method);
    call.setArguments(arguments);
    // NoAutoStart: a running program is asked, none is started.
    call.setAutoStartService(false);
    const QDBusMessage reply = bus.call(call, QDBus::Block, CallTimeout);
    if (reply.type() == QDBusMessage::ReplyMessage)
        return reply;
    // Nobody holds the name (the bus may also say it knows no such service).
    if (reply.errorName() == "org.freedesktop.DBus.Error.NameHasNoOwner"
        || reply.errorName() == "org.freedesktop.DBus.Error.ServiceUnknown")
        throw ECommandBusError("no Tarvo is running");
    throw ECommandBusError(reply.errorMessage().toStdString());
}

} // namespace

QDBusArgument& operator<<(QDBusArgument& argument, const TBusHotKey& hotkey)
{
    argument.beginStructure();
    argument << hotkey.ShortCut << hotkey.Name;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, TBusHotKey& hotkey)
{
    argument.beginStructure();
    argument >> hotkey.ShortCut >> hotkey.Name;
    argument.endStructure();
    return argument;
}

void RegisterBusHotKeyType()
{
    qDBusRegisterMetaType<TBusHotKey>();
    qDBusRegisterMetaType<QList<TBusHotKey>>();
}

TCommandBus::TCommandBus(THotKeyRegistrar& registrar, TCommandHandlers handlers)
    : registrar_(registrar), handlers_(std::move(handlers))
{
    RegisterBusHotKeyType();
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(ObjectPath, this, QDBusConnection::ExportAllSlots)) {
        qCWarning(lcCommandBus) << "the program's interface is not on the session bus:"
                                << bus.lastError().message();
        return;
    }
    // A copy started later queues for the name and gets it once this one ends.
    bus.interface()->registerService(CommandBusName, QDBusConnectionInterface::QueueService,
                                     QDBusConnectionInterface::DontAllowReplacement);
}

TCommandBus::~TCommandBus()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    bus.unregisterObject(ObjectPath);
    bus.interface()->unregisterService(CommandBusName);
}

void TCommandBus::Run(const QString& nameOrId)
{
    if (!registrar_.RunHotKey(nameOrId.toStdString()))
        sendErrorReply(NoSuchHotKey, QStringLiteral("no hotkey is named or has the ID \"%1\"").arg(nameOrId));
}

void TCommandBus::ShowWindow()
{
    handlers_.ShowWindow();
}

void TCommandBus::Reload()
{
    try {
        handlers_.Reload();
    } catch (const ETarvoError& error) {
        // The caller learns why; the program goes on with the document it has.
        sendErrorReply(Failed, QString::fromStdString(error.what()));
    }
}

QString TCommandBus::FileName()
{
    return QString::fromStdString(handlers_.FileName());
}

QList<TBusHotKey> TCommandBus::HotKeys()
{
    QList<TBusHotKey> held;
    const THotKeyFile& document = registrar_.Document();
    for (int i = 0; i < document.HotKeyList->Count(); ++i) {
        const THotTarvo& hotkey = document.HotKey(i);
        if ((hotkey.HotKey & ShortCutKeyMask) && !registrar_.RefusedHotKeys().contains(hotkey.ID))
            held.append({hotkey.HotKey, QString::fromStdString(hotkey.Name)});
    }
    return held;
}

void RunInRunningProgram(const std::string& nameOrId)
{
    Call("Run", {QString::fromStdString(nameOrId)});
}

bool ShowRunningProgramWith(const std::string& file)
{
    std::string running;
    try {
        running = Call("FileName").arguments().value(0).toString().toStdString();
    } catch (const ECommandBusError&) {
        return false; // none runs, or it cannot answer: this copy serves the file
    }
    if (!SameFile(running, file))
        return false;
    Call("ShowWindow");
    return true;
}

} // namespace tarvo
