#include "platform/kwin/kwinwindows.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace tarvo::platform::kwin {

namespace {

// Lists the windows, topmost first, for TopLevelWindows.
constexpr const char* ListWindows = R"(
var active = workspace.activeClient;
var windows = workspace.clientList().filter(function (c) { return c.normalWindow || c.dialog; });
windows.sort(function (a, b) { return b.stackingOrder - a.stackingOrder; });
answer(JSON.stringify(windows.map(function (c) {
    return {id: c.internalId.toString(), title: c.caption, instance: c.resourceName,
            windowClass: c.resourceClass, appId: c.desktopFileName, active: c === active};
})));
)";

// Brings back the window whose id WINDOW is replaced by.
constexpr const char* ActivateWindow = R"(
workspace.clientList().forEach(function (c) {
    if (c.internalId.toString() !== WINDOW)
        return;
    if (c.minimized)
        c.minimized = false;
    if (!c.onAllDesktops && c.desktop > 0)
        workspace.currentDesktop = c.desktop;
    workspace.activeClient = c;
});
)";

} // namespace

TWindowId TKWinWindowSystem::IdOf(const std::string& kwinId) const
{
    const auto [entry, added] = ids_.try_emplace(kwinId, static_cast<TWindowId>(ids_.size() + 1));
    return entry->second;
}

std::vector<TTopLevelWindow> TKWinWindowSystem::TopLevelWindows() const
{
    const std::optional<QString> answer = scripts_->Run(QString::fromLatin1(ListWindows), true);
    std::vector<TTopLevelWindow> windows;
    if (!answer)
        return windows;
    for (const QJsonValue& value : QJsonDocument::fromJson(answer->toUtf8()).array()) {
        const QJsonObject window = value.toObject();
        // A native Wayland window has its app id as its class; KWin names
        // the desktop file it found for it too.
        QString windowClass = window[QStringLiteral("windowClass")].toString();
        if (windowClass.isEmpty())
            windowClass = window[QStringLiteral("appId")].toString();
        windows.push_back({IdOf(window[QStringLiteral("id")].toString().toStdString()),
                           window[QStringLiteral("title")].toString().toStdString(),
                           window[QStringLiteral("instance")].toString().toStdString(), windowClass.toStdString(),
                           window[QStringLiteral("active")].toBool()});
    }
    return windows;
}

void TKWinWindowSystem::RestoreAndActivate(TWindowId window)
{
    for (const auto& [kwinId, id] : ids_)
        if (id == window)
            scripts_->Run(QString::fromLatin1(ActivateWindow)
                              .replace(QStringLiteral("WINDOW"), JsString(QString::fromStdString(kwinId))),
                          false);
}

} // namespace tarvo::platform::kwin
