#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A desktop portal for the desktop cases that offers global shortcuts only.

    mock_portal.py serve RECORD

Owns org.freedesktop.portal.Desktop on the session bus and implements
org.freedesktop.portal.GlobalShortcuts (version 1) there: CreateSession and
BindShortcuts answer through Request objects with their Response signal, as
the real portal does, and a session's Close ends it. Every call is written to
RECORD as a line:
    session PATH
    bind PATH ID PREFERRED_TRIGGER
    close PATH
A test presses the bound shortcut by calling Activate(ID) on the object
/org/freedesktop/portal/desktop, interface org.keyhaven.test.MockPortal: the
portal emits Activated for the session that bound ID last.
"""
import sys
import time

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

PORTAL = "org.freedesktop.portal.Desktop"
PATH = "/org/freedesktop/portal/desktop"
SHORTCUTS = "org.freedesktop.portal.GlobalShortcuts"
REQUEST = "org.freedesktop.portal.Request"
SESSION = "org.freedesktop.portal.Session"
CONTROL = "org.keyhaven.test.MockPortal"


def sender_part(sender):
    return sender.lstrip(":").replace(".", "_")


class Request(dbus.service.Object):
    @dbus.service.signal(REQUEST, signature="ua{sv}")
    def Response(self, response, results):
        pass

    def answer(self, results):
        # After the method's reply, as the real portal answers.
        def emit():
            self.Response(dbus.UInt32(0), dbus.Dictionary(results, signature="sv"))
            self.remove_from_connection()
            return False
        GLib.timeout_add(50, emit)


class Session(dbus.service.Object):
    def __init__(self, bus, path, portal):
        super().__init__(bus, path)
        self.path, self.portal = path, portal

    @dbus.service.method(SESSION)
    def Close(self):
        self.portal.record(f"close {self.path}")
        self.portal.bound = {k: v for k, v in self.portal.bound.items() if v != self.path}
        self.remove_from_connection()


class Portal(dbus.service.Object):
    def __init__(self, bus, record):
        super().__init__(bus, PATH)
        self.bus, self.record_file = bus, record
        self.bound = {}  # shortcut id -> session path
        self.sessions = []

    def record(self, line):
        with open(self.record_file, "a", encoding="utf-8") as out:
            out.write(line + "\n")

    def request(self, sender, options):
        token = str(options.get("handle_token", f"t{len(self.sessions)}"))
        path = f"{PATH}/request/{sender_part(sender)}/{token}"
        return path, Request(self.bus, path)

    @dbus.service.method(SHORTCUTS, in_signature="a{sv}", out_signature="o",
                         sender_keyword="sender")
    def CreateSession(self, options, sender=None):
        path, request = self.request(sender, options)
        token = str(options.get("session_handle_token", f"s{len(self.sessions)}"))
        session_path = f"{PATH}/session/{sender_part(sender)}/{token}"
        self.sessions.append(Session(self.bus, session_path, self))
        self.record(f"session {session_path}")
        request.answer({"session_handle": dbus.ObjectPath(session_path)})
        return dbus.ObjectPath(path)

    @dbus.service.method(SHORTCUTS, in_signature="oa(sa{sv})sa{sv}", out_signature="o",
                         sender_keyword="sender")
    def BindShortcuts(self, session, shortcuts, parent_window, options, sender=None):
        path, request = self.request(sender, options)
        answered = []
        for shortcut_id, props in shortcuts:
            trigger = str(props.get("preferred_trigger", ""))
            self.bound[str(shortcut_id)] = str(session)
            self.record(f"bind {session} {shortcut_id} {trigger}")
            answered.append(dbus.Struct(
                (shortcut_id, dbus.Dictionary({"description": props.get("description", ""),
                                               "trigger_description": trigger},
                                              signature="sv")), signature="sa{sv}"))
        request.answer({"shortcuts": dbus.Array(answered, signature="(sa{sv})")})
        return dbus.ObjectPath(path)

    @dbus.service.signal(SHORTCUTS, signature="osta{sv}")
    def Activated(self, session, shortcut_id, timestamp, options):
        pass

    @dbus.service.method(CONTROL, in_signature="s")
    def Activate(self, shortcut_id):
        session = self.bound.get(str(shortcut_id))
        if session is None:
            raise dbus.DBusException(f"no session bound {shortcut_id}")
        self.Activated(dbus.ObjectPath(session), shortcut_id,
                       dbus.UInt64(int(time.time() * 1000000)), dbus.Dictionary({}, signature="sv"))

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return self.GetAll(interface)[name]

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        if interface != SHORTCUTS:
            raise dbus.DBusException(f"no interface {interface}",
                                     name="org.freedesktop.DBus.Error.UnknownInterface")
        return {"version": dbus.UInt32(1)}


def main():
    if len(sys.argv) != 3 or sys.argv[1] != "serve":
        print(__doc__.strip(), file=sys.stderr)
        return 2
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    portal = Portal(bus, sys.argv[2])  # lives as long as the loop
    bus.request_name(PORTAL)
    GLib.MainLoop().run()
    return 0 if portal else 1


if __name__ == "__main__":
    sys.exit(main())
