#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Drag and drop in the tree of the real program, with the mouse: an account
# dragged onto another group with the left button moves there; a group
# dragged with the right button onto another, answered "Move All Accounts
# Here", hands over all its accounts. keyhaven-cli reads both from the saved
# file.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/view_lib.sh"
e2e_begin tree_drag_drop
view_start_a11y

view_open_demo Tree.pwd
file="$E2E_DIR/files/Tree.pwd"
e2e_activate "$VIEW_MAIN"

# row LABEL: the centre of the tree row with that label.
row() { view_centre "$(A11Y_CELLS=1 view_wait_control "$VIEW_APP" "$1")"; }
listing() { printf 'demo\n' | "$KEYHAVEN_CLI" ls "$file"; }
# group_of ACCOUNT: the group the saved file lists the account under.
group_of() { listing | awk -v a="    $1" '/^  [^ ]/ { g = substr($0, 3) } $0 == a { print g }'; }

e2e_expect_eq "$(group_of Chat)" "Email" "Chat's group before the drag"
# Only the selected account's group is open at start: Right opens Email.
view_click_at "$(row Email)"
e2e_key Right
view_drag 1 "$(row Chat)" "$(row Shopping)"
e2e_key ctrl+s
e2e_until 5 test "$(group_of Chat)" = "Shopping" ||
    e2e_fail "Chat was not moved to Shopping: $(listing)"
e2e_screenshot moved

view_drag 3 "$(row Work)" "$(row Banking)"
# The drop menu of a group: "Copy All Accounts Here", "Move All Accounts
# Here", "Cancel"; the keyboard picks the second.
e2e_wait_popup_menu >/dev/null
e2e_key Down Down Return
sleep 0.5
e2e_key ctrl+s
e2e_until 5 test "$(group_of VPN)" = "Banking" ||
    e2e_fail "Work's accounts were not moved to Banking: $(listing)"
listing | grep -qx '  Work' || e2e_fail "the emptied group Work is gone: $(listing)"
e2e_app_running "$VIEW_APP" || e2e_fail "the program ended"
e2e_log "PASS"
