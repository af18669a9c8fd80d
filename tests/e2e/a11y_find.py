#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Finds a control of a running program through the desktop's accessibility
bus and prints what a test needs to drive it with the mouse.

    a11y_find.py PID NAME [ROLE]

Looks through the accessible objects of the program with process id PID for
one that is showing, whose accessible name is NAME (and, when given, whose
role name is ROLE, e.g. "push button"), and prints its rectangle on the screen
as "X Y WIDTH HEIGHT", then its text when it has one, on a second line.

Two variables narrow or change what is printed:
    A11Y_WINDOW=TITLE  look only inside the program's window of that title
                       (a dialog's "User Name" beside the main window's)
    A11Y_CHAR=N        print the rectangle of the control's character N
                       instead of the control's (to press on a word)
    A11Y_CELLS=1       look into trees too: a row of the tree by its label
    A11Y_SET_TEXT=T    replace the control's text with T (an editable text)
    A11Y_ACTION=NAME   then run the control's action of that name ("Press")
    A11Y_ANY=1         take a control that is not showing too (the items of
                       a menu that is not open)

The last two drive a program where no input device can (a compositor
without a seat): the toolkit acts as if the user had typed or pressed.

Exit status: 0 found, 1 not found (yet), 2 the accessibility bus is not there,
3 the text or the action was refused.
A widget's place comes from the toolkit itself, so a change of layout, font or
theme does not move the test's clicks off the control.
"""
import os
import sys

import dbus

ACCESSIBLE = "org.a11y.atspi.Accessible"
COMPONENT = "org.a11y.atspi.Component"
TEXT = "org.a11y.atspi.Text"
EDITABLE = "org.a11y.atspi.EditableText"
ACTION = "org.a11y.atspi.Action"
STATE_SHOWING = 25
COORD_SCREEN = 0
# A main window holds a few hundred objects; a tree of a large file holds
# many more, none of which is a button: stop there rather than walk them all.
MAX_OBJECTS = 5000


def accessibility_bus():
    session = dbus.SessionBus()
    launcher = session.get_object("org.a11y.Bus", "/org/a11y/bus")
    return dbus.bus.BusConnection(launcher.GetAddress(dbus_interface="org.a11y.Bus"))


def applications_of(bus, pid):
    registry = bus.get_object("org.a11y.atspi.Registry", "/org/a11y/atspi/accessible/root")
    daemon = bus.get_object("org.freedesktop.DBus", "/org/freedesktop/DBus")
    for name, path in registry.GetChildren(dbus_interface=ACCESSIBLE):
        try:
            owner = daemon.GetConnectionUnixProcessID(name, dbus_interface="org.freedesktop.DBus")
        except dbus.DBusException:
            continue
        if int(owner) == pid:
            yield str(name), str(path)


def is_showing(node):
    states = node.GetState(dbus_interface=ACCESSIBLE)
    return bool(int(states[0]) & (1 << STATE_SHOWING))


def text_of(node):
    try:
        count = int(node.Get(TEXT, "CharacterCount", dbus_interface=dbus.PROPERTIES_IFACE))
        return str(node.GetText(0, count, dbus_interface=TEXT))
    except dbus.DBusException:
        return None


def act(node, want_action):
    count = int(node.Get(ACTION, "NActions", dbus_interface=dbus.PROPERTIES_IFACE))
    names = [str(node.GetName(i, dbus_interface=ACTION)) for i in range(count)]
    if want_action not in names:
        raise LookupError(f"no action {want_action!r}, only {names}")
    # Without waiting for the answer: an action that opens a modal dialog
    # answers only once the dialog has closed.
    node.DoAction(names.index(want_action), dbus_interface=ACTION, ignore_reply=True)


def find(bus, root, want_name, want_role):
    pending = [root]
    seen = 0
    while pending and seen < MAX_OBJECTS:
        name, path = pending.pop(0)
        seen += 1
        try:
            node = bus.get_object(name, path)
            label = str(node.Get(ACCESSIBLE, "Name", dbus_interface=dbus.PROPERTIES_IFACE))
            if label == want_name and (os.environ.get("A11Y_ANY") or is_showing(node)):
                role = str(node.GetRoleName(dbus_interface=ACCESSIBLE))
                if want_role is None or role == want_role:
                    return node
            # Rows of a tree are leaves for this search (skip their cells),
            # unless a row is what is looked for.
            if (not os.environ.get("A11Y_CELLS")
                    and str(node.GetRoleName(dbus_interface=ACCESSIBLE)) in ("tree", "tree table",
                                                                            "table")):
                continue
            pending.extend(node.GetChildren(dbus_interface=ACCESSIBLE))
        except dbus.DBusException:
            # The object went away while we looked (a window closed).
            continue
    return None


def main(argv):
    if len(argv) not in (3, 4):
        print(__doc__.strip(), file=sys.stderr)
        return 2
    pid, want_name = int(argv[1]), argv[2]
    want_role = argv[3] if len(argv) == 4 else None
    try:
        bus = accessibility_bus()
    except dbus.DBusException as error:
        print(f"no accessibility bus: {error}", file=sys.stderr)
        return 2
    window = os.environ.get("A11Y_WINDOW")
    for application in applications_of(bus, pid):
        roots = [application]
        if window:
            node = bus.get_object(*application)
            roots = [child for child in node.GetChildren(dbus_interface=ACCESSIBLE)
                     if str(bus.get_object(*child).Get(
                         ACCESSIBLE, "Name", dbus_interface=dbus.PROPERTIES_IFACE)) == window]
        node = None
        for root in roots:
            node = find(bus, root, want_name, want_role)
            if node is not None:
                break
        if node is None:
            continue
        try:
            if "A11Y_SET_TEXT" in os.environ:
                if not node.SetTextContents(os.environ["A11Y_SET_TEXT"],
                                            dbus_interface=EDITABLE):
                    raise LookupError("the text was not taken")
            if os.environ.get("A11Y_ACTION"):
                act(node, os.environ["A11Y_ACTION"])
        except (LookupError, dbus.DBusException) as error:
            print(f"{want_name}: {error}", file=sys.stderr)
            return 3
        if os.environ.get("A11Y_CHAR"):
            x, y, width, height = node.GetCharacterExtents(
                int(os.environ["A11Y_CHAR"]), dbus.UInt32(COORD_SCREEN), dbus_interface=TEXT)
        else:
            x, y, width, height = node.GetExtents(dbus.UInt32(COORD_SCREEN),
                                                  dbus_interface=COMPONENT)
        print(f"{int(x)} {int(y)} {int(width)} {int(height)}")
        text = text_of(node)
        if text is not None:
            print(text)
        return 0
    return 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
