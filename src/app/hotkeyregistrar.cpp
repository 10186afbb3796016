#include "app/hotkeyregistrar.h"

#include <charconv>
#include <filesystem>
#include <string>

#include "app/hotkeycombination.h"
#include "platform/atomtable.h"

namespace tarvo {

namespace {

// The id of a hotkey that got none from the full atom table; atoms start at
// 0xC000.
constexpr uint16_t NoHotKeyId = 0;

// The hotkey's name in the atom table and, since it stays the same from run
// to run as long as the document keeps the hotkey's ID, towards a desktop that
// remembers its user's choice of trigger by it.
std::string RegistrationName(const THotTarvo& hotkey)
{
    return std::string(RegistrationNamePrefix) + std::to_string(hotkey.ID);
}

} // namespace

std::string RefusalText(const THotKeyRefusal& refusal, int32_t language)
{
    const bool german = language == LanguageGerman;
    switch (refusal.Reason) {
    case platform::THotKeyResult::Taken:
        return german ? "die Tastenkombination ist von einem anderen Programm oder einem anderen Hotkey belegt"
                      : "the combination is held by another program or another hotkey";
    case platform::THotKeyResult::UnknownKey:
        return german ? "diese Tastatur hat keine Taste dafür" : "this keyboard has no key for it";
    case platform::THotKeyResult::NoId:
        return german ? "zu viele Hotkeys: keine Kennung mehr frei" : "too many hotkeys: no registration id is left";
    case platform::THotKeyResult::NotBound:
        return german ? "der Desktop hat sie keinem Tastenkürzel zugeordnet" : "not bound by the desktop";
    case platform::THotKeyResult::BoundElsewhere:
        return german ? "der Desktop hat sie " + refusal.Trigger + " zugeordnet"
                      : "bound by the desktop to " + refusal.Trigger;
    case platform::THotKeyResult::SessionClosed:
        return german ? "der Desktop hat die Sitzung der Tastenkürzel beendet"
                      : "the desktop ended the session of the shortcuts";
    default:
        return german ? "es gibt kein Fenstersystem, bei dem sie angemeldet werden kann"
                      : "there is no window system to register with";
    }
}

THotKeyRegistrar::THotKeyRegistrar(platform::IHotKeyService& service, ITrayMenu& trayMenu,
                                   std::function<THotKeyFile&()> document)
    : service_(service), trayMenu_(trayMenu), document_(std::move(document))
{
}

THotKeyRegistrar::~THotKeyRegistrar()
{
    service_.UnregisterAll(*this);
}

void THotKeyRegistrar::ActivateHotKey(THotTarvo& hotkey)
{
    try {
        hotkey.HotKeyId = platform::GlobalAtoms().Add(RegistrationName(hotkey));
    } catch (const platform::EAtomTableFull&) {
        hotkey.HotKeyId = NoHotKeyId; // refused below; the hotkey keeps its tray entry
    }
    UpdateHotKeyRegistration(hotkey);
}

void THotKeyRegistrar::UpdateHotKeyRegistration(THotTarvo& hotkey)
{
    // The program goes on whatever the outcome; a refusal is only kept for
    // showing.
    const platform::THotKeyLabel label{RegistrationName(hotkey), hotkey.Name, ShortcutGroup(),
                                       OutsideCommand ? OutsideCommand(hotkey) : std::vector<std::string>{}};
    Remember(hotkey.ID,
             hotkey.HotKeyId == NoHotKeyId
                 ? platform::THotKeyResult::NoId
                 : service_.Register(*this, hotkey.HotKeyId, CombinationOf(hotkey.HotKey), label));

    const int entry = trayMenu_.IndexOf(hotkey.ID);
    if (entry == trayMenu_.Count())
        trayMenu_.Append(hotkey.ID, [this](int32_t tag) {
            RunEveryHotKeyThat([tag](const THotTarvo& hotkey) { return hotkey.ID == tag; });
        });
    trayMenu_.SetCaption(entry, hotkey.Name);
}

void THotKeyRegistrar::DeactivateHotKey(THotTarvo& hotkey)
{
    for (int entry = trayMenu_.Count() - 1; entry >= 0; --entry)
        if (trayMenu_.Tag(entry) == hotkey.ID)
            trayMenu_.Remove(entry);
    service_.Unregister(*this, hotkey.HotKeyId);
    platform::GlobalAtoms().Delete(hotkey.HotKeyId);
    refused_.erase(hotkey.ID);
}

void THotKeyRegistrar::RegisterAllHotKeys()
{
    const THotKeyFile& document = document_();
    for (int i = 0; i < document.HotKeyList->Count(); ++i)
        ActivateHotKey(document.HotKey(i));
}

void THotKeyRegistrar::UnregisterAllHotKeys()
{
    const THotKeyFile& document = document_();
    for (int i = 0; i < document.HotKeyList->Count(); ++i)
        DeactivateHotKey(document.HotKey(i));
}

void THotKeyRegistrar::WMHotKey(uint16_t id)
{
    RunEveryHotKeyThat([id](const THotTarvo& hotkey) { return hotkey.HotKeyId == id; });
}

void THotKeyRegistrar::HotKeyEvent(QObject& sender, uint16_t& /*key*/, TShiftState /*shift*/)
{
    if (const auto* component = dynamic_cast<const TEPHotKey*>(&sender))
        if (TID* found = document_().HotKeyList->ObjectWithID(component->Tag))
            Run(CastTo<THotTarvo>(*found));
}

void THotKeyRegistrar::HotKeyPressed(const platform::THotKeyPress& press)
{
    // The press's time is not passed on: the window system takes the time of
    // the latest key event it delivered, which is this press, for the
    // activation of windows.
    WMHotKey(press.Id);
}

void THotKeyRegistrar::RegistrationChanged(uint16_t id, platform::THotKeyResult result, const std::string& trigger)
{
    const THotKeyFile& document = document_();
    for (int i = 0; i < document.HotKeyList->Count(); ++i) {
        const THotTarvo& hotkey = document.HotKey(i);
        if (hotkey.HotKeyId != id)
            continue;
        Remember(hotkey.ID, result, trigger);
        if (OnRegistrationChanged)
            OnRegistrationChanged(hotkey);
    }
}

void THotKeyRegistrar::Remember(int32_t hotkeyId, platform::THotKeyResult result, const std::string& trigger)
{
    if (result == platform::THotKeyResult::Registered)
        refused_.erase(hotkeyId);
    else
        refused_[hotkeyId] = {result, trigger};
}

std::string THotKeyRegistrar::ShortcutGroup() const
{
    if (!DocumentFile)
        return {};
    // One file by whatever name it was given.
    std::error_code ignored; // a name that cannot be resolved serves as it is
    const std::filesystem::path file =
        std::filesystem::weakly_canonical(std::filesystem::absolute(DocumentFile(), ignored), ignored);
    return file.empty() ? DocumentFile() : file.string();
}

bool THotKeyRegistrar::RunEveryHotKeyThat(const std::function<bool(const THotTarvo&)>& matches)
{
    const THotKeyFile& document = document_();
    bool matched = false;
    for (int i = 0; i < document.HotKeyList->Count(); ++i)
        if (matches(document.HotKey(i))) {
            matched = true;
            Run(document.HotKey(i));
        }
    return matched;
}

bool THotKeyRegistrar::RunHotKey(const std::string& nameOrId)
{
    if (RunEveryHotKeyThat([&](const THotTarvo& hotkey) { return hotkey.Name == nameOrId; }))
        return true;
    int32_t id = 0;
    const char* end = nameOrId.data() + nameOrId.size();
    const auto [rest, error] = std::from_chars(nameOrId.data(), end, id);
    return !nameOrId.empty() && error == std::errc{} && rest == end
        && RunEveryHotKeyThat([id](const THotTarvo& hotkey) { return hotkey.ID == id; });
}

void THotKeyRegistrar::Run(const THotTarvo& hotkey) const
{
    hotkey.ExecuteHotKey([this, &hotkey](const THotKeyCommand& command, const TUserText& reason) {
        if (OnLaunchFailed)
            OnLaunchFailed(hotkey, command, reason);
    });
}

} // namespace tarvo
