#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMenu>
#include <QWidget>

#include <string>

#include "app/windows/ttrayicon.h"

using namespace tarvo;

namespace {

TEST(TrayIcon, KeepsItsVisibilityRuleAndCutsTheTooltip)
{
    QWidget window;
    window.show();
    TTrayIcon icon(window, nullptr);
    bool trayAvailable = false;
    icon.TrayAvailable = [&] { return trayAvailable; };
    EXPECT_EQ(icon.Tooltip(), "Tarvo") << "the application's title until a hint is set";
    icon.SetHint(std::string(60, '-') + "äöüß");
    EXPECT_EQ(icon.Tooltip(), std::string(60, '-') + "äöü");
    icon.SetHint("");
    EXPECT_EQ(icon.Tooltip(), "");

    EXPECT_THROW(icon.SetSeparateIcon(true), ETrayIconError);
    EXPECT_FALSE(icon.IconPresent());
    trayAvailable = true;
    icon.SetSeparateIcon(true);
    EXPECT_TRUE(icon.IconPresent()) << "the next attempt adds it";
    icon.SetActive(false);
    EXPECT_FALSE(icon.IconPresent());
    icon.SetActive(true);
    icon.SetSeparateIcon(false);
    EXPECT_FALSE(icon.IconPresent()) << "a shown window has no icon of its own";

    int minimized = 0, restored = 0;
    icon.OnMinimize = [&](TTrayIcon&) { ++minimized; };
    icon.OnRestore = [&](TTrayIcon& sender) { restored += sender.Minimized(); };
    window.showMinimized();
    QCoreApplication::processEvents();
    EXPECT_TRUE(icon.IconPresent() && icon.Minimized() && !window.isVisible());
    window.showNormal();
    QCoreApplication::processEvents();
    EXPECT_TRUE(!icon.IconPresent() && !icon.Minimized() && window.isVisible());
    EXPECT_EQ(minimized, 1);
    EXPECT_EQ(restored, 1) << "the flag is cleared after the event";
}

TEST(TrayIcon, TurnsMouseActionsIntoEventsAndPopsItsMenuOnlyWhileTheWindowIsAway)
{
    QWidget window;
    TTrayIcon icon(window, nullptr);
    QMenu menu;
    icon.PopupMenu = &menu;
    std::string events;
    icon.OnClick = [&](TTrayIcon&) { events += "click "; };
    icon.OnDblClick = [&](TTrayIcon&) { events += "double "; };
    icon.OnRightClick = [&](TTrayIcon&, QPoint) { events += "right "; };
    QSystemTrayIcon& tray = *icon.findChild<QSystemTrayIcon*>();
    for (auto reason : {QSystemTrayIcon::Trigger, QSystemTrayIcon::DoubleClick, QSystemTrayIcon::MiddleClick,
                        QSystemTrayIcon::Context})
        emit tray.activated(reason);
    EXPECT_EQ(events, "click double right ");
    EXPECT_TRUE(menu.isVisible()) << "the window is hidden";
    menu.hide();
    window.show();
    emit tray.activated(QSystemTrayIcon::Context);
    EXPECT_FALSE(menu.isVisible());
}

} // namespace
