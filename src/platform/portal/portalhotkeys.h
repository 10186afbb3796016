#pragma once
// System-wide hotkeys on a Wayland desktop, through the desktop portal's
// global shortcuts (org.freedesktop.portal.GlobalShortcuts on the session
// bus). Each registration is one shortcut of the program, under its label's
// name, described by the label, with the combination as preferred trigger;
// the desktop binds it to a trigger of its choosing, or not at all, and tells
// when the shortcut is activated.

#include <QDBusConnection>
#include <QObject>

#include <functional>
#include <string>
#include <vector>

#include "platform/hotkeyservice.h"

class QDBusMessage;
class QDBusPendingCall;

namespace tarvo::platform::portal {

struct TPortalShortcut;

// The session token for a group of shortcuts (THotKeyLabel::Group), which
// names the set the desktop keeps them in: "tarvo" without a group,
// otherwise "tarvo_" with the letters and digits of the group's last path
// element and 8 hex digits of a hash of the whole, so that the desktop's
// settings show the file and two files never share a set.
QString SessionToken(const std::string& group);

// Whether the portal on the bus offers global shortcuts.
bool PortalOffersGlobalShortcuts(QDBusConnection bus);

class TPortalHotKeys : public QObject, public IHotKeyService {
    Q_OBJECT
public:
    explicit TPortalHotKeys(QDBusConnection bus);
    // Ends the session with the portal, which drops the shortcuts.
    ~TPortalHotKeys() override;

    bool Available() const override { return true; }
    THotKeyResult Register(IHotKeyOwner& owner, uint16_t id, THotKeyCombination combination,
                           const THotKeyLabel& label) override;
    void Unregister(IHotKeyOwner& owner, uint16_t id) override;
    void UnregisterAll(IHotKeyOwner& owner) override;

private slots:
    void Activated(const QDBusMessage& message);
    void ShortcutsChanged(const QDBusMessage& message);
    void SessionClosed();

private:
    struct TState {
        THotKeyResult Result = THotKeyResult::Registered;
        std::string Trigger; // for BoundElsewhere

        bool operator==(const TState&) const = default;
    };
    struct TRegistration {
        IHotKeyOwner* Owner;
        uint16_t Id;
        THotKeyCombination Combination;
        THotKeyLabel Label;
        std::string ShortcutId;
        std::string Trigger; // preferred; empty for no key, which is not handed to the desktop
        TState Desktop;      // what the desktop did with it
        TState Told;         // what the owner was told
    };

    void Remove(const std::function<bool(const TRegistration&)>& matches);
    // Binds every registration anew, or tells the owners what they do not
    // know yet, once the event loop runs again: the changes of one pass go to
    // the desktop in one call.
    void ScheduleUpdate(bool bind);
    void Update();
    // Ends the session, creates a new one and binds every shortcut in it: a
    // session binds its shortcuts once.
    void Bind();
    // The shortcuts handed to the desktop, in the portal's form.
    QList<TPortalShortcut> HandedOverShortcuts() const;
    void CreateSession(const QString& token);
    // Whether the desktop's list holds every shortcut handed to it.
    bool HoldsEveryShortcut(const QVariant& shortcuts) const;
    void BindInSession();
    void BindingDone();
    // Asks for the shortcuts the desktop holds, takes them and calls then.
    void List(std::function<void()> then);
    // Takes the shortcuts the desktop holds (all of the session's) as the
    // outcome of every registration handed to it.
    void Apply(const QVariant& shortcuts);
    void SetEveryDesktopState(TState state);
    // Ends the session and calls then once the portal has.
    void CloseSession(std::function<void()> then);
    QDBusPendingCall SendClose();
    void TellOwners();

    QDBusConnection bus_;
    std::vector<TRegistration> registrations_;
    QString session_; // the session's object path; empty without one
    bool updateScheduled_ = false;
    bool bindPending_ = false;
    bool binding_ = false; // a session is being created and bound
};

} // namespace tarvo::platform::portal
