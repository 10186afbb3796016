#include "platform/windowsystemservices.h"

#include <QDBusConnection>

#include "platform/headless/headlessservices.h"
#include "platform/kwin/kwinwindows.h"
#include "platform/portal/portalhotkeys.h"
#include "platform/x11/x11services.h"

namespace tarvo::platform {

namespace {

enum class THotKeyBackend { Choose, Portal, X11 };

bool IsWaylandSession(const IEnvironment& environment)
{
    return !environment.Get("WAYLAND_DISPLAY").value_or("").empty()
        || environment.Get("XDG_SESSION_TYPE").value_or("") == "wayland";
}

} // namespace

TWindowSystemChoice InstallWindowSystemServices(TServices& services,
                                                std::function<void(const std::string& problem)> onConnectionLost)
{
    TWindowSystemChoice choice;
    const IEnvironment& environment = *services.Environment;
    const std::string display = environment.Get("DISPLAY").value_or("");
    const std::string forced = environment.Get("TARVO_HOTKEYS").value_or("");
    THotKeyBackend backend = THotKeyBackend::Choose;
    if (forced == "portal")
        backend = THotKeyBackend::Portal;
    else if (forced == "x11")
        backend = THotKeyBackend::X11;
    else if (!forced.empty())
        choice.Warning = "TARVO_HOTKEYS=" + forced + " is neither portal nor x11; the session decides";
    const bool wayland = IsWaylandSession(environment);

    std::function<void()> onX11Lost;
    if (onConnectionLost)
        onX11Lost = [onConnectionLost] { onConnectionLost("the connection to the X server broke"); };
    const bool x11 = x11::InstallX11Services(services, std::move(onX11Lost));
    if (!x11)
        headless::InstallHeadlessServices(services);
    choice.WindowSearch = x11 ? "X11 (DISPLAY=" + display + ")" : "none";

    bool portal = false;
    const bool tryPortal = backend == THotKeyBackend::Portal || (backend == THotKeyBackend::Choose && wayland);
    if (tryPortal) {
        const QDBusConnection bus = QDBusConnection::sessionBus();
        portal = portal::PortalOffersGlobalShortcuts(bus);
        if (portal)
            services.HotKeys = std::make_unique<portal::TPortalHotKeys>(bus);
    }
    if (portal) {
        choice.Reached = true;
        choice.HotKeys = "the desktop portal's global shortcuts";
    } else if (x11 && backend != THotKeyBackend::Portal) {
        choice.Reached = true;
        choice.HotKeys = "X11 key grabs";
        if (tryPortal)
            choice.Warning = "the desktop portal offers no global shortcuts: the X11 key grabs see keys only while an "
                             "X11 window has the focus";
    } else {
        headless::InstallHeadlessServices(services);
        choice.HotKeys = choice.WindowSearch = "none";
        if (backend == THotKeyBackend::Portal)
            choice.Problem = "the desktop portal offers no global shortcuts (TARVO_HOTKEYS=portal)";
        else
            choice.Problem = "no X server can be reached (DISPLAY=" + display + ")"
                + (tryPortal ? " and the desktop portal offers no global shortcuts" : "");
    }
    // KWin lists the windows of its Wayland desktop, native ones and
    // XWayland's alike; X11 alone would see only the latter.
    if (choice.Reached && wayland && kwin::KWinOffersScripting(QDBusConnection::sessionBus())) {
        services.WindowSystem = std::make_unique<kwin::TKWinWindowSystem>(QDBusConnection::sessionBus());
        choice.WindowSearch = "KWin's scripting";
    }
    return choice;
}

void WithdrawWindowSystemServices(TServices& services)
{
    headless::InstallHeadlessServices(services);
}

} // namespace tarvo::platform
