#pragma once
// The notification-area icon of the application: one icon in the system
// tray, mouse actions on it turned into events, and the application's
// minimise and restore taken over, so that a minimised application leaves
// the task bar and lives on only as that icon.
//
// Rule of visibility, kept by every operation: the icon is present exactly
// when Active is true and either the application is minimised or
// SeparateIcon is true. Where no tray can show an icon (no StatusNotifierItem
// host and no XEmbed tray, or it went away), minimising leaves a normal
// minimised window instead of hiding the application out of reach.

#include <QIcon>
#include <QObject>
#include <QPoint>
#include <QSystemTrayIcon>

#include <functional>
#include <string>

#include "persist/errors.h"

class QMenu;
class QWidget;

namespace tarvo {

// The icon cannot be put into the notification area.
class ETrayIconError : public ETarvoError {
public:
    using ETarvoError::ETarvoError;
};

class TTrayIcon : public QObject {
    Q_OBJECT

public:
    using TNotifyEvent = std::function<void(TTrayIcon& sender)>;
    // The right button was released at the screen position.
    using TRightClickEvent = std::function<void(TTrayIcon& sender, QPoint position)>;

    // The icon of window, the application's window, whose minimising and
    // restoring it takes over. Active, without a separate icon; the icon is
    // the application's, the tooltip its title.
    TTrayIcon(QWidget& window, QObject* owner);
    ~TTrayIcon() override;

    bool Active() const { return active_; }
    void SetActive(bool active);
    const std::string& Hint() const { return hint_; }
    // The tooltip is the hint's first 63 characters; an empty hint shows none.
    void SetHint(const std::string& hint);
    const QIcon& Icon() const { return icon_; }
    void SetIcon(const QIcon& icon);
    bool SeparateIcon() const { return separateIcon_; }
    void SetSeparateIcon(bool separate);
    // Popped up by the icon itself on a right click while the window is not
    // visible or the icon is separate; not owned.
    QMenu* PopupMenu = nullptr;
    // The menu that a desktop drawing the tray's menus itself (a
    // StatusNotifierItem host, on Wayland and KDE) shows for the icon, from
    // the time the icon is first shown; not owned.
    QMenu* DesktopMenu = nullptr;
    // Whether the desktop shows DesktopMenu: then the program shows no menu
    // of its own on a right click.
    bool DesktopDrawsMenu() const { return tray_.contextMenu() != nullptr; }

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TRightClickEvent OnRightClick;
    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;

    // True while the application is minimised, as far as the icon has seen.
    bool Minimized() const { return minimized_; }
    bool IconPresent() const { return !iconAbsent_; }
    // The tooltip the icon shows.
    const std::string& Tooltip() const { return tooltip_; }

    // Tells the user something without stopping them: through the icon
    // while it is shown, otherwise as a desktop notification where the
    // desktop has a notification service.
    void ShowNotice(const std::string& title, const std::string& text);

    // Whether a tray can show the icon now; tests put their own answer.
    std::function<bool()> TrayAvailable = &QSystemTrayIcon::isSystemTrayAvailable;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AddIcon();
    void RemoveIcon();
    void Activated(QSystemTrayIcon::ActivationReason reason);
    void RightClick();
    void ApplicationMinimized();
    void ApplicationRestored();

private slots:
    // A tray appeared or went away: an application hidden in a tray that
    // is gone comes back as a minimised window.
    void TrayChanged();

private:
    QWidget& window_;
    QSystemTrayIcon tray_;
    bool active_ = true;
    std::string hint_;
    std::string tooltip_;
    QIcon icon_;
    bool separateIcon_ = false;
    bool minimized_ = false;
    bool iconAbsent_ = true;
};

} // namespace tarvo
