#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Tools > Password Health in the real program: the dialog lists the demo
# file's worst account first, with the finding keyhaven-cli audit reports for
# it; a double click on the line opens that account's edit dialog, with its
# strength meter.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/view_lib.sh"
e2e_begin password_health
view_start_a11y

view_open_demo Health.pwd
file="$E2E_DIR/files/Health.pwd"

# What the command-line audit finds first: group, account, findings.
# (it exits 1 when it finds something, as here).
audit=$(printf 'demo\n' | "$KEYHAVEN_CLI" audit "$file") || [ $? -eq 1 ]
[ -n "$audit" ] || e2e_fail "keyhaven-cli audit finds nothing in the demo file"
IFS=$'\t' read -r group account findings <<<"$(head -n 1 <<<"$audit")"
# The dialog names the weakness without the bits, which have a column of
# their own.
finding=$(sed -E 's/weak \([^)]*\)/weak/' <<<"$findings")
e2e_log "first finding: $group / $account: $finding"

e2e_activate "$VIEW_MAIN"
e2e_key alt+t h
DIALOG_TITLE="Password Health"
dialog=$(e2e_wait_dialog "$DIALOG_TITLE")
A11Y_CELLS=1 dialog_find "$group / $account" >/dev/null
A11Y_CELLS=1 dialog_find "$finding" >/dev/null
e2e_screenshot health-dialog "$(e2e_frame "$dialog")"

# A screen reader can announce every control and column of the dialog.
faults=$(/usr/bin/python3 "$(dirname "$0")/a11y_walk.py" "$VIEW_APP" "$DIALOG_TITLE" 2>>"$E2E_DIR/a11y.log") ||
    e2e_fail "the dialog has controls a screen reader cannot announce: $faults"

# A double click on the line edits its account.
read -r x y <<<"$(view_centre "$(A11Y_CELLS=1 dialog_find "$group / $account")")"
xdotool mousemove "$x" "$y"
sleep 0.4
xdotool click --repeat 2 --delay 80 1
edit=$(e2e_wait_dialog "Edit the Account")
DIALOG_TITLE="Edit the Account"
e2e_expect_eq "$(dialog_text "Account" text)" "$account" "the account the edit dialog opened"
A11Y_WINDOW="Edit the Account" view_wait_control "$VIEW_APP" "Password strength" >/dev/null
e2e_screenshot edit-from-health "$(e2e_frame "$edit")"
xdotool key Escape
e2e_wait_gone "$edit"
e2e_activate "$dialog"
xdotool key Escape
e2e_wait_gone "$dialog"
e2e_app_running "$VIEW_APP" || e2e_fail "the program ended"
e2e_log "PASS"
