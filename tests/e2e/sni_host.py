#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A D-Bus tray for the desktop cases: a StatusNotifierWatcher with a host.
  serve FILE       records each registered item ("BUS-NAME PATH") in FILE
  get ITEM NAME    prints an item's property (pixmaps: count, largest area)
  activate ITEM    a left click on the item
"""
import os
import sys

import dbus
import dbus.service

WATCHER = "org.kde.StatusNotifierWatcher"
ITEM = "org.kde.StatusNotifierItem"


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


def main():
    if sys.argv[1] == "serve":
        from dbus.mainloop.glib import DBusGMainLoop
        from gi.repository import GLib

        DBusGMainLoop(set_as_default=True)
        bus = dbus.SessionBus()
        watcher = Watcher(bus, sys.argv[2])  # lives as long as the loop
        bus.request_name(WATCHER)
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
    else:
        item.Activate(dbus.Int32(10), dbus.Int32(10), dbus_interface=ITEM)
    return 0


if __name__ == "__main__":
    sys.exit(main())
