#include "app/windows/desktopnotices.h"

#include "platform/messagebox.h"

namespace tarvo {

// Windows has no notifications apart from the tray icon's balloons, which
// need the icon shown.
void ShowDesktopNotice(const QString& title, const QString& text)
{
    platform::ShowMessageBox(text.toStdString(), title.toStdString(), platform::MbOk | platform::MbIconExclamation);
}

// The taskbar asks the program for the icon's menu.
bool StatusNotifierHostRegistered()
{
    return false;
}

} // namespace tarvo
