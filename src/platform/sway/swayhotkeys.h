#pragma once
// System-wide hotkeys on sway (and compositors with its IPC): each
// registration is a key binding made through sway's IPC socket whose command
// does nothing ("nop" with a tag naming the registration); sway reports the
// bindings that run as events, which reach the owner in the event loop. No
// process is started per press.
//
// The bindings exist only while the program runs: they are made at run time,
// never written to the user's config, and taken back when a registration is
// withdrawn and when the service goes. A combination that the user's config
// binds already is refused, so that the user's binding stays in force. A
// reload of the config drops every binding made at run time: they are made
// anew, and what the reloaded config binds now reaches the owner as a change.

#include <QObject>

#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/hotkeyservice.h"
#include "platform/sway/swaybindings.h"

class QSocketNotifier;

namespace tarvo::platform::sway {

class TSwayConnection;

class TSwayHotKeys : public QObject, public IHotKeyService {
    Q_OBJECT
public:
    // Connects to the socket (SWAYSOCK); raises EWindowSystemError when it
    // cannot. onConnectionLost is called from the event loop when the
    // connection breaks (sway ended).
    TSwayHotKeys(const std::string& socketPath, std::function<void()> onConnectionLost);
    // Takes back every binding that is left.
    ~TSwayHotKeys() override;

    bool Available() const override { return true; }
    THotKeyResult Register(IHotKeyOwner& owner, uint16_t id, THotKeyCombination combination,
                           const THotKeyLabel& label) override;
    void Unregister(IHotKeyOwner& owner, uint16_t id) override;
    void UnregisterAll(IHotKeyOwner& owner) override;

private:
    struct TRegistration {
        IHotKeyOwner* Owner;
        uint16_t Id;
        THotKeyCombination Combination;
        std::optional<TSwayBinding> Binding;             // none for a combination without a key
        std::string Command;                             // the "nop" command the binding runs
        THotKeyResult State = THotKeyResult::Registered; // since the latest reload
    };

    // Binds unless the user's config or another registration has the keys.
    THotKeyResult Bind(const TSwayBinding& binding, const std::string& command);
    void ReadUserBindings();
    void Unbind(const TRegistration& registration);
    void Remove(const std::function<bool(const TRegistration&)>& matches);
    void ReadEvents();
    void BindingRan(const QByteArray& event);
    void ConfigReloaded();

    std::unique_ptr<TSwayConnection> commands_;
    std::unique_ptr<TSwayConnection> events_;
    std::unique_ptr<QSocketNotifier> eventNotifier_;
    std::function<void()> onConnectionLost_;
    std::set<TSwayBinding> userBindings_; // those of the user's config
    std::string tag_;                     // marks the bindings of this process
    std::vector<TRegistration> registrations_;
};

} // namespace tarvo::platform::sway
