#pragma once
// The top-level windows of an X11 desktop.

#include <memory>

#include "platform/windowsystem.h"
#include "platform/x11/compoundtext.h"
#include "platform/x11/windowmanager.h"

namespace tarvo::platform::x11 {

class TX11WindowSystem : public IWindowSystem {
public:
    explicit TX11WindowSystem(std::shared_ptr<TWindowManager> manager)
        : manager_(std::move(manager)), compoundText_(manager_->Connection())
    {
    }

    // Titles from _NET_WM_NAME, else from WM_NAME: COMPOUND_TEXT converted
    // to UTF-8, any other type in whatever encoding the window wrote it.
    std::vector<TTopLevelWindow> TopLevelWindows() const override;
    // Activation requests carry the time of the last event that reached the
    // shared connection: the key press that fired the hotkey.
    void RestoreAndActivate(TWindowId window) override { manager_->Activate(window); }

private:
    std::shared_ptr<TWindowManager> manager_;
    mutable TCompoundTextDecoder compoundText_;
};

} // namespace tarvo::platform::x11
