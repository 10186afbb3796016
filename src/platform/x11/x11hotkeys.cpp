#include "platform/x11/x11hotkeys.h"

#include <QLoggingCategory>
#include <QString>

#include <algorithm>
#include <string>

#include "platform/errors.h"
#include "platform/x11/connection.h"
#include "platform/x11/hotkeykeys.h"
#include "platform/x11/reply.h"

namespace tarvo::platform::x11 {

namespace {
Q_LOGGING_CATEGORY(lcX11, "tarvo.platform.x11")
} // namespace

TX11HotKeys::TX11HotKeys(std::shared_ptr<TConnection> connection)
    : connection_(std::move(connection)), keyboard_(std::make_unique<TKeyboardMap>(connection_->Xcb())),
      changes_(*connection_)
{
    handler_ = connection_->AddEventHandler([this](const xcb_generic_event_t& event) { HandleEvent(event); });
}

TX11HotKeys::~TX11HotKeys()
{
    connection_->RemoveEventHandler(handler_);
    for (TRegistration& registration : registrations_)
        Release(registration);
    connection_->Flush();
}

bool TX11HotKeys::Available() const
{
    return xcb_connection_has_error(connection_->Xcb()) == 0;
}

THotKeyResult TX11HotKeys::Register(IHotKeyOwner& owner, uint16_t id, THotKeyCombination combination,
                                    const THotKeyLabel& /*label*/)
{
    if (!Available())
        return THotKeyResult::Unavailable;
    auto held = std::ranges::find_if(registrations_, [&](const TRegistration& registration) {
        return registration.Owner == &owner && registration.Id == id;
    });
    if (held != registrations_.end() && held->Combination == combination)
        return THotKeyResult::Registered;
    Unregister(owner, id);
    if (combination.VirtualKey != 0 && !StandsForKey(combination.VirtualKey))
        return THotKeyResult::UnknownKey;
    TRegistration registration{.Owner = &owner, .Id = id, .Combination = combination};
    const THotKeyResult result = Grab(registration);
    if (result == THotKeyResult::Registered)
        registrations_.push_back(std::move(registration));
    return result;
}

void TX11HotKeys::Unregister(IHotKeyOwner& owner, uint16_t id)
{
    auto held = std::ranges::find_if(registrations_, [&](const TRegistration& registration) {
        return registration.Owner == &owner && registration.Id == id;
    });
    if (held == registrations_.end())
        return;
    Release(*held);
    registrations_.erase(held);
    connection_->Flush();
}

void TX11HotKeys::UnregisterAll(IHotKeyOwner& owner)
{
    std::erase_if(registrations_, [&](TRegistration& registration) {
        if (registration.Owner != &owner)
            return false;
        Release(registration);
        return true;
    });
    connection_->Flush();
}

std::vector<TX11HotKeys::TGrab> TX11HotKeys::WantedGrabs(const TRegistration& registration) const
{
    const uint16_t modifiers = keyboard_->ModifierMask(registration.Combination.Modifiers);
    std::vector<TGrab> grabs;
    for (xcb_keycode_t keycode : keyboard_->Keycodes(registration.Combination.VirtualKey))
        for (uint16_t locks : keyboard_->LockCombinations())
            grabs.push_back({keycode, static_cast<uint16_t>(modifiers | locks)});
    return grabs;
}

THotKeyResult TX11HotKeys::Grab(TRegistration& registration)
{
    const std::vector<TGrab> wanted = WantedGrabs(registration);
    registration.Modifiers = keyboard_->ModifierMask(registration.Combination.Modifiers);
    for (const TRegistration& other : registrations_) {
        if (&other == &registration)
            continue;
        // "No key" is a combination nobody holds.
        if (registration.Combination.VirtualKey != 0 && other.Combination == registration.Combination)
            return THotKeyResult::Taken;
        // Grabs of one client do not exclude each other, so grabs that two
        // registrations share are checked here.
        const auto shared = [&](const TGrab& grab) {
            return std::ranges::find(other.Grabs, grab) != other.Grabs.end();
        };
        if (std::ranges::any_of(wanted, shared))
            return THotKeyResult::Taken;
    }

    xcb_connection_t* xcb = connection_->Xcb();
    std::vector<xcb_void_cookie_t> cookies;
    for (const TGrab& grab : wanted)
        cookies.push_back(xcb_grab_key_checked(xcb, 0, connection_->Root(), grab.Modifiers, grab.Keycode,
                                               XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    uint8_t failure = 0;
    for (size_t i = 0; i < cookies.size(); ++i) {
        if (const TReply<xcb_generic_error_t> error{xcb_request_check(xcb, cookies[i])}) {
            failure = failure ? failure : error->error_code;
        } else {
            registration.Grabs.push_back(wanted[i]);
        }
    }
    if (failure == 0)
        return THotKeyResult::Registered;
    Release(registration);
    connection_->Flush();
    if (failure != XCB_ACCESS)
        throw EWindowSystemError("The X server refused a key grab with error code " + std::to_string(failure) + ".");
    return THotKeyResult::Taken;
}

void TX11HotKeys::Release(TRegistration& registration)
{
    for (const TGrab& grab : registration.Grabs)
        xcb_ungrab_key(connection_->Xcb(), grab.Keycode, connection_->Root(), grab.Modifiers);
    registration.Grabs.clear();
}

void TX11HotKeys::Regrab()
{
    keyboard_ = std::make_unique<TKeyboardMap>(connection_->Xcb());
    for (TRegistration& registration : registrations_) {
        // Keys the change did not move stay grabbed: the server reports a
        // change whenever another keyboard device is typed on, and a press
        // while the keys were released would be lost.
        if (WantedGrabs(registration) == registration.Grabs)
            continue;
        Release(registration);
        // One whose keys another client took meanwhile stays registered
        // without keys, as it would for a key the keyboard lacks; the next
        // mapping change tries again.
        Grab(registration);
    }
    connection_->Flush();
}

void TX11HotKeys::HandleEvent(const xcb_generic_event_t& event)
{
    try {
        if ((event.response_type & 0x7F) == XCB_KEY_PRESS)
            HandleKeyPress(reinterpret_cast<const xcb_key_press_event_t&>(event));
        else if (changes_.IsChange(event))
            Regrab();
    } catch (const std::exception& error) {
        // An exception must not unwind through the event loop. As with the
        // program's exception report, the message is logged and the program
        // goes on.
        qCWarning(lcX11).noquote() << QString::fromUtf8(error.what());
    }
}

void TX11HotKeys::HandleKeyPress(const xcb_key_press_event_t& event)
{
    if (event.event != connection_->Root())
        return;
    const uint16_t modifiers = event.state & ~keyboard_->LockMask() & 0xFF;
    for (const TRegistration& registration : registrations_) {
        const bool pressed = registration.Modifiers == modifiers
            && std::ranges::any_of(registration.Grabs, [&](const TGrab& grab) { return grab.Keycode == event.detail; });
        if (pressed) {
            // The owner may change the registrations; nothing of them is used afterwards.
            registration.Owner->HotKeyPressed(THotKeyPress{registration.Id, event.time});
            return;
        }
    }
}

} // namespace tarvo::platform::x11
