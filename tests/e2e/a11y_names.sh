#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every window as a screen reader meets it: the main window with its search
# bar, the dialogs it opens, each page of Options and the Password Bar. Every
# control that takes the focus has a name, every column header a label, no
# window is a "filler", and the detail panel's two links are links. Every
# menu is a menu with named items: each menu of the menu bar closed and open,
# the toolbar's drop-down, the tree's context menu, the tray's and the
# Password Bar's. Every drop-down list tells which item is chosen, as its text
# and as the selected row of its list: the account dialog's and Delete
# Group's lists name the group chosen in the tree.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/view_lib.sh"
e2e_begin a11y_names
view_start_a11y

WALK="$(dirname "$0")/a11y_walk.py"
faults=""
# walk TITLE: keeps the faults of the program's window TITLE.
walk() {
    local found status=0
    found=$(/usr/bin/python3 "$WALK" "$VIEW_APP" "$1" 2>>"$E2E_DIR/a11y.log") || status=$?
    faults+=$'\n'$found
    [ "$status" -le 1 ] || faults+=$'\n'"no window \"$1\" on the accessibility bus"
    e2e_log "walked \"$1\""
}
# keep_menu WHAT ITEM STATUS OUTPUT: keeps the faults of a menu read by
# a11y_walk.py (its items, then "FAULT" lines); ITEM must be among the items.
keep_menu() {
    local what=$1 item=$2 status=$3 out=$4
    if [ "$status" -gt 1 ]; then
        faults+=$'\n'"$what: not open on the accessibility bus"
        return 0
    fi
    faults+=$'\n'$(grep '^FAULT ' <<<"$out" || true)
    # An item is read as "Menu/Text", a tab and its key after it.
    awk -F '\t' -v item="$item" '$1 == item { found = 1 } END { exit !found }' <<<"$out" ||
        faults+=$'\n'"$what: no item \"$item\" among: $(grep -v '^FAULT ' <<<"$out" | tr '\n' '|' || true)"
    e2e_log "read $what"
}
# bar_menu KEY NAME ITEM: opens the menu bar's menu NAME with Alt+KEY and
# reads it while it is open.
bar_menu() {
    local out status=0
    e2e_activate "$VIEW_MAIN"
    e2e_key "alt+$1"
    sleep 0.5
    out=$(/usr/bin/python3 "$WALK" --menu "$VIEW_APP" Keyhaven "$2" 2>>"$E2E_DIR/a11y.log") ||
        status=$?
    keep_menu "menu $2" "$3" "$status" "$out"
    e2e_key Escape Escape
}
# popup_menu ITEM COMMAND...: a pop-up menu that belongs to no window,
# opened by COMMAND, is read as it opens; Escape closes it.
popup_menu() {
    local item=$1 out="$E2E_DIR/popup.txt" listener status=0
    shift
    : >"$out"
    /usr/bin/python3 "$WALK" --popup "$VIEW_APP" >"$out" 2>>"$E2E_DIR/a11y.log" &
    listener=$!
    E2E_PIDS+=("$listener")
    e2e_until 5 grep -qx listening "$out" || e2e_fail "a11y_walk.py does not listen for menus"
    "$@" || e2e_fail "the menu did not open with: $*"
    wait "$listener" || status=$?
    keep_menu "pop-up menu with \"$item\"" "$item" "$status" "$(sed 1d "$out")"
    xdotool key Escape
    sleep 0.3
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
# close_dialog [discard]: Escape; "discard" answers Yes to the question that
# an account dialog holding a change asks first.
close_dialog() {
    e2e_activate "$dialog" && e2e_key Escape
    if [ "${1:-}" = discard ]; then
        A11Y_WINDOW=Keyhaven view_wait_control "$VIEW_APP" Yes "push button" >/dev/null
        A11Y_WINDOW=Keyhaven A11Y_ACTION=Press view_find "$VIEW_APP" Yes "push button" >/dev/null
    fi
    e2e_wait_gone "$dialog"
}
# chosen LIST WANT: the dialog's drop-down list LIST shows WANT.
chosen() {
    local shown
    shown=$(dialog_text "$1" "combo box")
    [ "$shown" = "$2" ] || faults+=$'\n'"\"$DIALOG_TITLE\": the list \"$1\" reads \"$shown\", not \"$2\""
}
tree_click() { view_click_at "$(view_centre "$(A11Y_CELLS=1 view_wait_control "$VIEW_APP" "$1")")"; }

view_open_demo Demo.pwd
e2e_activate "$VIEW_MAIN"
e2e_key ctrl+f
view_wait_control "$VIEW_APP" "Search" text >/dev/null
# The main window is named "Keyhaven" on the bus whatever file its title shows.
# The walk reads the menus closed, as a screen reader finds them.
walk Keyhaven
for link in "Web Site" "E-Mail"; do
    view_find "$VIEW_APP" "$link" link >/dev/null || faults+=$'\n'"\"$link\" is no link"
done
for menu in "f:File:File/Exit" "e:Edit:Edit/Add Group..." "v:View:View/Password Bar" \
    "t:Tools:Tools/Options..." "h:Help:Help/About"; do
    IFS=: read -r key name item <<<"$menu"
    bar_menu "$key" "$name" "$item"
done

for keys in "alt+e g:Add Group" "alt+h a:About Keyhaven"; do
    open_dialog "${keys%%:*}" "${keys#*:}"
    walk "$DIALOG_TITLE"
    close_dialog
done
# The group chosen in the tree is the one a new account goes to, the one
# Edit Group renames and the one Delete Group deletes; a key that moves the
# list moves its selected row.
tree_click Shopping
popup_menu "pop-up/Add Account..." e2e_key shift+F10
for keys in "alt+e a:Add Account:Group" "alt+e e:Edit Group:Choose a group" \
    "alt+e d:Delete Group:Choose a group"; do
    IFS=: read -r key title list <<<"$keys"
    open_dialog "$key" "$title"
    chosen "$list" Shopping
    A11Y_WINDOW="$title" A11Y_ACTION=SetFocus view_find "$VIEW_APP" "$list" "combo box" >/dev/null ||
        e2e_fail "\"$title\": the list \"$list\" takes no focus from the accessibility bus"
    e2e_key Down
    chosen "$list" Work
    walk "$title"
    # The account dialog's group was changed, which it does not let go unasked.
    if [ "$title" = "Add Account" ]; then close_dialog discard; else close_dialog; fi
done
open_dialog "alt+t o" Options
for page in Start File Security "Hot Key" "Password Generator" Others; do
    view_click_at "$(view_centre "$(A11Y_CELLS=1 dialog_find "$page")")"
    sleep 0.5
    walk Options
done
close_dialog
tray=$(e2e_wait_tray_icon)
popup_menu "pop-up/Lock" e2e_click "$tray" 3
e2e_activate "$VIEW_MAIN"
e2e_key F2
A11Y_WINDOW="Password Bar" view_wait_control "$VIEW_APP" "Lock Program" "push button" >/dev/null
walk "Password Bar"
popup_menu "pop-up/Add Account..." \
    env A11Y_WINDOW="Password Bar" A11Y_ACTION=Press /usr/bin/python3 "$VIEW_A11Y_FIND" "$VIEW_APP" \
    "Show Menu" "push button"

[ -z "${faults//$'\n'/}" ] || e2e_fail "accessibility faults:$faults"
e2e_log "PASS"
