#pragma once
// Registration and dispatch of the document's hotkeys: every hotkey is
// registered system-wide under an id made from its ID, and has an entry in
// the tray menu; a press runs the hotkey's commands.

#include <QObject>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "app/tephotkey.h"
#include "app/traymenu.h"
#include "hotkeys/hotkeyfile.h"
#include "platform/hotkeyservice.h"

namespace tarvo {

// The names the registrar gives its registrations start with it (a hotkey's
// is the prefix and its ID), so that a desktop's list of shortcuts tells
// Tarvo's apart.
inline constexpr std::string_view RegistrationNamePrefix = "THotTarvo";

// Why a hotkey does not hold its combination.
struct THotKeyRefusal {
    THotKeyRefusal() = default;
    THotKeyRefusal(platform::THotKeyResult reason, std::string trigger = {})
        : Reason(reason), Trigger(std::move(trigger))
    {
    }

    platform::THotKeyResult Reason = platform::THotKeyResult::Unavailable;
    // For BoundElsewhere: the trigger the desktop bound the hotkey to.
    std::string Trigger;

    bool operator==(const THotKeyRefusal&) const = default;
};

// Why a registration was refused, for the user, in the interface language
// (0 English, 1 German).
std::string RefusalText(const THotKeyRefusal& refusal, int32_t language);

class THotKeyRegistrar : private platform::IHotKeyOwner {
public:
    // document gives the current document whenever it is needed. The tray
    // menu's entries call back into the registrar, which must therefore
    // outlive them.
    THotKeyRegistrar(platform::IHotKeyService& service, ITrayMenu& trayMenu, std::function<THotKeyFile&()> document);
    // Withdraws every registration.
    ~THotKeyRegistrar();
    THotKeyRegistrar(const THotKeyRegistrar&) = delete;
    THotKeyRegistrar& operator=(const THotKeyRegistrar&) = delete;

    // Gives the hotkey its id ("THotTarvo" + ID in the global atom table)
    // and registers it. When the table is full the hotkey gets no id and is
    // refused (NoId), keeping its tray entry; the hotkeys after it go on.
    void ActivateHotKey(THotTarvo& hotkey);
    // Registers the hotkey's combination under its id, replacing the one
    // registered before, and keeps its tray entry, captioned with its Name.
    void UpdateHotKeyRegistration(THotTarvo& hotkey);
    // Removes the hotkey's tray entries, withdraws its registration and
    // releases its id.
    void DeactivateHotKey(THotTarvo& hotkey);
    // ActivateHotKey, resp. DeactivateHotKey, for every hotkey of the
    // document in ascending ID order.
    void RegisterAllHotKeys();
    void UnregisterAllHotKeys();

    // A press of the combination registered under id: runs every hotkey of
    // the document that has this id.
    void WMHotKey(uint16_t id);
    // Runs every hotkey named nameOrId or, when none is and it is a decimal
    // number, the hotkey with that ID; whether one ran.
    bool RunHotKey(const std::string& nameOrId);
    // The handler for a TEPHotKey's OnHotKey: runs the first hotkey whose ID is
    // the component's Tag. Other senders are ignored.
    void HotKeyEvent(QObject& sender, uint16_t& key, TShiftState shift);

    // The document whose hotkeys the registrar registers.
    const THotKeyFile& Document() const { return document_(); }

    // Why the latest registration of a hotkey was refused, by hotkey ID;
    // hotkeys that hold their combination are not listed.
    const std::map<int32_t, THotKeyRefusal>& RefusedHotKeys() const { return refused_; }

    // Told about each command of a running hotkey that could not be started.
    std::function<void(const THotTarvo& hotkey, const THotKeyCommand& command, const TUserText& reason)> OnLaunchFailed;
    // Names the document's file, towards desktops that keep the shortcuts of
    // each file apart; unset, the shortcuts of every document are one set.
    std::function<std::string()> DocumentFile;
    // The program and arguments that run the hotkey in this program from
    // outside it ("tarvo --run ID"), for desktops that bind keys to commands;
    // unset, such desktops bind nothing.
    std::function<std::vector<std::string>(const THotTarvo& hotkey)> OutsideCommand;
    // Told about each hotkey whose registration the window system decided or
    // changed later, outside the registrar's own calls (a desktop that binds
    // shortcuts itself); RefusedHotKeys already holds the outcome.
    std::function<void(const THotTarvo& hotkey)> OnRegistrationChanged;

private:
    void HotKeyPressed(const platform::THotKeyPress& press) override;
    void RegistrationChanged(uint16_t id, platform::THotKeyResult result, const std::string& trigger) override;
    // The document's file, as the group of its hotkeys' labels.
    std::string ShortcutGroup() const;
    void Remember(int32_t hotkeyId, platform::THotKeyResult result, const std::string& trigger = {});
    // Runs every hotkey of the document that matches, in list order: for a
    // press, those registered under its id; for a click on a tray entry,
    // those whose ID is the entry's tag (only a hand-made file holds two
    // hotkeys with one ID). Whether one matched.
    bool RunEveryHotKeyThat(const std::function<bool(const THotTarvo&)>& matches);
    void Run(const THotTarvo& hotkey) const;

    platform::IHotKeyService& service_;
    ITrayMenu& trayMenu_;
    std::function<THotKeyFile&()> document_;
    std::map<int32_t, THotKeyRefusal> refused_;
};

} // namespace tarvo
