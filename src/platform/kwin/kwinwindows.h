#pragma once
// The windows of a KWin Wayland desktop, native Wayland ones and XWayland's
// alike, through KWin's scripting: a script loaded for each request reads
// its window list or activates a window.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/kwin/kwinscripts.h"
#include "platform/windowsystem.h"

namespace tarvo::platform::kwin {

class TKWinWindowSystem : public IWindowSystem {
public:
    explicit TKWinWindowSystem(std::shared_ptr<TKWinScripts> scripts) : scripts_(std::move(scripts)) { }

    // Topmost first, as KWin stacks them: its normal windows and dialogs,
    // with the app id (Wayland) or WM_CLASS (XWayland) as KWin knows them.
    std::vector<TTopLevelWindow> TopLevelWindows() const override;
    // Unminimises the window, switches to its desktop and activates it.
    void RestoreAndActivate(TWindowId window) override;

private:
    TWindowId IdOf(const std::string& kwinId) const;

    std::shared_ptr<TKWinScripts> scripts_;
    // KWin names windows by UUIDs; the search by numbers handed out here.
    mutable std::map<std::string, TWindowId> ids_;
};

} // namespace tarvo::platform::kwin
