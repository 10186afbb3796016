#include "platform/portal/portalhotkeys.h"

#include <QCryptographicHash>
#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QFileInfo>
#include <QTimer>

#include <algorithm>
#include <optional>

#include "platform/portal/portalrequest.h"
#include "platform/portal/portaltriggers.h"

namespace tarvo::platform::portal {

// One shortcut as the portal takes and gives them: its id and a dictionary
// (description, preferred_trigger; trigger_description in answers).
struct TPortalShortcut {
    QString Id;
    QVariantMap Values;
};

} // namespace tarvo::platform::portal

Q_DECLARE_METATYPE(tarvo::platform::portal::TPortalShortcut)

namespace tarvo::platform::portal {

namespace {

constexpr const char* SessionInterface = "org.freedesktop.portal.Session";
constexpr uint32_t ResponseSuccess = 0;

QString ObjectPathOf(const QVariant& value)
{
    // The session handle was given as a string, though it is an object path.
    if (value.userType() == qMetaTypeId<QDBusObjectPath>())
        return value.value<QDBusObjectPath>().path();
    return value.toString();
}

} // namespace

QDBusArgument& operator<<(QDBusArgument& argument, const TPortalShortcut& shortcut)
{
    argument.beginStructure();
    argument << shortcut.Id << shortcut.Values;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, TPortalShortcut& shortcut)
{
    argument.beginStructure();
    argument >> shortcut.Id >> shortcut.Values;
    argument.endStructure();
    return argument;
}

QString SessionToken(const std::string& group)
{
    // For an unsandboxed program the token is all the desktop goes by, so it
    // stays the same from run to run: the desktop remembers its user's choices.
    if (group.empty())
        return QStringLiteral("tarvo");
    QString name;
    for (const QChar c : QFileInfo(QString::fromStdString(group)).completeBaseName())
        if (c.isLetterOrNumber() && c.unicode() < 0x80 && name.size() < 24)
            name += c;
    const QByteArray hash = QCryptographicHash::hash(QByteArray::fromStdString(group), QCryptographicHash::Sha1);
    return QStringLiteral("tarvo_%1_%2").arg(name, QString::fromLatin1(hash.toHex().left(8)));
}

bool PortalOffersGlobalShortcuts(QDBusConnection bus)
{
    QDBusMessage get =
        QDBusMessage::createMethodCall(PortalService, PortalPath, "org.freedesktop.DBus.Properties", "Get");
    get << QString(GlobalShortcutsInterface) << QStringLiteral("version");
    // Starting the portal may take a moment; a desktop without one must not
    // hold up the program for long.
    const QDBusMessage reply = bus.call(get, QDBus::Block, 5000);
    return reply.type() == QDBusMessage::ReplyMessage
        && reply.arguments().value(0).value<QDBusVariant>().variant().toUInt() >= 1;
}

TPortalHotKeys::TPortalHotKeys(QDBusConnection bus) : bus_(std::move(bus))
{
    qDBusRegisterMetaType<TPortalShortcut>();
    qDBusRegisterMetaType<QList<TPortalShortcut>>();
    bus_.connect(PortalService, PortalPath, GlobalShortcutsInterface, "Activated", this, SLOT(Activated(QDBusMessage)));
    bus_.connect(PortalService, PortalPath, GlobalShortcutsInterface, "ShortcutsChanged", this,
                 SLOT(ShortcutsChanged(QDBusMessage)));
}

TPortalHotKeys::~TPortalHotKeys()
{
    if (!session_.isEmpty())
        SendClose();
}

THotKeyResult TPortalHotKeys::Register(IHotKeyOwner& owner, uint16_t id, THotKeyCombination combination,
                                       const THotKeyLabel& label)
{
    auto held = std::ranges::find_if(registrations_, [&](const TRegistration& registration) {
        return registration.Owner == &owner && registration.Id == id;
    });
    if (held != registrations_.end() && held->Combination == combination && held->Label == label) {
        // Nothing to bind anew; the owner learns again what the desktop did.
        held->Told = {};
        ScheduleUpdate(false);
        return THotKeyResult::Registered;
    }
    Unregister(owner, id);
    const std::optional<std::string> trigger = PortalTrigger(combination);
    if (combination.VirtualKey != 0 && !trigger)
        return THotKeyResult::UnknownKey;
    std::string shortcutId = label.Name.empty() ? std::to_string(id) : label.Name;
    const bool taken = std::ranges::any_of(registrations_, [&](const TRegistration& registration) {
        return registration.ShortcutId == shortcutId
            || (combination.VirtualKey != 0 && registration.Combination == combination);
    });
    if (taken)
        return THotKeyResult::Taken;
    // A combination without a key is never pressed: the desktop is not asked
    // to bind it.
    registrations_.push_back({&owner, id, combination, label, std::move(shortcutId), trigger.value_or(""), {}, {}});
    if (trigger)
        ScheduleUpdate(true);
    return THotKeyResult::Registered;
}

void TPortalHotKeys::Unregister(IHotKeyOwner& owner, uint16_t id)
{
    Remove([&](const TRegistration& registration) { return registration.Owner == &owner && registration.Id == id; });
}

void TPortalHotKeys::UnregisterAll(IHotKeyOwner& owner)
{
    Remove([&](const TRegistration& registration) { return registration.Owner == &owner; });
}

void TPortalHotKeys::Remove(const std::function<bool(const TRegistration&)>& matches)
{
    // Only what the desktop was asked to bind needs binding anew.
    const bool handedOver = std::ranges::any_of(registrations_, [&](const TRegistration& registration) {
        return matches(registration) && !registration.Trigger.empty();
    });
    std::erase_if(registrations_, matches);
    if (handedOver)
        ScheduleUpdate(true);
}

void TPortalHotKeys::ScheduleUpdate(bool bind)
{
    bindPending_ = bindPending_ || bind;
    if (updateScheduled_)
        return;
    updateScheduled_ = true;
    QTimer::singleShot(0, this, [this] {
        updateScheduled_ = false;
        Update();
    });
}

void TPortalHotKeys::Update()
{
    if (binding_)
        return; // BindingDone comes back here
    if (bindPending_) {
        bindPending_ = false;
        Bind();
    } else {
        TellOwners();
    }
}

void TPortalHotKeys::Bind()
{
    if (std::ranges::all_of(registrations_,
                            [](const TRegistration& registration) { return registration.Trigger.empty(); })) {
        CloseSession([] { });
        TellOwners();
        return;
    }
    binding_ = true;
    // The registrations of one document share a group.
    const auto first = std::ranges::find_if(
        registrations_, [](const TRegistration& registration) { return !registration.Trigger.empty(); });
    // The new session may take the old one's token: it must be gone first.
    CloseSession([this, token = SessionToken(first->Label.Group)] { CreateSession(token); });
}

QList<TPortalShortcut> TPortalHotKeys::HandedOverShortcuts() const
{
    QList<TPortalShortcut> shortcuts;
    for (const TRegistration& registration : registrations_)
        if (!registration.Trigger.empty()) {
            // A desktop may drop a shortcut without a description.
            const std::string& description =
                registration.Label.Description.empty() ? registration.ShortcutId : registration.Label.Description;
            shortcuts.append({QString::fromStdString(registration.ShortcutId),
                              {{"description", QString::fromStdString(description)},
                               {"preferred_trigger", QString::fromStdString(registration.Trigger)}}});
        }
    return shortcuts;
}

void TPortalHotKeys::CreateSession(const QString& token)
{
    // The shortcuts go along as an option too: KDE Plasma 5.27 binds them
    // only from there, and ignores the list of BindShortcuts.
    const QVariantMap options{{"session_handle_token", token},
                              {"shortcuts", QVariant::fromValue(HandedOverShortcuts())}};
    StartRequest(bus_, "CreateSession", {}, options, this, [this](uint32_t response, const QVariantMap& results) {
        session_ = ObjectPathOf(results.value("session_handle"));
        if (response != ResponseSuccess || session_.isEmpty()) {
            session_.clear();
            SetEveryDesktopState({THotKeyResult::NotBound, {}});
            BindingDone();
            return;
        }
        bus_.connect(PortalService, session_, SessionInterface, "Closed", this, SLOT(SessionClosed()));
        // A desktop that bound them all at creation is not asked again, which
        // would open its settings (Plasma 5.27).
        if (HoldsEveryShortcut(results.value("shortcuts"))) {
            Apply(results.value("shortcuts"));
            BindingDone();
        } else {
            BindInSession();
        }
    });
}

bool TPortalHotKeys::HoldsEveryShortcut(const QVariant& shortcuts) const
{
    if (!shortcuts.isValid())
        return false;
    const auto held = qdbus_cast<QList<TPortalShortcut>>(shortcuts);
    return std::ranges::all_of(HandedOverShortcuts(), [&](const TPortalShortcut& shortcut) {
        return std::ranges::find(held, shortcut.Id, &TPortalShortcut::Id) != held.end();
    });
}

void TPortalHotKeys::BindInSession()
{
    const QList<QVariant> arguments{QVariant::fromValue(QDBusObjectPath(session_)),
                                    QVariant::fromValue(HandedOverShortcuts()), QString()};
    StartRequest(bus_, "BindShortcuts", arguments, {}, this, [this](uint32_t response, const QVariantMap& results) {
        // A user who cancels the desktop's dialog binds nothing. A desktop
        // that answers without the list (Plasma 6.4 after its dialog) is asked
        // for it.
        if (response == ResponseSuccess && !results.contains("shortcuts")) {
            List([this] { BindingDone(); });
            return;
        }
        if (response == ResponseSuccess)
            Apply(results.value("shortcuts"));
        else
            SetEveryDesktopState({THotKeyResult::NotBound, {}});
        BindingDone();
    });
}

void TPortalHotKeys::BindingDone()
{
    binding_ = false;
    ScheduleUpdate(false);
}

void TPortalHotKeys::List(std::function<void()> then)
{
    const QList<QVariant> arguments{QVariant::fromValue(QDBusObjectPath(session_))};
    StartRequest(bus_, "ListShortcuts", arguments, {}, this,
                 [this, session = session_, then = std::move(then)](uint32_t response, const QVariantMap& results) {
                     // A newer session answers for itself.
                     if (response == ResponseSuccess && session == session_)
                         Apply(results.value("shortcuts"));
                     then();
                 });
}

void TPortalHotKeys::Apply(const QVariant& shortcuts)
{
    const auto bound = qdbus_cast<QList<TPortalShortcut>>(shortcuts);
    for (TRegistration& registration : registrations_) {
        if (registration.Trigger.empty())
            continue;
        const QString id = QString::fromStdString(registration.ShortcutId);
        const auto found = std::ranges::find(bound, id, &TPortalShortcut::Id);
        if (found == bound.end()) {
            registration.Desktop = {THotKeyResult::NotBound, {}};
            continue;
        }
        // A desktop that does not describe the trigger is taken to use the
        // preferred one.
        const std::string trigger = found->Values.value("trigger_description").toString().toStdString();
        registration.Desktop = trigger.empty() || SameTrigger(trigger, registration.Trigger)
            ? TState{}
            : TState{THotKeyResult::BoundElsewhere, trigger};
    }
}

void TPortalHotKeys::SetEveryDesktopState(TState state)
{
    for (TRegistration& registration : registrations_)
        if (!registration.Trigger.empty())
            registration.Desktop = state;
}

void TPortalHotKeys::Activated(const QDBusMessage& message)
{
    const QList<QVariant> arguments = message.arguments();
    if (session_.isEmpty() || ObjectPathOf(arguments.value(0)) != session_)
        return;
    const std::string shortcutId = arguments.value(1).toString().toStdString();
    const auto found = std::ranges::find(registrations_, shortcutId, &TRegistration::ShortcutId);
    if (found == registrations_.end() || found->Trigger.empty())
        return;
    // The timestamp counts milliseconds, as X11's times do.
    found->Owner->HotKeyPressed({found->Id, static_cast<uint32_t>(arguments.value(2).toULongLong())});
}

void TPortalHotKeys::ShortcutsChanged(const QDBusMessage& message)
{
    // The signal may carry only the changed shortcuts: the list tells them all.
    if (!session_.isEmpty() && !binding_ && ObjectPathOf(message.arguments().value(0)) == session_)
        List([this] {
            if (!binding_)
                ScheduleUpdate(false);
        });
}

void TPortalHotKeys::SessionClosed()
{
    // The session is gone: nothing to close. The next change of the
    // registrations creates a new one.
    bus_.disconnect(PortalService, session_, SessionInterface, "Closed", this, SLOT(SessionClosed()));
    session_.clear();
    SetEveryDesktopState({THotKeyResult::SessionClosed, {}});
    ScheduleUpdate(false);
}

void TPortalHotKeys::CloseSession(std::function<void()> then)
{
    if (session_.isEmpty()) {
        then();
        return;
    }
    // The portal answers once the desktop has let go of the session's
    // shortcuts; a session made before that, with the same token, would lose
    // its shortcuts when the desktop does (Plasma 5.27).
    auto* watcher = new QDBusPendingCallWatcher(SendClose(), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [then = std::move(then)](QDBusPendingCallWatcher* call) {
        // A session the portal no longer knows is closed as well.
        call->deleteLater();
        then();
    });
}

QDBusPendingCall TPortalHotKeys::SendClose()
{
    bus_.disconnect(PortalService, session_, SessionInterface, "Closed", this, SLOT(SessionClosed()));
    const QDBusMessage close = QDBusMessage::createMethodCall(PortalService, session_, SessionInterface, "Close");
    session_.clear();
    return bus_.asyncCall(close);
}

void TPortalHotKeys::TellOwners()
{
    // An owner may register or unregister while it is told.
    for (size_t i = 0; i < registrations_.size(); ++i) {
        TRegistration& registration = registrations_[i];
        if (registration.Told == registration.Desktop)
            continue;
        registration.Told = registration.Desktop;
        const TState told = registration.Told;
        registration.Owner->RegistrationChanged(registration.Id, told.Result, told.Trigger);
    }
}

} // namespace tarvo::platform::portal
