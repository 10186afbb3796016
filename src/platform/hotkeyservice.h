#pragma once
// System-wide hotkeys: key combinations that reach the program whichever
// application has the keyboard focus.
//
// An owner registers combinations under 16-bit ids of its own; ids of
// different owners are independent. Presses are delivered to the owner on
// the main thread, from the event loop.

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

namespace tarvo::platform {

// Modifier bits of a combination.
enum THotKeyModifier : uint8_t {
    HotKeyModAlt = 1,
    HotKeyModControl = 2,
    HotKeyModShift = 4,
};

// A key and the modifiers that must be held with it. The key is a Windows
// virtual-key code (0 is no key: such a combination is accepted and never
// pressed).
struct THotKeyCombination {
    uint16_t VirtualKey = 0;
    uint8_t Modifiers = 0; // THotKeyModifier bits

    bool operator==(const THotKeyCombination&) const = default;
};

// How a desktop that lists the program's shortcuts to its user (the portal's
// global shortcuts) shows a registration: Name stays the same from run to run,
// so that the desktop keeps the trigger its user chose for it; Description
// says what it does. Group names the set the desktop keeps the shortcut in,
// the same from run to run: the registrations of one hotkey file share it,
// so that programs with different files keep apart. Backends that grab keys
// themselves ignore the label. A desktop that binds keys to commands (GNOME's
// custom keybindings) runs Command, the program and its arguments, which
// reaches the running program from outside; empty where the program has no
// such command.
struct THotKeyLabel {
    std::string Name;
    std::string Description;
    std::string Group;
    std::vector<std::string> Command;

    bool operator==(const THotKeyLabel&) const = default;
};

// The label's name with only letters, digits, "_" and "-", or the id where
// nothing is left: for a desktop that takes it into a command or a path.
inline std::string PlainLabelName(const THotKeyLabel& label, uint16_t id)
{
    std::string name;
    std::ranges::copy_if(label.Name, std::back_inserter(name),
                         [](unsigned char c) { return std::isalnum(c) || c == '_' || c == '-'; });
    return name.empty() ? std::to_string(id) : name;
}

struct THotKeyPress {
    uint16_t Id = 0;
    uint32_t Time = 0; // the window system's timestamp of the key press
};

enum class THotKeyResult {
    Registered,
    // Another program, or another id of this one, holds the combination.
    Taken,
    // The virtual-key code stands for no key the window system knows.
    UnknownKey,
    // There is no window system to register with.
    Unavailable,
    // The combination was not offered for registration: no id was left to
    // register it under.
    NoId,
    // The desktop did not bind the shortcut (its user declined, or it has no
    // trigger for it).
    NotBound,
    // The desktop bound the shortcut to another trigger than the combination.
    BoundElsewhere,
    // The desktop ended the session that held the shortcuts.
    SessionClosed,
};

// Receives the presses of the combinations it registered.
class IHotKeyOwner {
public:
    virtual void HotKeyPressed(const THotKeyPress& press) = 0;
    // The window system decided about a registration after Register returned
    // (a desktop that binds shortcuts asynchronously, and may change them
    // later): the outcome, and for BoundElsewhere the trigger in the desktop's
    // words. Owners that only need the answer of Register ignore it.
    virtual void RegistrationChanged(uint16_t /*id*/, THotKeyResult /*result*/, const std::string& /*trigger*/) { }

protected:
    ~IHotKeyOwner() = default;
};

class IHotKeyService {
public:
    virtual ~IHotKeyService() = default;

    // False when there is no window system to register with.
    virtual bool Available() const = 0;

    // Registers the combination under the owner's id, replacing what the id
    // held before. A refused registration leaves the id holding nothing.
    // Registering the combination the id already holds changes nothing.
    // A key that the keyboard lacks at the moment is registered and taken as
    // soon as a mapping change gives the keyboard such a key.
    // A desktop that binds shortcuts itself is handed every registration made
    // in one pass of the event loop together, once the loop runs again (binding
    // may show its user a dialog); Register then answers Registered for what it
    // passes on, and the desktop's decision reaches the owner through
    // RegistrationChanged.
    virtual THotKeyResult Register(IHotKeyOwner& owner, uint16_t id, THotKeyCombination combination,
                                   const THotKeyLabel& label) = 0;
    // Withdraws the owner's registration under the id, if there is one.
    virtual void Unregister(IHotKeyOwner& owner, uint16_t id) = 0;
    // Withdraws every registration of the owner; an owner calls it before
    // it goes away.
    virtual void UnregisterAll(IHotKeyOwner& owner) = 0;
};

} // namespace tarvo::platform
