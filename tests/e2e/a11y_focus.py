#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Names the control that has the keyboard focus in a window of a running
program, as a screen reader would announce it.

    a11y_focus.py PID TITLE

Prints the accessible name and the role name of the focused control of the
window TITLE of the program with process id PID, separated by a TAB.

Exit status: 0 found, 1 no control of that window has the focus (yet), 2 the
accessibility bus is not there.
"""
import sys

import dbus

from a11y_find import ACCESSIBLE, MAX_OBJECTS, accessibility_bus, applications_of

STATE_FOCUSED = 12


def prop(node, name):
    return str(node.Get(ACCESSIBLE, name, dbus_interface=dbus.PROPERTIES_IFACE))


def has_focus(node):
    states = node.GetState(dbus_interface=ACCESSIBLE)
    return bool(int(states[0]) & (1 << STATE_FOCUSED))


def focused_in(bus, root):
    pending = [root]
    seen = 0
    while pending and seen < MAX_OBJECTS:
        name, path = pending.pop(0)
        seen += 1
        try:
            node = bus.get_object(name, path)
            if seen > 1 and has_focus(node):
                return node
            pending.extend(node.GetChildren(dbus_interface=ACCESSIBLE))
        except dbus.DBusException:
            continue
    return None


def main(argv):
    if len(argv) != 3:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    pid, title = int(argv[1]), argv[2]
    try:
        bus = accessibility_bus()
    except dbus.DBusException as error:
        print(f"no accessibility bus: {error}", file=sys.stderr)
        return 2
    for application in applications_of(bus, pid):
        for child in bus.get_object(*application).GetChildren(dbus_interface=ACCESSIBLE):
            window = bus.get_object(*child)
            if prop(window, "Name") != title:
                continue
            node = focused_in(bus, child)
            if node is not None:
                role = str(node.GetRoleName(dbus_interface=ACCESSIBLE))
                print(f"{prop(node, 'Name')}\t{role}")
                return 0
    return 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
