#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The D-Bus tray (a StatusNotifierWatcher with its host on the session bus):
# a "-w" start waits there, locked, its item named after the theme's locked
# picture and carrying the pixels too; the host's activation (a left click)
# brings the window back through the KEY, as a double click on the X11
# tray's icon does.
E2E_NO_TRAY=1
source "$(dirname "$0")/lib.sh"
e2e_begin sni_tray

socket="$E2E_RUNTIME/bus"
dbus-daemon --session --nofork --address="unix:path=$socket" >"$E2E_DIR/dbus.log" 2>&1 &
E2E_PIDS+=($!)
e2e_until 5 test -S "$socket" || e2e_fail "the session bus did not start"
export DBUS_SESSION_BUS_ADDRESS="unix:path=$socket"

host=(/usr/bin/python3 "$(dirname "$0")/sni_host.py")
items="$E2E_DIR/items.txt"
: >"$items"
e2e_start_other "${host[@]}" serve "$items"
watcher_up() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.kde.StatusNotifierWatcher | grep -q true
}
e2e_until 10 watcher_up || e2e_fail "the tray host did not start"

file=$(e2e_demo_copy Demo.pwd)
e2e_start_app -w "$file"
app=$E2E_LAST_PID
e2e_until "$E2E_TIMEOUT" test -s "$items" || e2e_fail "no item registered with the D-Bus tray"
item=$(head -n 1 "$items")
e2e_log "tray item $item"
item_get() { "${host[@]}" get "$item" "$1"; }
icon_is() { [ "$(item_get IconName)" = "$1" ]; }

e2e_until 5 icon_is keyhaven-tray-locked ||
    e2e_fail "the locked item's icon name is \"$(item_get IconName)\""
read -r count area <<<"$(item_get IconPixmap)"
((count > 0 && area > 0)) || e2e_fail "the item carries no pixels ($count, $area)"
sleep 1
# The D-Bus tray is a tray: the start stays hidden there, not minimised.
[ -z "$(e2e_visible_windows)" ] || e2e_fail "a window is shown at an automatic start"
for id in $(xdotool search --pid "$app" --name 'Keyhaven' 2>/dev/null); do
    [ "$(e2e_wm_state "$id")" != "Iconic" ] || e2e_fail "the start went to the task bar"
done

# One activation, as a left click on the icon sends it.
"${host[@]}" activate "$item"
dialog=$(e2e_wait_window "Check Key")
e2e_type_into "$dialog" "demo"
e2e_wait_gone "$dialog"
main=$(e2e_wait_main_window)
titled() { [ "$(e2e_window_name "$main")" = "Demo - Keyhaven" ]; }
e2e_until 5 titled || e2e_fail "the file is not shown: \"$(e2e_window_name "$main")\""
e2e_until 5 icon_is keyhaven-tray || e2e_fail "the unlocked icon name is \"$(item_get IconName)\""
e2e_screenshot restored

e2e_exit_from_menu "$main" "$app"
e2e_log "PASS"
