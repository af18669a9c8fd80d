#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The D-Bus tray (a StatusNotifierWatcher with its host on the session bus):
# a "-w" start waits there, locked, its item named after the theme's locked
# picture and carrying the pixels too; the host's activation (a left click)
# brings the window back through the KEY, as a click on the X11 tray's icon
# does. The menu's "Password Bar", chosen while the main window shows, puts
# the bar in its place; "Lock" sends the bar to the tray, saying so in the
# desktop's notification (the first lock only; a start at logon says
# nothing), and a host's quick second activation (a double click) asks the
# KEY only once and leaves the bar shown.
E2E_NO_TRAY=1
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/view_lib.sh"
e2e_begin sni_tray
view_start_a11y

host=(/usr/bin/python3 "$(dirname "$0")/sni_host.py")
items="$E2E_DIR/items.txt"
notes="$E2E_DIR/notes.txt"
: >"$items"
: >"$notes"
e2e_start_other "${host[@]}" serve "$items" "$notes"
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

e2e_expect_eq "$("${host[@]}" menu "$item" "Exit")" "enabled" "the menu's Exit"
e2e_wait_exit "$app" || e2e_fail "the menu's Exit did not end the program"
# Starting locked is no lock of the user's: it says nothing.
e2e_expect_eq "$(cat "$notes")" "" "notifications of a start at logon"

# An ordinary start, the close button hiding into the tray.
e2e_write_settings <<'INI'
[Settings]
Exit2Min=1
INI
e2e_start_app "$file"
app=$E2E_LAST_PID
dialog=$(e2e_wait_window "Check Key")
e2e_type_into "$dialog" "demo"
main=$(e2e_wait_main_window)
e2e_until "$E2E_TIMEOUT" eval '[ "$(wc -l <"$items")" -ge 2 ]' ||
    e2e_fail "the second start registered no item"
item=$(tail -n 1 "$items")
e2e_until 5 icon_is keyhaven-tray || e2e_fail "the icon name is \"$(item_get IconName)\""

# The menu's entry as a host sends it, the main window showing.
e2e_expect_eq "$("${host[@]}" menu "$item" "Password Bar")" "enabled" "the menu's Password Bar"
A11Y_WINDOW="Password Bar" view_wait_control "$app" "Main Window" "push button" >/dev/null
bar=$(e2e_wait_window "Password Bar")
e2e_wait_gone "$main"
e2e_screenshot bar

e2e_expect_eq "$("${host[@]}" menu "$item" "Lock")" "enabled" "the menu's Lock"
e2e_wait_gone "$bar"
e2e_until 5 icon_is keyhaven-tray-locked || e2e_fail "the bar's lock left \"$(item_get IconName)\""
# The first lock says where the program went, as the desktop's notification.
e2e_until 5 test -s "$notes" || e2e_fail "the first lock sent no notification"
e2e_expect_eq "$(cat "$notes")" "Keyhaven is locked. Click its icon in the tray to come back." \
    "the first lock's notification"
# Two activations in a row, as a double click sends them: one KEY question,
# and the bar that comes back stays.
"${host[@]}" activate "$item" 2
dialog=$(e2e_wait_window "Check Key")
sleep 1
e2e_expect_eq "$(e2e_windows_named "Check Key" | wc -l)" "1" "KEY questions after a double click"
e2e_type_into "$dialog" "demo"
e2e_wait_gone "$dialog"
bar=$(e2e_wait_window "Password Bar")
e2e_until 5 icon_is keyhaven-tray || e2e_fail "the unlocked icon name is \"$(item_get IconName)\""
sleep 1
[ -z "$(e2e_windows_named "Check Key")" ] || e2e_fail "the KEY is asked a second time"
e2e_is_viewable "$bar" || e2e_fail "the bar went away again"

# Hidden without a lock, a double click brings the window back once: the
# second activation does not run the "Lock" that is the default by then.
e2e_expect_eq "$("${host[@]}" menu "$item" "Main Window")" "enabled" "the menu's Main Window"
main=$(e2e_wait_main_window)
e2e_activate "$main"
xdotool key alt+F4
e2e_wait_gone "$main"
"${host[@]}" activate "$item" 2
main=$(e2e_wait_main_window)
sleep 1
e2e_is_viewable "$main" || e2e_fail "the window went away again after a double click"
e2e_expect_eq "$(item_get IconName)" "keyhaven-tray" "the icon after a double click"

e2e_expect_eq "$("${host[@]}" menu "$item" "Exit")" "enabled" "the menu's Exit"
e2e_wait_exit "$app" || e2e_fail "the menu's Exit did not end the program"
e2e_log "PASS"
