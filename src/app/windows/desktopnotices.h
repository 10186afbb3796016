#pragma once
// What the tray icon asks of the desktop beyond Qt's tray icon: a notice
// shown while the icon is not, and whether the desktop draws the icon's menu
// itself. On Linux through the session bus, on Windows with the system's
// own means.

#include <QString>

namespace tarvo {

// Shows the notice through the desktop's notification service where the
// session has one (Linux), in a message box on Windows.
void ShowDesktopNotice(const QString& title, const QString& text);

// Whether the desktop draws tray icons as StatusNotifierItems (KDE, most
// Wayland desktops), as Qt then shows the icon: such a host draws the icon's
// menu itself, from the menu Qt exports, and need not ask the program to.
bool StatusNotifierHostRegistered();

} // namespace tarvo
