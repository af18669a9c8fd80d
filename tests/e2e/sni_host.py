#!/usr/bin/python3
"""A small D-Bus tray for the desktop cases: a StatusNotifierWatcher with a
host registered, on the test's private session bus, which records the items
that register and acts on them as a tray host would.

    sni_host.py serve FILE      runs the watcher; writes each registered item
                                ("BUS-NAME OBJECT-PATH") to FILE, one a line
    sni_host.py get ITEM NAME   prints a property of an item
    sni_host.py activate ITEM   a left click: Activate(x, y)
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
        self.items = []
        self.record = record

    @dbus.service.method(WATCHER, in_signature="s", sender_keyword="sender")
    def RegisterStatusNotifierItem(self, service, sender=None):
        # Qt passes its object path; the bus name is the caller's.
        path = service if service.startswith("/") else "/StatusNotifierItem"
        name = sender if service.startswith("/") else service
        entry = f"{name} {path}"
        self.items.append(entry)
        with open(self.record, "a", encoding="utf-8") as out:
            out.write(entry + "\n")
        self.StatusNotifierItemRegistered(entry)

    @dbus.service.method(WATCHER, in_signature="s")
    def RegisterStatusNotifierHost(self, service):
        pass

    @dbus.service.signal(WATCHER, signature="s")
    def StatusNotifierItemRegistered(self, service):
        pass

    # Qt reads the watcher's properties through its introspection data.
    @dbus.service.method(dbus.INTROSPECTABLE_IFACE, out_signature="s")
    def Introspect(self):
        return f"""<node><interface name="{WATCHER}">
 <method name="RegisterStatusNotifierItem"><arg type="s" direction="in"/></method>
 <method name="RegisterStatusNotifierHost"><arg type="s" direction="in"/></method>
 <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
 <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
 <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
 <property name="ProtocolVersion" type="i" access="read"/>
</interface></node>"""

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return self.GetAll(interface)[name]

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return {
            "RegisteredStatusNotifierItems": dbus.Array(self.items, signature="s"),
            "IsStatusNotifierHostRegistered": dbus.Boolean(True),
            "ProtocolVersion": dbus.Int32(0),
        }


def item_object(bus, item):
    name, path = item.split(" ", 1)
    return bus.get_object(name, path)


def main():
    command = sys.argv[1]
    if command == "serve":
        from dbus.mainloop.glib import DBusGMainLoop
        from gi.repository import GLib

        DBusGMainLoop(set_as_default=True)
        bus = dbus.SessionBus()
        watcher = Watcher(bus, sys.argv[2])  # lives as long as the loop
        bus.request_name(WATCHER)
        bus.request_name(f"org.kde.StatusNotifierHost-{os.getpid()}")
        GLib.MainLoop().run()
        return 0
    bus = dbus.SessionBus()
    item = item_object(bus, sys.argv[2])
    if command == "get":
        value = item.Get(ITEM, sys.argv[3], dbus_interface=dbus.PROPERTIES_IFACE)
        if isinstance(value, dbus.Array):
            # Pixmaps: how many, and the size of the largest.
            print(len(value), max((int(w) * int(h) for w, h, _ in value), default=0))
        else:
            print(str(value))
        return 0
    if command == "activate":
        item.Activate(dbus.Int32(10), dbus.Int32(10), dbus_interface=ITEM)
        return 0
    return 2


if __name__ == "__main__":
    sys.exit(main())
