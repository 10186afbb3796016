#include "platform/sway/swayhotkeys.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QSocketNotifier>

#include <algorithm>

#include "platform/errors.h"
#include "platform/sway/swayconnection.h"

namespace tarvo::platform::sway {

Q_LOGGING_CATEGORY(lcSway, "tarvo.platform.sway", QtWarningMsg)

namespace {

// The texts of the configs sway was started with: the main one and, where
// sway reports them, those it included.
std::string ConfigTexts(const QByteArray& reply)
{
    const QJsonObject config = QJsonDocument::fromJson(reply).object();
    std::string texts = config.value("config").toString().toStdString();
    for (const QJsonValue& included : config.value("included_configs").toArray())
        texts += "\n" + included.toObject().value("raw_contents").toString().toStdString();
    return texts;
}

// What sway said against a command; empty when every part of it succeeded.
std::string CommandError(const QByteArray& reply)
{
    for (const QJsonValue& outcome : QJsonDocument::fromJson(reply).array())
        if (!outcome.toObject().value("success").toBool())
            return outcome.toObject().value("error").toString("refused").toStdString();
    return {};
}

} // namespace

TSwayHotKeys::TSwayHotKeys(const std::string& socketPath, std::function<void()> onConnectionLost)
    : commands_(std::make_unique<TSwayConnection>(socketPath)), events_(std::make_unique<TSwayConnection>(socketPath)),
      onConnectionLost_(std::move(onConnectionLost)),
      // Another copy of the program on the same compositor has bindings of
      // its own; the process id tells them apart in the events.
      tag_("tarvo-" + std::to_string(::getpid()))
{
    ReadUserBindings();
    const QByteArray subscribed = events_->Request(SwaySubscribe, R"(["binding", "workspace"])");
    if (!QJsonDocument::fromJson(subscribed).object().value("success").toBool())
        throw EWindowSystemError("sway refused to report its key bindings");
    // Without an event loop (tvotool exec) no press could be delivered.
    if (!QCoreApplication::instance())
        return;
    eventNotifier_ = std::make_unique<QSocketNotifier>(events_->Descriptor(), QSocketNotifier::Read);
    connect(eventNotifier_.get(), &QSocketNotifier::activated, this, &TSwayHotKeys::ReadEvents);
}

TSwayHotKeys::~TSwayHotKeys()
{
    for (const TRegistration& registration : registrations_)
        Unbind(registration);
}

THotKeyResult TSwayHotKeys::Register(IHotKeyOwner& owner, uint16_t id, THotKeyCombination combination,
                                     const THotKeyLabel& label)
{
    const auto held = std::ranges::find_if(registrations_, [&](const TRegistration& registration) {
        return registration.Owner == &owner && registration.Id == id;
    });
    if (held != registrations_.end() && held->Combination == combination)
        return held->State;
    Unregister(owner, id);
    std::optional<TSwayBinding> binding = SwayBinding(combination);
    if (combination.VirtualKey != 0 && !binding)
        return THotKeyResult::UnknownKey;
    std::string command = "nop " + tag_ + " " + PlainLabelName(label, id);
    if (binding)
        if (const THotKeyResult result = Bind(*binding, command); result != THotKeyResult::Registered)
            return result;
    registrations_.push_back({&owner, id, combination, std::move(binding), std::move(command)});
    return THotKeyResult::Registered;
}

void TSwayHotKeys::ReadUserBindings()
{
    userBindings_ = ConfigBindings(ConfigTexts(commands_->Request(SwayGetConfig, {})));
}

THotKeyResult TSwayHotKeys::Bind(const TSwayBinding& binding, const std::string& command)
{
    const bool ours = std::ranges::any_of(registrations_, [&](const TRegistration& registration) {
        return registration.Binding == binding && registration.State == THotKeyResult::Registered;
    });
    if (ours || userBindings_.contains(binding))
        return THotKeyResult::Taken;
    try {
        const std::string error = CommandError(commands_->Request(
            SwayRunCommand, QByteArray::fromStdString(binding.Kind + " " + binding.Keys + " " + command)));
        if (error.empty())
            return THotKeyResult::Registered;
        qCWarning(lcSway).noquote() << QString::fromStdString("sway refused to bind " + binding.Keys + ": " + error);
        return THotKeyResult::NotBound;
    } catch (const EWindowSystemError& error) {
        // The event connection reports the loss to the program as well.
        qCWarning(lcSway).noquote() << error.what();
        return THotKeyResult::Unavailable;
    }
}

void TSwayHotKeys::Unbind(const TRegistration& registration)
{
    // A binding refused after a reload is the user's.
    if (!registration.Binding || registration.State != THotKeyResult::Registered)
        return;
    const TSwayBinding& binding = *registration.Binding;
    try {
        const std::string error = CommandError(
            commands_->Request(SwayRunCommand, QByteArray::fromStdString("un" + binding.Kind + " " + binding.Keys)));
        if (!error.empty())
            qCWarning(lcSway).noquote() << QString::fromStdString("sway refused to unbind " + binding.Keys + ": "
                                                                  + error);
    } catch (const EWindowSystemError& error) {
        // A compositor that has gone holds no bindings any more.
        qCInfo(lcSway).noquote() << error.what();
    }
}

void TSwayHotKeys::Unregister(IHotKeyOwner& owner, uint16_t id)
{
    Remove([&](const TRegistration& registration) { return registration.Owner == &owner && registration.Id == id; });
}

void TSwayHotKeys::UnregisterAll(IHotKeyOwner& owner)
{
    Remove([&](const TRegistration& registration) { return registration.Owner == &owner; });
}

void TSwayHotKeys::Remove(const std::function<bool(const TRegistration&)>& matches)
{
    for (const TRegistration& registration : registrations_)
        if (matches(registration))
            Unbind(registration);
    std::erase_if(registrations_, matches);
}

void TSwayHotKeys::ReadEvents()
{
    try {
        while (const std::optional<TSwayMessage> message = events_->Read(0))
            if (message->Type == SwayBindingEvent)
                BindingRan(message->Payload);
            else if (message->Type == SwayWorkspaceEvent
                     && QJsonDocument::fromJson(message->Payload).object().value("change").toString() == "reload")
                ConfigReloaded();
    } catch (const EWindowSystemError& error) {
        qCWarning(lcSway).noquote() << error.what();
        eventNotifier_->setEnabled(false);
        if (onConnectionLost_)
            onConnectionLost_();
    }
}

void TSwayHotKeys::ConfigReloaded()
{
    ReadUserBindings();
    std::vector<THotKeyResult> before;
    for (TRegistration& registration : registrations_) {
        before.push_back(registration.State);
        if (registration.Binding)
            registration.State = THotKeyResult::NotBound; // the reload dropped it
    }
    struct TChange {
        IHotKeyOwner* Owner;
        uint16_t Id;
        THotKeyResult State;
    };
    std::vector<TChange> changes;
    for (size_t i = 0; i < registrations_.size(); ++i) {
        TRegistration& registration = registrations_[i];
        if (registration.Binding)
            registration.State = Bind(*registration.Binding, registration.Command);
        if (registration.State != before[i])
            changes.push_back({registration.Owner, registration.Id, registration.State});
    }
    // The owners are told once the registrations are in order: an owner may
    // register or unregister while it is told.
    for (const TChange& change : changes)
        change.Owner->RegistrationChanged(change.Id, change.State, {});
}

void TSwayHotKeys::BindingRan(const QByteArray& event)
{
    const QJsonObject object = QJsonDocument::fromJson(event).object();
    if (object.value("change").toString() != "run")
        return;
    const std::string command = object.value("binding").toObject().value("command").toString().toStdString();
    const auto found = std::ranges::find(registrations_, command, &TRegistration::Command);
    // Sway reports no time of the press; the owner does not need one.
    if (found != registrations_.end())
        found->Owner->HotKeyPressed({found->Id, 0});
}

} // namespace tarvo::platform::sway
