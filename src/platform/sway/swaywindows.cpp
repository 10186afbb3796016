#include "platform/sway/swaywindows.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

#include "platform/sway/swayconnection.h"

namespace tarvo::platform::sway {

namespace {

constexpr uint32_t SwayGetTree = 4;

QJsonArray Children(const QJsonObject& node)
{
    QJsonArray children = node[QStringLiteral("nodes")].toArray();
    for (const QJsonValue& floating : node[QStringLiteral("floating_nodes")].toArray())
        children.append(floating);
    return children;
}

// Appends the windows below node, the children taken in the order they
// last had the focus (the node's "focus" list of ids), so that the whole
// list runs from the most recently focused window on.
void CollectWindows(const QJsonObject& node, std::vector<TTopLevelWindow>& windows)
{
    const QJsonObject properties = node[QStringLiteral("window_properties")].toObject();
    const bool isWindow = node.contains(QStringLiteral("app_id")) || !properties.isEmpty();
    if (isWindow) {
        QString windowClass = node[QStringLiteral("app_id")].toString();
        if (windowClass.isEmpty())
            windowClass = properties[QStringLiteral("class")].toString();
        windows.push_back({static_cast<TWindowId>(node[QStringLiteral("id")].toInteger()),
                           node[QStringLiteral("name")].toString().toStdString(),
                           properties[QStringLiteral("instance")].toString().toStdString(), windowClass.toStdString(),
                           node[QStringLiteral("focused")].toBool()});
        return;
    }
    std::vector<QJsonObject> children;
    for (const QJsonValue& child : Children(node))
        children.push_back(child.toObject());
    const QJsonArray focus = node[QStringLiteral("focus")].toArray();
    const auto recency = [&focus](const QJsonObject& child) {
        const auto found = std::find(focus.begin(), focus.end(), child[QStringLiteral("id")]);
        return found - focus.begin();
    };
    std::stable_sort(children.begin(), children.end(),
                     [&](const QJsonObject& a, const QJsonObject& b) { return recency(a) < recency(b); });
    for (const QJsonObject& child : children)
        CollectWindows(child, windows);
}

} // namespace

TSwaySearchWindows::TSwaySearchWindows(const std::string& socketPath)
    : connection_(std::make_unique<TSwayConnection>(socketPath))
{
}

TSwaySearchWindows::~TSwaySearchWindows() = default;

std::vector<TTopLevelWindow> TSwaySearchWindows::TopLevelWindows() const
{
    std::vector<TTopLevelWindow> windows;
    CollectWindows(QJsonDocument::fromJson(connection_->Request(SwayGetTree, {})).object(), windows);
    return windows;
}

void TSwaySearchWindows::RestoreAndActivate(TWindowId window)
{
    // A window in the scratchpad is shown by its own command; focus brings
    // any other to the front, on its workspace.
    const QByteArray criteria = "[con_id=" + QByteArray::number(window) + "] ";
    connection_->Request(SwayRunCommand, criteria + "focus");
}

} // namespace tarvo::platform::sway
