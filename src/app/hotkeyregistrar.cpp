#include "app/hotkeyregistrar.h"

#include <string>

#include "app/hotkeycombination.h"
#include "platform/atomtable.h"

namespace tarvo {

namespace {

// The id of a hotkey that got none from the full atom table; atoms start at
// 0xC000.
constexpr uint16_t NoHotKeyId = 0;

} // namespace

std::string RefusalText(platform::THotKeyResult reason, int32_t language)
{
    const bool german = language == LanguageGerman;
    switch (reason) {
    case platform::THotKeyResult::Taken:
        return german ? "die Tastenkombination ist von einem anderen Programm oder einem anderen Hotkey belegt"
                      : "the combination is held by another program or another hotkey";
    case platform::THotKeyResult::UnknownKey:
        return german ? "diese Tastatur hat keine Taste dafür" : "this keyboard has no key for it";
    case platform::THotKeyResult::NoId:
        return german ? "zu viele Hotkeys: keine Kennung mehr frei" : "too many hotkeys: no registration id is left";
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
        hotkey.HotKeyId = platform::GlobalAtoms().Add("THotTarvo" + std::to_string(hotkey.ID));
    } catch (const platform::EAtomTableFull&) {
        hotkey.HotKeyId = NoHotKeyId; // refused below; the hotkey keeps its tray entry
    }
    UpdateHotKeyRegistration(hotkey);
}

void THotKeyRegistrar::UpdateHotKeyRegistration(THotTarvo& hotkey)
{
    // The program goes on whatever the outcome; a refusal is only kept for
    // showing.
    const platform::THotKeyResult result = hotkey.HotKeyId == NoHotKeyId
        ? platform::THotKeyResult::NoId
        : service_.Register(*this, hotkey.HotKeyId, CombinationOf(hotkey.HotKey));
    if (result == platform::THotKeyResult::Registered)
        refused_.erase(hotkey.ID);
    else
        refused_[hotkey.ID] = result;

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

void THotKeyRegistrar::RunEveryHotKeyThat(const std::function<bool(const THotTarvo&)>& matches)
{
    const THotKeyFile& document = document_();
    for (int i = 0; i < document.HotKeyList->Count(); ++i)
        if (matches(document.HotKey(i)))
            Run(document.HotKey(i));
}

void THotKeyRegistrar::Run(const THotTarvo& hotkey) const
{
    hotkey.ExecuteHotKey([this, &hotkey](const THotKeyCommand& command, const std::string& reason) {
        if (OnLaunchFailed)
            OnLaunchFailed(hotkey, command, reason);
    });
}

} // namespace tarvo
