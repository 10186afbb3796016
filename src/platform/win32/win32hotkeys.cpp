#include "platform/win32/win32hotkeys.h"

#include <windows.h>

#include <map>
#include <string>
#include <utility>

#include "platform/errors.h"
#include "platform/win32/widetext.h"

namespace tarvo::platform::win32 {

namespace {

// The modifier bits of a combination are those of RegisterHotKey.
static_assert(HotKeyModAlt == MOD_ALT && HotKeyModControl == MOD_CONTROL && HotKeyModShift == MOD_SHIFT);

struct TRegistration {
    IHotKeyOwner* Owner = nullptr;
    uint16_t Id = 0;
    THotKeyCombination Combination;
    ATOM Atom = 0; // 0 for a combination without a key, which is never registered with the system
};

class TWin32HotKeys : public IHotKeyService {
public:
    ~TWin32HotKeys() override
    {
        while (!registrations_.empty())
            Withdraw(registrations_.begin());
        if (window_)
            ::DestroyWindow(window_);
    }

    bool Available() const override { return true; }

    THotKeyResult Register(IHotKeyOwner& owner, uint16_t id, THotKeyCombination combination,
                           const THotKeyLabel& /*label*/) override
    {
        const auto key = std::make_pair(&owner, id);
        if (const auto held = registrations_.find(key); held != registrations_.end()) {
            if (held->second.Combination == combination)
                return THotKeyResult::Registered;
            Withdraw(held);
        }
        // Virtual-key codes run from 1 to 254.
        if (combination.VirtualKey > 0xFE)
            return THotKeyResult::UnknownKey;
        TRegistration registration{&owner, id, combination, 0};
        if (combination.VirtualKey != 0) {
            // A name unique to this process, owner and id: the atom stays
            // this registration's while it lives.
            const std::wstring name = L"tarvo-hotkey-" + std::to_wstring(::GetCurrentProcessId()) + L"-"
                + std::to_wstring(reinterpret_cast<uintptr_t>(&owner)) + L"-" + std::to_wstring(id);
            registration.Atom = ::GlobalAddAtomW(name.c_str());
            if (registration.Atom == 0)
                return THotKeyResult::NoId;
            if (!::RegisterHotKey(Window(), registration.Atom, combination.Modifiers, combination.VirtualKey)) {
                ::GlobalDeleteAtom(registration.Atom);
                return THotKeyResult::Taken;
            }
        }
        registrations_.emplace(key, registration);
        return THotKeyResult::Registered;
    }

    void Unregister(IHotKeyOwner& owner, uint16_t id) override
    {
        if (const auto held = registrations_.find(std::make_pair(&owner, id)); held != registrations_.end())
            Withdraw(held);
    }

    void UnregisterAll(IHotKeyOwner& owner) override
    {
        for (auto held = registrations_.begin(); held != registrations_.end();)
            held = held->first.first == &owner ? Withdraw(held) : std::next(held);
    }

private:
    using TRegistrations = std::map<std::pair<IHotKeyOwner*, uint16_t>, TRegistration>;

    TRegistrations::iterator Withdraw(TRegistrations::iterator held)
    {
        if (held->second.Atom != 0) {
            ::UnregisterHotKey(window_, held->second.Atom);
            ::GlobalDeleteAtom(held->second.Atom);
        }
        return registrations_.erase(held);
    }

    void Pressed(ATOM atom, uint32_t time) const
    {
        for (const auto& [key, registration] : registrations_)
            if (registration.Atom == atom) {
                registration.Owner->HotKeyPressed({registration.Id, time});
                return;
            }
    }

    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_HOTKEY) {
            if (auto* self = reinterpret_cast<TWin32HotKeys*>(::GetWindowLongPtrW(window, GWLP_USERDATA)))
                self->Pressed(static_cast<ATOM>(wParam), static_cast<uint32_t>(::GetMessageTime()));
            return 0;
        }
        return ::DefWindowProcW(window, message, wParam, lParam);
    }

    // The hidden window that receives the hotkey messages, made on first use
    // so that programs that register nothing make none.
    HWND Window()
    {
        if (window_)
            return window_;
        static const wchar_t className[] = L"TarvoHotKeys";
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = WindowProcedure;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = className;
        ::RegisterClassW(&windowClass); // fails harmlessly when a previous service registered it
        window_ =
            ::CreateWindowExW(0, className, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, windowClass.hInstance, nullptr);
        if (!window_)
            throw EWindowSystemError("cannot create the window for hotkey messages (error "
                                     + std::to_string(::GetLastError()) + ")");
        ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        return window_;
    }

    TRegistrations registrations_;
    HWND window_ = nullptr;
};

} // namespace

std::unique_ptr<IHotKeyService> CreateWin32HotKeys()
{
    return std::make_unique<TWin32HotKeys>();
}

} // namespace tarvo::platform::win32
