#pragma once
// Run-or-raise on a Wayland desktop that a test harness started: native
// windows of the test's own (testwindow, with a title and an app id), and
// the window a hotkey brings back through the installed window search.

#include <QProcess>
#include <QProcessEnvironment>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "hotkeys/hotkey.h"
#include "platform/services.h"
#include "support/eventloop.h"

namespace tarvo::testsupport {

class TWaylandTestWindows {
public:
    static constexpr int Patience = 15000;

    // The windows connect to the desktop that environment names.
    explicit TWaylandTestWindows(QProcessEnvironment environment) : environment_(std::move(environment))
    {
        environment_.insert("QT_QPA_PLATFORM", "wayland");
    }
    ~TWaylandTestWindows()
    {
        for (auto& window : windows_) {
            window->terminate();
            window->waitForFinished(Patience);
        }
    }

    // Opens a window and waits until the search lists it.
    bool Open(const QString& title, const QString& appId, bool minimized = false)
    {
        auto& window = windows_.emplace_back(std::make_unique<QProcess>());
        window->setProcessEnvironment(environment_);
        window->start(TESTWINDOW_PATH, {title, appId, minimized ? "minimized" : "shown"});
        return Until([&] { return Find(title.toStdString()) != nullptr; }, Patience);
    }
    std::vector<platform::TTopLevelWindow> Windows() const
    {
        return platform::Services().WindowSystem->TopLevelWindows();
    }
    std::unique_ptr<platform::TTopLevelWindow> Find(const std::string& title) const
    {
        for (const auto& window : Windows())
            if (window.Title == title)
                return std::make_unique<platform::TTopLevelWindow>(window);
        return nullptr;
    }
    std::string ActiveTitle() const
    {
        for (const auto& window : Windows())
            if (window.Active)
                return window.Title;
        return {};
    }
    // Runs a hotkey whose one command looks for the window text, and returns
    // the title of the window that has the focus afterwards.
    std::string Press(const std::string& lookFor) const
    {
        THotTarvo hotkey;
        auto command = std::make_unique<THotKeyCommand>();
        command->FileName = "/nonexistent";
        command->LookForWindow = lookFor;
        hotkey.Commands->Add(std::move(command));
        const std::string before = ActiveTitle();
        hotkey.ExecuteHotKey();
        Until([&] { return ActiveTitle() != before; }, 3000);
        return ActiveTitle();
    }

private:
    QProcessEnvironment environment_;
    std::vector<std::unique_ptr<QProcess>> windows_;
};

} // namespace tarvo::testsupport
