#!/usr/bin/python3
# A desktop's global-shortcuts back end for the tests, behind the portal front
# end: binds every shortcut to its preferred trigger unless a test changed
# that, through BindShortcuts or, as KDE Plasma 5.27 does, from the
# "shortcuts" option of CreateSession alone; it lets the tests activate shortcuts, change triggers and close the
# session through a control object (org.tarvo.test.PortalControl at
# /org/tarvo/test). It also keeps the desktop's StatusNotifierWatcher, so that
# tray icons are StatusNotifierItems whose menus the tests can click.
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

BUS_NAME = "org.freedesktop.impl.portal.desktop.tarvotest"
SHORTCUTS = "org.freedesktop.impl.portal.GlobalShortcuts"
SESSION = "org.freedesktop.impl.portal.Session"
CONTROL = "org.tarvo.test.PortalControl"
WATCHER = "org.kde.StatusNotifierWatcher"
# Qt reads the watcher's properties through its introspection data, which
# dbus-python does not make for properties.
WATCHER_XML = """<node><interface name="org.kde.StatusNotifierWatcher">
<method name="RegisterStatusNotifierItem"><arg type="s" direction="in"/></method>
<method name="RegisterStatusNotifierHost"><arg type="s" direction="in"/></method>
<property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
<property name="ProtocolVersion" type="i" access="read"/>
<property name="RegisteredStatusNotifierItems" type="as" access="read"/>
</interface></node>"""


class Session(dbus.service.Object):
    def __init__(self, bus, path, portal):
        super().__init__(bus, path)
        self.path = path
        self.portal = portal
        self.bound = {}  # id -> (description, trigger)

    @dbus.service.method(SESSION, in_signature="", out_signature="")
    def Close(self):
        self.portal.forget(self)

    @dbus.service.signal(SESSION, signature="")
    def Closed(self):
        pass


class Portal(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, "/org/freedesktop/portal/desktop")
        self.bus = bus
        self.sessions = {}
        self.triggers = {}  # id -> trigger the desktop uses instead; "" refuses
        self.binds = []  # the shortcuts of each BindShortcuts call
        self.bind_at_creation = False  # Plasma 5.27: CreateSession binds, BindShortcuts does not

    def forget(self, session):
        self.sessions.pop(session.path, None)
        session.remove_from_connection()

    def shortcut_list(self, session):
        return dbus.Array([dbus.Struct((i, {"description": d, "trigger_description": t}), signature="sa{sv}")
                           for i, (d, t) in session.bound.items()], signature="(sa{sv})")

    def bind(self, session, shortcuts):
        session.bound = {}
        for i, values in shortcuts:
            trigger = self.triggers.get(str(i), str(values.get("preferred_trigger", "")))
            if trigger:
                session.bound[str(i)] = (str(values.get("description", "")), trigger)

    @dbus.service.method(SHORTCUTS, in_signature="oosa{sv}", out_signature="ua{sv}")
    def CreateSession(self, handle, session_handle, app_id, options):
        if str(session_handle) in self.sessions:
            return 2, {}  # the token of a session still open
        session = Session(self.bus, session_handle, self)
        self.sessions[str(session_handle)] = session
        if not self.bind_at_creation:
            return 0, {}
        self.bind(session, options.get("shortcuts", []))
        return 0, {"shortcuts": self.shortcut_list(session)}

    @dbus.service.method(SHORTCUTS, in_signature="ooa(sa{sv})sa{sv}", out_signature="ua{sv}")
    def BindShortcuts(self, handle, session_handle, shortcuts, parent_window, options):
        session = self.sessions[str(session_handle)]
        self.binds.append(["%s:%s:%s" % (i, v.get("preferred_trigger", ""), v.get("description", ""))
                           for i, v in shortcuts])
        if not self.bind_at_creation:
            self.bind(session, shortcuts)
        return 0, {"shortcuts": self.shortcut_list(session)}

    @dbus.service.method(SHORTCUTS, in_signature="oo", out_signature="ua{sv}")
    def ListShortcuts(self, handle, session_handle):
        return 0, {"shortcuts": self.shortcut_list(self.sessions[str(session_handle)])}

    @dbus.service.signal(SHORTCUTS, signature="osta{sv}")
    def Activated(self, session_handle, shortcut_id, timestamp, options):
        pass

    @dbus.service.signal(SHORTCUTS, signature="osta{sv}")
    def Deactivated(self, session_handle, shortcut_id, timestamp, options):
        pass

    @dbus.service.signal(SHORTCUTS, signature="oa(sa{sv})")
    def ShortcutsChanged(self, session_handle, shortcuts):
        pass

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return dbus.UInt32(1)

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return {"version": dbus.UInt32(1)}


class Watcher(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, "/StatusNotifierWatcher")
        self.items = []  # the bus names of the registered items

    @dbus.service.method(WATCHER, in_signature="s", out_signature="", sender_keyword="sender")
    def RegisterStatusNotifierItem(self, service, sender=None):
        self.items.append(str(sender))

    @dbus.service.method(WATCHER, in_signature="s", out_signature="")
    def RegisterStatusNotifierHost(self, service):
        pass

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return self.GetAll(interface)[name]

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return {"IsStatusNotifierHostRegistered": True, "ProtocolVersion": dbus.Int32(0),
                "RegisteredStatusNotifierItems": dbus.Array(self.items, signature="s")}

    @dbus.service.method(dbus.INTROSPECTABLE_IFACE, in_signature="", out_signature="s")
    def Introspect(self):
        return WATCHER_XML


class Control(dbus.service.Object):
    def __init__(self, bus, portal, watcher):
        super().__init__(bus, "/org/tarvo/test")
        self.portal = portal
        self.watcher = watcher

    # The trigger the desktop binds the shortcut to from now on ("" leaves it
    # unbound); a bound shortcut changes at once.
    @dbus.service.method(CONTROL, in_signature="ss", out_signature="")
    def SetTrigger(self, shortcut_id, trigger):
        self.portal.triggers[shortcut_id] = trigger
        for session in list(self.portal.sessions.values()):
            if shortcut_id in session.bound:
                description = session.bound[shortcut_id][0]
                if trigger:
                    session.bound[shortcut_id] = (description, trigger)
                else:
                    del session.bound[shortcut_id]
                self.portal.ShortcutsChanged(session.path, self.portal.shortcut_list(session))

    # Activates the shortcut in every session that binds it; whether one does.
    @dbus.service.method(CONTROL, in_signature="s", out_signature="b")
    def Activate(self, shortcut_id):
        bound = False
        for session in self.portal.sessions.values():
            if shortcut_id in session.bound:
                bound = True
                self.portal.Activated(session.path, shortcut_id, dbus.UInt64(1000), {})
                self.portal.Deactivated(session.path, shortcut_id, dbus.UInt64(1100), {})
        return bound

    @dbus.service.method(CONTROL, in_signature="", out_signature="")
    def CloseSessions(self):
        for session in list(self.portal.sessions.values()):
            session.Closed()
            self.portal.forget(session)

    # Clicks the entry with the label in the menu of a tray icon, as the
    # desktop does when its user picks it; whether there was such an entry.
    @dbus.service.method(CONTROL, in_signature="s", out_signature="b")
    def ClickTrayEntry(self, label):
        bus = self.connection
        for item in self.watcher.items:
            path = bus.get_object(item, "/StatusNotifierItem", introspect=False).Get(
                "org.kde.StatusNotifierItem", "Menu", dbus_interface=dbus.PROPERTIES_IFACE)
            menu = dbus.Interface(bus.get_object(item, path, introspect=False), "com.canonical.dbusmenu")
            pending = [menu.GetLayout(0, -1, dbus.Array([], signature="s"))[1]]
            while pending:
                entry, properties, children = pending.pop()
                if properties.get("label") == label:
                    menu.Event(entry, "clicked", dbus.Int32(0, variant_level=1), dbus.UInt32(0))
                    return True
                pending.extend(children)
        return False

    # Forgets the triggers set, the calls made and the way of binding, for
    # the next test.
    @dbus.service.method(CONTROL, in_signature="", out_signature="")
    def Reset(self):
        self.portal.triggers = {}
        self.portal.binds = []
        self.portal.bind_at_creation = False

    # Binds from CreateSession's options only, as Plasma 5.27 does.
    @dbus.service.method(CONTROL, in_signature="", out_signature="")
    def BindAtCreation(self):
        self.portal.bind_at_creation = True

    # The object paths of the sessions open.
    @dbus.service.method(CONTROL, in_signature="", out_signature="as")
    def Sessions(self):
        return dbus.Array(sorted(self.portal.sessions), signature="s")

    # The shortcuts of every BindShortcuts call so far, in order, each as
    # "id:preferred trigger:description".
    @dbus.service.method(CONTROL, in_signature="", out_signature="aas")
    def BindCalls(self):
        return dbus.Array([dbus.Array(ids, signature="s") for ids in self.portal.binds], signature="as")


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    portal = Portal(bus)
    watcher = Watcher(bus)
    control = Control(bus, portal, watcher)
    names = [dbus.service.BusName(BUS_NAME, bus), dbus.service.BusName(WATCHER, bus)]
    loop = GLib.MainLoop()
    loop.run()


if __name__ == "__main__":
    sys.exit(main())
