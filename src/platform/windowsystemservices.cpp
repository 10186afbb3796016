#include "platform/windowsystemservices.h"

#include <QDBusConnection>

#include "platform/errors.h"
#include "platform/gnome/gnomekeybindings.h"
#include "platform/headless/headlessservices.h"
#include "platform/kwin/kwinlauncher.h"
#include "platform/kwin/kwinwindows.h"
#include "platform/portal/portalhotkeys.h"
#include "platform/sway/swayhotkeys.h"
#include "platform/sway/swaylauncher.h"
#include "platform/sway/swaywindows.h"
#include "platform/x11/x11services.h"

namespace tarvo::platform {

namespace {

enum class THotKeyBackend { Choose, Portal, Sway, Gnome, X11 };

bool IsWaylandSession(const IEnvironment& environment)
{
    return !environment.Get("WAYLAND_DISPLAY").value_or("").empty()
        || environment.Get("XDG_SESSION_TYPE").value_or("") == "wayland";
}

// The hotkey backend TARVO_HOTKEYS names; Choose, with a warning, for a
// name it does not know.
THotKeyBackend ForcedBackend(const std::string& forced, std::string& warning)
{
    if (forced == "portal")
        return THotKeyBackend::Portal;
    if (forced == "sway")
        return THotKeyBackend::Sway;
    if (forced == "gnome")
        return THotKeyBackend::Gnome;
    if (forced == "x11")
        return THotKeyBackend::X11;
    if (!forced.empty())
        warning = "TARVO_HOTKEYS=" + forced + " is none of sway, portal, gnome, x11; the session decides";
    return THotKeyBackend::Choose;
}

bool IsGnomeDesktop(const IEnvironment& environment)
{
    const std::string desktops = ":" + environment.Get("XDG_CURRENT_DESKTOP").value_or("") + ":";
    return desktops.find(":GNOME:") != std::string::npos;
}

// Sway's IPC where SWAYSOCK names its socket; nullptr, with the reason in
// problem, where it cannot be reached.
std::unique_ptr<IHotKeyService> SwayHotKeys(const std::string& socket, std::function<void()> onLost,
                                            std::string& problem)
{
    try {
        return std::make_unique<sway::TSwayHotKeys>(socket, std::move(onLost));
    } catch (const EWindowSystemError& error) {
        problem = error.what();
        return nullptr;
    }
}

// Sway's tree and KWin's scripting list the windows of their Wayland
// desktops, native ones and XWayland's alike; X11 alone would see only the
// latter.
void InstallWaylandWindowSearch(TServices& services, const std::string& swaySocket, bool wayland,
                                TWindowSystemChoice& choice)
{
    if (!swaySocket.empty()) {
        try {
            auto search = std::make_unique<sway::TSwaySearchWindows>(swaySocket);
            // Sway's tree holds XWayland's windows too: its launcher shows
            // either kind as the command says.
            auto launcher = std::make_unique<sway::TSwayLauncher>(swaySocket);
            services.WindowSystem = std::move(search);
            services.Launcher = std::move(launcher);
            choice.WindowSearch = "sway's tree (SWAYSOCK=" + swaySocket + ")";
            return;
        } catch (const EWindowSystemError&) {
            // The search and the launches stay with X11, which reaches
            // XWayland's windows; the hotkeys' choice has said already why
            // sway cannot be reached.
        }
    }
    if (wayland && kwin::KWinOffersScripting(QDBusConnection::sessionBus())) {
        auto scripts = std::make_shared<kwin::TKWinScripts>(QDBusConnection::sessionBus());
        services.WindowSystem = std::make_unique<kwin::TKWinWindowSystem>(scripts);
        // KWin shows XWayland's windows too: its launcher shows either kind
        // as the command says.
        services.Launcher = std::make_unique<kwin::TKWinLauncher>(scripts);
        choice.WindowSearch = "KWin's scripting";
    }
}

} // namespace

TWindowSystemChoice InstallWindowSystemServices(TServices& services,
                                                std::function<void(const std::string& problem)> onConnectionLost)
{
    TWindowSystemChoice choice;
    const IEnvironment& environment = *services.Environment;
    const std::string display = environment.Get("DISPLAY").value_or("");
    const std::string swaySocket = environment.Get("SWAYSOCK").value_or("");
    const THotKeyBackend backend = ForcedBackend(environment.Get("TARVO_HOTKEYS").value_or(""), choice.Warning);
    const bool wayland = IsWaylandSession(environment);

    std::function<void()> onX11Lost;
    if (onConnectionLost)
        onX11Lost = [onConnectionLost] { onConnectionLost("the connection to the X server broke"); };
    const bool x11 = x11::InstallX11Services(services, std::move(onX11Lost));
    if (!x11)
        headless::InstallHeadlessServices(services);
    choice.WindowSearch = x11 ? "X11 (DISPLAY=" + display + ")" : "none";

    // Sway binds keys for a program directly, with no dialog; its portal
    // offers no global shortcuts. So its socket is tried before the portal.
    std::unique_ptr<IHotKeyService> hotkeys;
    std::string swayProblem;
    const bool trySway = backend == THotKeyBackend::Sway || (backend == THotKeyBackend::Choose && !swaySocket.empty());
    if (trySway) {
        std::function<void()> onSwayLost;
        if (onConnectionLost)
            onSwayLost = [onConnectionLost] { onConnectionLost("the connection to sway broke"); };
        if ((hotkeys = SwayHotKeys(swaySocket, std::move(onSwayLost), swayProblem)))
            choice.HotKeys = "sway's key bindings (SWAYSOCK=" + swaySocket + ")";
    }
    const bool tryPortal = backend == THotKeyBackend::Portal || (backend == THotKeyBackend::Choose && wayland);
    if (!hotkeys && tryPortal) {
        const QDBusConnection bus = QDBusConnection::sessionBus();
        if (portal::PortalOffersGlobalShortcuts(bus)) {
            hotkeys = std::make_unique<portal::TPortalHotKeys>(bus);
            choice.HotKeys = "the desktop portal's global shortcuts";
        }
    }
    // GNOME before 48 has no global shortcuts in its portal, but binds keys
    // to commands. In an X11 session the key grabs serve better: no process
    // is started per press.
    const bool tryGnome = backend == THotKeyBackend::Gnome
        || (backend == THotKeyBackend::Choose && wayland && IsGnomeDesktop(environment));
    if (!hotkeys && tryGnome && gnome::GnomeOffersCustomKeybindings()) {
        hotkeys = std::make_unique<gnome::TGnomeHotKeys>();
        choice.HotKeys = "GNOME's custom keybindings";
    }
    const bool forcedElsewhere = backend != THotKeyBackend::Choose && backend != THotKeyBackend::X11;
    if (hotkeys) {
        services.HotKeys = std::move(hotkeys);
        choice.Reached = true;
    } else if (x11 && !forcedElsewhere) {
        choice.Reached = true;
        choice.HotKeys = "X11 key grabs";
        if (tryPortal || trySway || tryGnome)
            choice.Warning = (trySway ? swayProblem : "the desktop binds no keys for the program")
                + ": the X11 key grabs see keys only while an X11 window has the focus";
    } else {
        headless::InstallHeadlessServices(services);
        choice.HotKeys = choice.WindowSearch = "none";
        if (backend == THotKeyBackend::Portal)
            choice.Problem = "the desktop portal offers no global shortcuts (TARVO_HOTKEYS=portal)";
        else if (backend == THotKeyBackend::Sway)
            choice.Problem = swayProblem + " (TARVO_HOTKEYS=sway)";
        else if (backend == THotKeyBackend::Gnome)
            choice.Problem = "GNOME's custom keybindings are not installed (TARVO_HOTKEYS=gnome)";
        else
            choice.Problem = "no X server can be reached (DISPLAY=" + display + ")"
                + (trySway ? ", " + swayProblem : "")
                + (tryPortal ? " and the desktop portal offers no global shortcuts" : "");
    }
    if (choice.Reached)
        InstallWaylandWindowSearch(services, swaySocket, wayland, choice);
    return choice;
}

void WithdrawWindowSystemServices(TServices& services)
{
    headless::InstallHeadlessServices(services);
}

} // namespace tarvo::platform
