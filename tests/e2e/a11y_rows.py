#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""a11y_rows.py PID NAME: prints the rows a tree of the program PID shows, one
label a line, top to bottom, as the accessibility bus tells a screen reader:
the tree is the showing control with the accessible name NAME. Rows inside a
closed branch, or hidden, are not rows the tree shows.
Exit status: 0 found, 1 no such tree (yet), 2 the accessibility bus is not
there."""
import sys

import dbus

from a11y_find import ACCESSIBLE, accessibility_bus, applications_of, find

CELLS = {"table cell", "tree item", "list item"}


def main(argv):
    if len(argv) != 3:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    pid, want_name = int(argv[1]), argv[2]
    try:
        bus = accessibility_bus()
    except dbus.DBusException as error:
        print(f"no accessibility bus: {error}", file=sys.stderr)
        return 2
    for application in applications_of(bus, pid):
        tree = find(bus, application, want_name, None)
        if tree is None:
            continue
        for child in tree.GetChildren(dbus_interface=ACCESSIBLE):
            node = bus.get_object(*child)
            if str(node.GetRoleName(dbus_interface=ACCESSIBLE)) in CELLS:
                print(str(node.Get(ACCESSIBLE, "Name", dbus_interface=dbus.PROPERTIES_IFACE)))
        return 0
    return 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
