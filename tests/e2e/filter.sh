#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The live filter in the real program: a key typed while the tree has the
# focus starts the filter, the tree narrows to the accounts that
# keyhaven-cli find --all-fields lists (their groups kept), and Escape gives
# the whole tree back with the account selected before. Ctrl+K reaches the
# field from anywhere in the window. The rows are read through the
# accessibility bus, as a screen reader hears them.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/view_lib.sh"
e2e_begin filter
view_start_a11y

view_open_demo Filter.pwd
e2e_activate "$VIEW_MAIN"

# rows: the tree's rows under the file item (which the filter never hides).
rows() {
    /usr/bin/python3 "$(dirname "$0")/a11y_rows.py" "$VIEW_APP" Accounts 2>>"$E2E_DIR/a11y.log" |
        tail -n +2
}
# expected TEXT: the rows the filter should leave, from the command-line
# program's rule: each group that holds a match, then its matching accounts.
expected() {
    printf 'demo\n' | "$KEYHAVEN_CLI" find "$E2E_DEMO_FILE" "$1" --all-fields |
        awk -F '\t' '$2 != last { print $2; last = $2 } { print $3 }'
}
rows_are() { [ "$(rows)" = "$1" ]; }

view_wait_control "$VIEW_APP" Filter >/dev/null
has_rows() { [ -n "$(rows)" ]; }
e2e_until 5 has_rows || e2e_fail "the tree shows no rows"
before=$(rows)
want=$(expected "jane.doe")
[ "$(wc -l <<<"$want")" -ge 4 ] || e2e_fail "keyhaven-cli found too little: $want"
grep -qx "Example Savings Bank" <<<"$want" && e2e_fail "the account chosen first matches"

# An account that does not match is selected; typing in the tree starts the
# filter with that key.
view_click_at "$(view_centre "$(A11Y_CELLS=1 view_wait_control "$VIEW_APP" "Example Savings Bank")")"
e2e_until 5 view_text_is "$VIEW_APP" "User Name" text "$(view_demo_field Banking "Example Savings Bank" "User Name")" ||
    e2e_fail "the click did not select Example Savings Bank"
selected=$(view_control_text "$VIEW_APP" "User Name" text)
xdotool type --delay 60 -- "jane.doe"
e2e_until 5 view_text_is "$VIEW_APP" Filter text "jane.doe" ||
    e2e_fail "the filter holds \"$(view_control_text "$VIEW_APP" Filter text)\""
e2e_until 5 rows_are "$want" || e2e_fail "the tree did not narrow: $(rows) instead of $want"
e2e_screenshot narrowed

e2e_key Escape
e2e_until 5 rows_are "$before" || e2e_fail "Escape did not restore the tree: $(rows)"
e2e_expect_eq "$(view_control_text "$VIEW_APP" "User Name" text)" "$selected" \
    "the account selected before filtering"
e2e_expect_eq "$(view_control_text "$VIEW_APP" Filter text)" "" "the field after Escape"

# Ctrl+K, two words in any order, any case.
e2e_key ctrl+k
xdotool type --delay 60 -- "EXAMPLE.COM vpn"
want=$(expected "EXAMPLE.COM vpn")
e2e_until 5 rows_are "$want" || e2e_fail "Ctrl+K's filter did not narrow: $(rows) instead of $want"
e2e_screenshot ctrl-k
e2e_key Escape
e2e_until 5 rows_are "$before" || e2e_fail "the second Escape did not restore the tree: $(rows)"
e2e_app_running "$VIEW_APP" || e2e_fail "the program ended"
e2e_log "PASS"
