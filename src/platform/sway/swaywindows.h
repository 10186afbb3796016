#pragma once
// The windows of sway, native Wayland ones and XWayland's alike, from its
// tree through the IPC socket; a window is brought back by focusing its
// container, which switches to its workspace.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/windowsystem.h"

namespace tarvo::platform::sway {

class TSwayConnection;

class TSwaySearchWindows : public IWindowSystem {
public:
    // Connects to the socket; raises EWindowSystemError when it cannot.
    explicit TSwaySearchWindows(const std::string& socketPath);
    ~TSwaySearchWindows() override;

    // The windows in the order they last had the focus, the focused one
    // first (sway stacks no windows over each other but floating ones); the
    // app id (Wayland) or WM_CLASS (XWayland) as their class.
    std::vector<TTopLevelWindow> TopLevelWindows() const override;
    void RestoreAndActivate(TWindowId window) override;

private:
    std::unique_ptr<TSwayConnection> connection_;
};

} // namespace tarvo::platform::sway
