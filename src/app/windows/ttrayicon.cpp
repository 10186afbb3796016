#include "app/windows/ttrayicon.h"

#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QWidget>

#include "app/windows/desktopnotices.h"
#include "persist/text.h"

namespace tarvo {

namespace {

// As much of a tooltip as the notification area takes.
constexpr size_t TooltipLength = 63;

} // namespace

TTrayIcon::TTrayIcon(QWidget& window, QObject* owner) : QObject(owner), window_(window), tray_(this)
{
    icon_ = QGuiApplication::windowIcon();
    tray_.setIcon(icon_);
    tooltip_ = std::string(FirstCharacters(QGuiApplication::applicationDisplayName().toStdString(), TooltipLength));
    tray_.setToolTip(QString::fromStdString(tooltip_));
    connect(&tray_, &QSystemTrayIcon::activated, this, &TTrayIcon::Activated);
    // The X11 platform announces a tray that appears or goes away. Its
    // native interface is a QObject that Qt's public headers only declare.
    auto* platform = reinterpret_cast<QObject*>(QGuiApplication::platformNativeInterface());
    if (platform && platform->metaObject()->indexOfSignal("systemTrayWindowChanged(QScreen*)") >= 0)
        connect(platform, SIGNAL(systemTrayWindowChanged(QScreen*)), this, SLOT(TrayChanged()));

    window_.installEventFilter(this);
    minimized_ = window_.isMinimized();
    if (active_ && minimized_)
        AddIcon();
}

TTrayIcon::~TTrayIcon()
{
    // The window's later state changes must not reach a destroyed icon.
    window_.removeEventFilter(this);
    if (active_)
        RemoveIcon();
}

void TTrayIcon::SetActive(bool active)
{
    active_ = active;
    if (active_ && (minimized_ || separateIcon_))
        AddIcon();
    else
        RemoveIcon();
}

void TTrayIcon::SetHint(const std::string& hint)
{
    if (hint == hint_)
        return;
    hint_ = hint;
    tooltip_ = std::string(FirstCharacters(hint_, TooltipLength));
    tray_.setToolTip(QString::fromStdString(tooltip_));
}

void TTrayIcon::SetIcon(const QIcon& icon)
{
    icon_ = icon;
    tray_.setIcon(icon_);
}

void TTrayIcon::SetSeparateIcon(bool separate)
{
    separateIcon_ = separate;
    if (separateIcon_ && active_)
        AddIcon();
    else if (!separateIcon_ && active_ && !minimized_)
        RemoveIcon();
}

void TTrayIcon::ShowNotice(const std::string& title, const std::string& text)
{
    if (IconPresent())
        tray_.showMessage(QString::fromStdString(title), QString::fromStdString(text), QSystemTrayIcon::Warning);
    else
        ShowDesktopNotice(QString::fromStdString(title), QString::fromStdString(text));
}

void TTrayIcon::AddIcon()
{
    if (!active_ || !iconAbsent_)
        return;
    if (!TrayAvailable())
        throw ETrayIconError("Cannot create shell notification icon");
    if (DesktopMenu && !DesktopDrawsMenu() && StatusNotifierHostRegistered())
        tray_.setContextMenu(DesktopMenu);
    tray_.show();
    iconAbsent_ = false;
}

void TTrayIcon::RemoveIcon()
{
    tray_.hide();
    iconAbsent_ = true;
}

void TTrayIcon::Activated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::Trigger && OnClick)
        OnClick(*this);
    else if (reason == QSystemTrayIcon::DoubleClick && OnDblClick)
        OnDblClick(*this);
    else if (reason == QSystemTrayIcon::Context)
        RightClick();
}

void TTrayIcon::RightClick()
{
    const QPoint position = QCursor::pos();
    if (PopupMenu && (!window_.isVisible() || separateIcon_))
        PopupMenu->popup(position);
    if (OnRightClick)
        OnRightClick(*this, position);
}

bool TTrayIcon::eventFilter(QObject* watched, QEvent* event)
{
    // Qt reports the new state before it shows a window being minimised or
    // restored; the handlers run once that is done.
    if (watched == &window_ && event->type() == QEvent::WindowStateChange)
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (window_.isMinimized() && !minimized_)
                    ApplicationMinimized();
                else if (!window_.isMinimized() && minimized_)
                    ApplicationRestored();
            },
            Qt::QueuedConnection);
    return QObject::eventFilter(watched, event);
}

void TTrayIcon::ApplicationMinimized()
{
    // Without a tray the window stays a normal minimised one: hidden, the
    // application would be out of the user's reach.
    if (active_ && TrayAvailable()) {
        AddIcon();
        window_.hide();
    }
    minimized_ = true;
    if (OnMinimize)
        OnMinimize(*this);
}

void TTrayIcon::ApplicationRestored()
{
    if (active_) {
        window_.show();
        if (!separateIcon_)
            RemoveIcon();
    }
    if (OnRestore)
        OnRestore(*this);
    minimized_ = false;
}

void TTrayIcon::TrayChanged()
{
    if (!minimized_ || window_.isVisible() || TrayAvailable())
        return;
    RemoveIcon();
    window_.showMinimized();
}

} // namespace tarvo
