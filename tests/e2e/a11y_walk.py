#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""a11y_walk.py PID TITLE: prints what a screen reader could not announce in
the program's window TITLE, one fault a line: a control that takes the focus
without a name (a drop-down list's pop-up list too), a column header named
only by its number, the window itself announced as a "filler".
Exit status: 0 no fault, 1 faults, 3 no such window."""
import sys

import dbus

from a11y_find import ACCESSIBLE, STATE_SHOWING, accessibility_bus, applications_of

STATE_FOCUSABLE = 11
CELLS = {"table cell", "list item", "tree item"}  # named by their text


def prop(node, name):
    return str(node.Get(ACCESSIBLE, name, dbus_interface=dbus.PROPERTIES_IFACE))


def walk(bus, window, title):
    faults, pending = [], [(window, title, False)]
    while pending:
        ref, where, in_combo = pending.pop(0)
        node = bus.get_object(*ref)
        role, label = str(node.GetRoleName(dbus_interface=ACCESSIBLE)), prop(node, "Name").strip()
        states = int(node.GetState(dbus_interface=ACCESSIBLE)[0])
        if ref == window and role == "filler":
            faults.append(f"filler {title}")
        if role == "column header" and (not label or label.isdigit()):
            faults.append(f"unnamed column header at {where}")
        if not states & (1 << STATE_SHOWING) and not (in_combo and role == "list"):
            continue
        if states & (1 << STATE_FOCUSABLE) and not label and role not in CELLS:
            faults.append(f"unnamed {role} at {where}")
        if role not in CELLS:
            pending.extend((tuple(map(str, child)), f"{where}/{label or role}", role == "combo box")
                           for child in node.GetChildren(dbus_interface=ACCESSIBLE))
    return faults


def main(pid, title):
    bus = accessibility_bus()
    for application in applications_of(bus, pid):
        for child in bus.get_object(*application).GetChildren(dbus_interface=ACCESSIBLE):
            if prop(bus.get_object(*child), "Name") == title:
                faults = walk(bus, tuple(map(str, child)), title)
                print("\n".join(faults))
                return 1 if faults else 0
    return 3


if __name__ == "__main__":
    sys.exit(main(int(sys.argv[1]), sys.argv[2]))
