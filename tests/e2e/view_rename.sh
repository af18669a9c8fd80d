#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renaming in place in the real program: a second click on the selected
# account opens its label for editing, the new name typed there shows in the
# tree and the panel keeps the account; Escape in a second edit keeps the
# name; the file saved holds the new name, as keyhaven-cli reads it.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/view_lib.sh"
e2e_begin view_rename
view_start_a11y

view_open_demo Rename.pwd
file="$E2E_DIR/files/Rename.pwd"
e2e_activate "$VIEW_MAIN"

rows() {
    /usr/bin/python3 "$(dirname "$0")/a11y_rows.py" "$VIEW_APP" Accounts 2>>"$E2E_DIR/a11y.log"
}
user=$(view_demo_field Banking "Example Savings Bank" "User Name")
where=$(view_centre "$(A11Y_CELLS=1 view_wait_control "$VIEW_APP" "Example Savings Bank")")
view_click_at "$where"
e2e_until 5 view_text_is "$VIEW_APP" "User Name" text "$user" ||
    e2e_fail "the click did not select Example Savings Bank"

# A second click, later than a double click would be, opens the label.
sleep 1
view_click_at "$where"
sleep 1
xdotool type --delay 60 -- "Savings Renamed"
e2e_screenshot editing
e2e_key Return
shows_renamed() { rows | grep -x "Savings Renamed" >/dev/null; }
e2e_until 5 shows_renamed ||
    e2e_fail "the tree does not show the new name: $(rows)"
grep -qx "Example Savings Bank" <<<"$(rows)" && e2e_fail "the old name is still in the tree"
e2e_expect_eq "$(view_control_text "$VIEW_APP" "User Name" text)" "$user" "the panel after renaming"

# Escape leaves the label as it was.
where=$(view_centre "$(A11Y_CELLS=1 view_wait_control "$VIEW_APP" "Savings Renamed")")
view_click_at "$where"
sleep 1
view_click_at "$where"
sleep 1
xdotool type --delay 60 -- "Not Kept"
e2e_key Escape
sleep 0.5
grep -qx "Not Kept" <<<"$(rows)" && e2e_fail "Escape kept the typed name"

e2e_key ctrl+s
sleep 1
listed=$(printf 'demo\n' | "$KEYHAVEN_CLI" ls "$file")
grep -qx '    Savings Renamed' <<<"$listed" || e2e_fail "the file does not hold the new name: $listed"
e2e_app_running "$VIEW_APP" || e2e_fail "the program ended"
e2e_log "PASS"
