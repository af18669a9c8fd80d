#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every window as a screen reader meets it: the main window with its search
# bar, the dialogs it opens, each page of Options and the Password Bar. Every
# control that takes the focus has a name, every column header a label, no
# window is a "filler", and the detail panel's two links are links.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/view_lib.sh"
e2e_begin a11y_names
view_start_a11y

faults=""
# walk TITLE: keeps the faults of the program's window TITLE.
walk() {
    local found status=0
    found=$(/usr/bin/python3 "$(dirname "$0")/a11y_walk.py" "$VIEW_APP" "$1") || status=$?
    faults+=$'\n'$found
    [ "$status" -le 1 ] || faults+=$'\n'"no window \"$1\" on the accessibility bus"
    e2e_log "walked \"$1\""
}
# open_dialog KEYS TITLE: the dialog that the keys open on the main window.
open_dialog() {
    DIALOG_TITLE=$2
    e2e_activate "$VIEW_MAIN"
    # shellcheck disable=SC2086
    e2e_key $1
    dialog=$(e2e_wait_dialog "$DIALOG_TITLE")
    dialog_find "$DIALOG_TITLE" dialog >/dev/null
}
close_dialog() { e2e_activate "$dialog" && e2e_key Escape && e2e_wait_gone "$dialog"; }

view_open_demo Demo.pwd
e2e_activate "$VIEW_MAIN"
e2e_key ctrl+f
view_wait_control "$VIEW_APP" "Search" text >/dev/null
# The main window is named "Keyhaven" on the bus whatever file its title shows.
walk Keyhaven
for link in "Web Site" "E-Mail"; do
    view_find "$VIEW_APP" "$link" link >/dev/null || faults+=$'\n'"\"$link\" is no link"
done
for keys in "alt+e a:Add Account" "alt+e g:Add Group" "alt+h a:About Keyhaven"; do
    open_dialog "${keys%%:*}" "${keys#*:}"
    walk "$DIALOG_TITLE"
    close_dialog
done
open_dialog "alt+t o" Options
for page in Start File Security "Hot Key" "Password Generator" Others; do
    view_click_at "$(view_centre "$(A11Y_CELLS=1 dialog_find "$page")")"
    sleep 0.5
    walk Options
done
close_dialog
e2e_activate "$VIEW_MAIN"
e2e_key F2
A11Y_WINDOW="Password Bar" view_wait_control "$VIEW_APP" "Lock Program" "push button" >/dev/null
walk "Password Bar"

[ -z "${faults//$'\n'/}" ] || e2e_fail "accessibility faults:$faults"
e2e_log "PASS"
