#include <algorithm>
#include <cctype>
#include <optional>
#include <sstream>
#include <string>

#include "conflicts/conflictfinder.h"
#include "platform/services.h"

namespace tarvo::conflicts {

namespace {

// The GSettings desktops that the colon-separated desktop names of
// XDG_CURRENT_DESKTOP ("ubuntu:GNOME", "X-Cinnamon", "MATE") name.
std::vector<TGSettingsDesktop> GSettingsDesktopsNamed(const std::string& desktops)
{
    std::vector<TGSettingsDesktop> named;
    std::istringstream names(desktops);
    for (std::string name; std::getline(names, name, ':');) {
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::toupper(c); });
        if (name == "GNOME" || name == "UNITY")
            named.push_back(TGSettingsDesktop::Gnome);
        else if (name == "X-CINNAMON" || name == "CINNAMON")
            named.push_back(TGSettingsDesktop::Cinnamon);
        else if (name == "MATE")
            named.push_back(TGSettingsDesktop::Mate);
    }
    return named;
}

} // namespace

std::vector<std::unique_ptr<IHolderSource>> RunningDesktopSources()
{
    std::vector<std::unique_ptr<IHolderSource>> sources;
    sources.push_back(KdeGlobalShortcuts());
    sources.push_back(XfceKeyboardShortcuts());
    const std::optional<std::string> desktops = platform::Services().Environment->Get("XDG_CURRENT_DESKTOP");
    for (TGSettingsDesktop desktop : GSettingsDesktopsNamed(desktops.value_or("")))
        sources.push_back(GSettingsKeybindings(desktop));
    sources.push_back(RunningHotKeyPrograms());
    sources.push_back(OtherTarvos());
    return sources;
}

} // namespace tarvo::conflicts
