#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# File > Export through the real save dialog, once the question about plain
# text is answered Yes, writes exactly what keyhaven-cli export writes for the
# same file, readable by its owner only, and leaves the password file as it
# was.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/view_lib.sh"
e2e_begin export_file
view_start_a11y

view_open_demo Demo.pwd
pwd_file="$E2E_DIR/files/Demo.pwd"
before=$(sha256sum <"$pwd_file")
out="$E2E_DIR/files/demo-export.txt"
expected="$E2E_DIR/expected.txt"
printf 'demo\n' | "$KEYHAVEN_CLI" export "$E2E_DEMO_FILE" -o "$expected" ||
    e2e_fail "keyhaven-cli export failed"
[ -s "$expected" ] || e2e_fail "keyhaven-cli exported nothing"

e2e_activate "$VIEW_MAIN"
e2e_key alt+f e
dialog=$(e2e_wait_dialog "Select a file to export")
# The file name field has the focus: a full path goes straight in.
e2e_type_into "$dialog" "$out"
e2e_wait_gone "$dialog"
question=$(e2e_wait_dialog "Keyhaven")
DIALOG_TITLE="Keyhaven"
e2e_screenshot plain-text-question
view_click_at "$(view_centre "$(dialog_find Yes "push button")")"
e2e_wait_gone "$question"
e2e_until 10 test -s "$out" || e2e_fail "no export file was written"
e2e_screenshot exported "$(e2e_frame "$VIEW_MAIN")"

cmp "$expected" "$out" || {
    diff "$expected" "$out" >"$E2E_DIR/export.diff" || true
    e2e_fail "the export differs from keyhaven-cli export (export.diff)"
}
e2e_expect_eq "$(stat -c %a "$out")" "600" "mode of the export file"
e2e_expect_eq "$(sha256sum <"$pwd_file")" "$before" "the password file after the export"
# Every account of the demo file is in it, with its password.
accounts=$(printf 'demo\n' | "$KEYHAVEN_CLI" ls "$E2E_DEMO_FILE" | grep -c '^    ')
e2e_expect_eq "$(grep -c '^Account		' "$out")" "$accounts" "accounts in the export"
e2e_app_running "$VIEW_APP" || e2e_fail "the program ended"
e2e_log "PASS"
