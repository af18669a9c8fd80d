#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Editing in the real program: an account added through Edit > Add Account
# and its dialog is selected in the tree and saved, keyhaven-cli reads it
# back; a second account of the same name is refused with its message; a
# group is renamed and saved under its new name.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/view_lib.sh"
e2e_begin view_edit_account
view_start_a11y

view_open_demo Edit.pwd
file="$E2E_DIR/files/Edit.pwd"
e2e_activate "$VIEW_MAIN"

# --- add an account through the menu's accelerator and the dialog ----------
DIALOG_TITLE="Add Account"
e2e_key ctrl+a
dialog=$(e2e_wait_dialog "$DIALOG_TITLE")
e2e_activate "$dialog"
xdotool type --delay 40 -- "E2E Account"
xdotool key Tab
xdotool type --delay 40 -- "e2e-user"
xdotool key Tab
xdotool type --delay 40 -- "e2e-pass"
e2e_screenshot account-dialog "$(e2e_frame "$dialog")"
xdotool key Return
e2e_wait_gone "$dialog"
e2e_until 10 view_text_is "$VIEW_APP" "User Name" text "e2e-user" ||
    e2e_fail "the new account is not selected: \"$(view_control_text "$VIEW_APP" "User Name" text)\""
e2e_key ctrl+s
sleep 1
shown=$(printf 'demo\n' | "$KEYHAVEN_CLI" show "$file" Banking "E2E Account")
grep -qP '^User Name\t+e2e-user$' <<<"$shown" || e2e_fail "keyhaven-cli does not show the account: $shown"
grep -qP '^Password\t+e2e-pass$' <<<"$shown" || e2e_fail "the password was not saved: $shown"

# --- the same name again is refused --------------------------------------
e2e_key ctrl+a
dialog=$(e2e_wait_dialog "$DIALOG_TITLE")
e2e_activate "$dialog"
xdotool type --delay 40 -- "E2E Account"
xdotool key Return
view_wait_control "$VIEW_APP" "Account name should not be same!" >/dev/null
e2e_screenshot duplicate
xdotool key Return
sleep 0.5
e2e_expect_eq "$(dialog_text Account text)" "" "the account field after the refusal"

xdotool key Escape
e2e_wait_gone "$dialog"

# --- rename a group ---------------------------------------------------------
DIALOG_TITLE="Edit Group"
e2e_activate "$VIEW_MAIN"
# The tree's rows are not controls of their own on the bus: the keyboard
# walks to the first group (the file item, then its first child).
view_click_at "$(view_centre "$(view_wait_control "$VIEW_APP" Accounts)")"
e2e_key Home Down
e2e_until 5 view_text_is "$VIEW_APP" "User Name" text "" || e2e_fail "no group is selected"
e2e_key ctrl+e
dialog=$(e2e_wait_dialog "$DIALOG_TITLE")
view_click_at "$(view_centre "$(dialog_find "New name" text)")"
xdotool type --delay 40 -- "Money"
xdotool key Return
e2e_wait_gone "$dialog"
e2e_key ctrl+s
sleep 1
printf 'demo\n' | "$KEYHAVEN_CLI" ls "$file" | grep -qx '  Money' ||
    e2e_fail "the renamed group is not in the file: $(printf 'demo\n' | "$KEYHAVEN_CLI" ls "$file")"
e2e_app_running "$VIEW_APP" || e2e_fail "the program ended"
e2e_log "PASS"
