#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What a screen reader could not announce in the program, one fault a line.

    a11y_walk.py PID TITLE
        walks the program's window TITLE: a control that takes the focus
        without a name (a drop-down list's pop-up list too), a column header
        named only by its number, the window itself announced as a "filler";
        a menu of its menu bar or of a menu button (and each submenu), open
        or closed, that is no menu (an empty "frame") or has no items, an
        item without a name; a drop-down list whose chosen item cannot be
        read (its text is not the one selected row of its list).
    a11y_walk.py --menu PID TITLE MENU
        the menu MENU of the window's menu bar, which must be open now: prints
        the items it shows, one a line, then the faults above.
    a11y_walk.py --popup PID
        a pop-up menu that belongs to no window (a context menu, the tray's):
        prints "listening" once it waits for one to open, then, when one
        opened within 10 s, its items and faults as --menu does.

Faults are printed as "FAULT ..." lines after the items.
Exit status: 0 no fault, 1 faults, 3 no such window or menu, or none opened."""
import sys

import dbus

from a11y_find import ACCESSIBLE, STATE_SHOWING, accessibility_bus, applications_of, text_of

STATE_FOCUSABLE = 11
STATE_SELECTED = 23
CELLS = {"table cell", "list item", "tree item"}  # named by their text
MENUS = {"popup menu", "menu"}
SEPARATOR = "separator"
POPUP_WAIT_MS = 10000


def prop(node, name):
    return str(node.Get(ACCESSIBLE, name, dbus_interface=dbus.PROPERTIES_IFACE))


def role_of(node):
    return str(node.GetRoleName(dbus_interface=ACCESSIBLE))


def states_of(node):
    return int(node.GetState(dbus_interface=ACCESSIBLE)[0])


def children(bus, node):
    return [bus.get_object(*map(str, child))
            for child in node.GetChildren(dbus_interface=ACCESSIBLE)]


def menu_faults(bus, menu, where, items, open_now=False):
    """The faults of a menu and its submenus; its items' names go to items."""
    role = role_of(menu)
    if role not in MENUS:
        return [f"menu {where} is a {role!r}, not a menu"]
    faults = []
    entries = [item for item in children(bus, menu) if role_of(item) != SEPARATOR]
    # An open menu shows its items; one it leaves out is hidden on purpose.
    if open_now:
        entries = [item for item in entries if states_of(item) & (1 << STATE_SHOWING)]
    if not entries:
        faults.append(f"menu {where} has no items{' showing' if open_now else ''}")
    for item in entries:
        label = prop(item, "Name").strip()
        if not label:
            faults.append(f"unnamed {role_of(item)} in menu {where}")
            continue
        items.append(f"{where}/{label}")
        # A submenu is read closed: it opens only from its item.
        for submenu in children(bus, item):
            faults += menu_faults(bus, submenu, f"{where}/{label}", items)
    return faults


def menu_bar_faults(bus, bar, where):
    faults, items = [], []
    for entry in children(bus, bar):
        label = prop(entry, "Name").strip()
        menus = children(bus, entry)
        if not menus:
            faults.append(f"menu bar item {where}/{label or role_of(entry)} opens no menu")
        for menu in menus:
            faults += menu_faults(bus, menu, f"{where}/{label}", items)
    return faults


def combo_faults(bus, combo, where):
    """A drop-down list names its chosen item twice: as its text and as the
    one selected row of its pop-up list (none when nothing is chosen)."""
    shown = text_of(combo)
    if shown is None:
        return [f"combo box {where} has no text for its chosen item"]
    selected = [prop(row, "Name")
                for rows in children(bus, combo) if role_of(rows) == "list"
                for row in children(bus, rows) if states_of(row) & (1 << STATE_SELECTED)]
    if selected != ([shown] if shown else []):
        return [f"combo box {where} shows {shown!r} but its list has {selected} selected"]
    return []


def walk(bus, window, title):
    faults, pending = [], [(window, title, False)]
    while pending:
        node, where, in_combo = pending.pop(0)
        role, label = role_of(node), prop(node, "Name").strip()
        states = states_of(node)
        if node is window and role == "filler":
            faults.append(f"filler {title}")
        if role == "column header" and (not label or label.isdigit()):
            faults.append(f"unnamed column header at {where}")
        if role == "menu bar":
            faults += menu_bar_faults(bus, node, f"{where}/{label or role}")
            continue
        if role == "button menu":
            for menu in children(bus, node):
                faults += menu_faults(bus, menu, f"{where}/{label}", [])
            continue
        if not states & (1 << STATE_SHOWING) and not (in_combo and role == "list"):
            continue
        if states & (1 << STATE_FOCUSABLE) and not label and role not in CELLS:
            faults.append(f"unnamed {role} at {where}")
        if role == "combo box":
            faults += combo_faults(bus, node, f"{where}/{label}")
        if role not in CELLS:
            pending.extend((child, f"{where}/{label or role}", role == "combo box")
                           for child in children(bus, node))
    return faults


def window_of(bus, pid, title):
    for application in applications_of(bus, pid):
        for child in bus.get_object(*application).GetChildren(dbus_interface=ACCESSIBLE):
            node = bus.get_object(*map(str, child))
            if prop(node, "Name") == title:
                return node
    return None


def report(items, faults):
    print("\n".join(items + [f"FAULT {fault}" for fault in faults]))
    return 1 if faults else 0


def open_menu(bus, window, title, name):
    """The faults of the menu bar's menu NAME, open now."""
    for node in children(bus, window):
        if role_of(node) != "menu bar":
            continue
        for entry in children(bus, node):
            if prop(entry, "Name") != name:
                continue
            items, faults = [], []
            for menu in children(bus, entry):
                if not states_of(menu) & (1 << STATE_SHOWING):
                    faults.append(f"menu {title}/{name} is not open")
                faults += menu_faults(bus, menu, name, items, open_now=True)
            return report(items, faults or ([] if items else [f"menu {name} has no items"]))
    return 3


def popup(pid):
    """Waits for a pop-up menu of the program to be shown, then reads it."""
    from dbus.mainloop.glib import DBusGMainLoop
    from gi.repository import GLib

    DBusGMainLoop(set_as_default=True)
    bus = accessibility_bus()
    names = {name for name, _ in applications_of(bus, pid)}
    found = []
    loop = GLib.MainLoop()

    def shown(kind, detail1, *_args, path=None, sender=None):
        if found or str(kind) != "showing" or int(detail1) != 1 or sender not in names:
            return
        node = bus.get_object(sender, path)
        if role_of(node) in MENUS:
            found.append(node)
            # Its items are laid out once the menu is on the screen.
            GLib.timeout_add(300, loop.quit)

    bus.add_signal_receiver(shown, signal_name="StateChanged",
                            dbus_interface="org.a11y.atspi.Event.Object",
                            path_keyword="path", sender_keyword="sender")
    registry = bus.get_object("org.a11y.atspi.Registry", "/org/a11y/atspi/registry")
    # The toolkit sends the events only once a listener asked for them.
    registry.RegisterEvent("Object:StateChanged", dbus.Array([], signature="s"), "",
                           dbus_interface="org.a11y.atspi.Registry")

    def listening():
        print("listening", flush=True)
        return False

    # The program hears of the new listener on its own time.
    GLib.timeout_add(1000, listening)
    GLib.timeout_add(POPUP_WAIT_MS, loop.quit)
    loop.run()
    if not found:
        return 3
    items = []
    faults = menu_faults(bus, found[0], prop(found[0], "Name") or "pop-up", items, open_now=True)
    return report(items, faults)


def main(argv):
    if len(argv) == 3 and argv[1] == "--popup":
        return popup(int(argv[2]))
    bus = accessibility_bus()
    if len(argv) == 5 and argv[1] == "--menu":
        window = window_of(bus, int(argv[2]), argv[3])
        return 3 if window is None else open_menu(bus, window, argv[3], argv[4])
    if len(argv) != 3:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    window = window_of(bus, int(argv[1]), argv[2])
    if window is None:
        return 3
    return report([], walk(bus, window, argv[2]))


if __name__ == "__main__":
    sys.exit(main(sys.argv))
