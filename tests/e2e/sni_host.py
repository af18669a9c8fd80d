#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A D-Bus tray for the desktop cases: a StatusNotifierWatcher with a host.
  serve FILE [NOTES]  records each registered item ("BUS-NAME PATH") in FILE,
                     and the body of each desktop notification in NOTES
  get ITEM NAME      prints an item's property (pixmaps: count, largest area)
  activate ITEM [N]  a left click on the item (N in a row: a double click)
  menu ITEM LABEL    the "clicked" event of the item's menu entry LABEL (its
                     mnemonic marks dropped), sent as a host sends it when
                     the entry is chosen; prints the entry's "enabled" state
"""
import os
import sys

import dbus
import dbus.service

WATCHER = "org.kde.StatusNotifierWatcher"
ITEM = "org.kde.StatusNotifierItem"
MENU = "com.canonical.dbusmenu"
NOTIFICATIONS = "org.freedesktop.Notifications"


class Watcher(dbus.service.Object):
    def __init__(self, bus, record):
        super().__init__(bus, "/StatusNotifierWatcher")
        self.items, self.record = [], record

    @dbus.service.method(WATCHER, in_signature="s", sender_keyword="sender")
    def RegisterStatusNotifierItem(self, service, sender=None):
        # Qt passes its object path; the bus name is the caller's.
        entry = f"{sender} {service}" if service.startswith("/") else f"{service} /StatusNotifierItem"
        self.items.append(entry)
        with open(self.record, "a", encoding="utf-8") as out:
            out.write(entry + "\n")

    # Qt reads the watcher's properties through its introspection data.
    @dbus.service.method(dbus.INTROSPECTABLE_IFACE, out_signature="s")
    def Introspect(self):
        return f"""<node><interface name="{WATCHER}">
 <method name="RegisterStatusNotifierItem"><arg type="s" direction="in"/></method>
 <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
 <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
</interface></node>"""

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return self.GetAll(interface)[name]

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return {"RegisteredStatusNotifierItems": dbus.Array(self.items, signature="s"),
                "IsStatusNotifierHostRegistered": dbus.Boolean(True)}


class Notifications(dbus.service.Object):
    """The desktop's notifications, as far as a tray icon's message needs."""

    def __init__(self, bus, record):
        super().__init__(bus, "/org/freedesktop/Notifications")
        self.record, self.count = record, 0

    @dbus.service.method(NOTIFICATIONS, in_signature="susssasa{sv}i", out_signature="u")
    def Notify(self, app, replaces, icon, summary, body, actions, hints, timeout):
        with open(self.record, "a", encoding="utf-8") as out:
            out.write(str(body) + "\n")
        self.count += 1
        return dbus.UInt32(self.count)

    @dbus.service.method(NOTIFICATIONS, out_signature="as")
    def GetCapabilities(self):
        return dbus.Array(["body", "actions"], signature="s")


def main():
    if sys.argv[1] == "serve":
        from dbus.mainloop.glib import DBusGMainLoop
        from gi.repository import GLib

        DBusGMainLoop(set_as_default=True)
        bus = dbus.SessionBus()
        watcher = Watcher(bus, sys.argv[2])  # lives as long as the loop
        bus.request_name(WATCHER)
        if len(sys.argv) > 3:
            notes = Notifications(bus, sys.argv[3])  # lives as long as the loop
            bus.request_name(NOTIFICATIONS)
        bus.request_name(f"org.kde.StatusNotifierHost-{os.getpid()}")
        GLib.MainLoop().run()
        return 0
    name, path = sys.argv[2].split(" ", 1)
    item = dbus.SessionBus().get_object(name, path)
    if sys.argv[1] == "get":
        value = item.Get(ITEM, sys.argv[3], dbus_interface=dbus.PROPERTIES_IFACE)
        if isinstance(value, dbus.Array):
            print(len(value), max((int(w) * int(h) for w, h, _ in value), default=0))
        else:
            print(str(value))
    elif sys.argv[1] == "menu":
        return click_menu_entry(dbus.SessionBus(), name, item, sys.argv[3])
    else:
        for _ in range(int(sys.argv[3]) if len(sys.argv) > 3 else 1):
            item.Activate(dbus.Int32(10), dbus.Int32(10), dbus_interface=ITEM)
    return 0


def entries(layout):
    """The entries of a menu layout, depth first: (id, properties)."""
    entry_id, properties, children = layout
    yield int(entry_id), properties
    for child in children:
        yield from entries(child)


def click_menu_entry(bus, name, item, label):
    path = item.Get(ITEM, "Menu", dbus_interface=dbus.PROPERTIES_IFACE)
    menu = bus.get_object(name, path)
    # The layout as a host reads it to draw the menu, without opening it.
    _, layout = menu.GetLayout(dbus.Int32(0), dbus.Int32(-1), dbus.Array([], signature="s"),
                               dbus_interface=MENU)
    for entry_id, properties in entries(layout):
        if str(properties.get("label", "")).replace("_", "") != label:
            continue
        print("enabled" if bool(properties.get("enabled", True)) else "disabled")
        menu.Event(dbus.Int32(entry_id), "clicked", dbus.Int32(0), dbus.UInt32(0),
                   dbus_interface=MENU)
        return 0
    print(f"no menu entry {label!r}", file=sys.stderr)
    return 1


if __name__ == "__main__":
    sys.exit(main())
