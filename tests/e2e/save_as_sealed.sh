#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# File > Save As with a ".khv" name writes the protected format under a new
# KEY (the ".pwd"'s own KEY is refused, since that file gives it away) and
# offers to remove the old file, which Enter (No) keeps; the program opens
# the new file again with the new KEY only and shows the same account, and
# keyhaven-cli exports exactly what it exports from the ".pwd". The opened
# ".pwd" shows the bar offering to seal it.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/view_lib.sh"
e2e_begin save_as_sealed
view_start_a11y

user=$(view_demo_field Banking Brokerage "User Name")
[ -n "$user" ] || e2e_fail "the demo file has no user name for Banking/Brokerage"
sealed="$E2E_DIR/files/Sealed.khv"

view_open_demo Demo.pwd
plain="$E2E_DIR/files/Demo.pwd"
# The opened ".pwd" shows the bar that offers to seal it.
view_wait_control "$VIEW_APP" "Save as .khv" >/dev/null
view_screenshot_main convert-bar "$VIEW_MAIN"
e2e_activate "$VIEW_MAIN"
e2e_key alt+f a
dialog=$(e2e_wait_window "Save As")
e2e_screenshot save-as
e2e_type_into "$dialog" "$sealed"
e2e_wait_gone "$dialog"

# wait_message PID NAME [ROLE]: the message box with that control. The busy
# box of the key derivation has the same caption, and it has gone once a
# message box shows.
wait_message() {
    view_wait_control "$@" >/dev/null
    e2e_wait_dialog "Keyhaven"
}

# type_new_key KEY: types KEY twice into the Create KEY dialog and presses OK.
# Both KEYs here are easy to guess: the dialog asks first, and Yes takes the
# KEY all the same.
type_new_key() {
    local create question
    create=$(e2e_wait_window "Create KEY")
    e2e_activate "$create"
    sleep 0.3
    xdotool type --delay 40 -- "$1"
    xdotool key Tab
    xdotool type --delay 40 -- "$1"
    xdotool key Return
    question=$(wait_message "$VIEW_APP" Yes "push button")
    e2e_is_viewable "$create" || e2e_fail "the weak KEY $1 was taken before the question"
    e2e_screenshot "weak-key-$1"
    view_click_at "$(view_centre "$(view_wait_control "$VIEW_APP" Yes "push button")")"
    e2e_wait_gone "$question"
    e2e_wait_gone "$create"
}
type_new_key demo
message=$(e2e_wait_dialog "Keyhaven")
e2e_screenshot old-key-refused
e2e_activate "$message"
xdotool key Return
e2e_wait_gone "$message"
type_new_key sealed-key
e2e_until 15 test -s "$sealed" || e2e_fail "Save As did not write $sealed"
question=$(wait_message "$VIEW_APP" Yes "push button")
e2e_screenshot remove-old-file
e2e_activate "$question"
xdotool key Return
e2e_wait_gone "$question"
[ -s "$plain" ] || e2e_fail "the old .pwd was removed although the answer was No"
e2e_expect_eq "$(head -c 4 "$sealed" | od -An -tx1 | tr -d ' \n')" "894b4856" "magic of the saved file"
if grep -q -a -F "$user" "$sealed"; then e2e_fail "the user name shows in the sealed file"; fi

e2e_activate "$VIEW_MAIN"
e2e_key alt+f x
e2e_wait_exit "$VIEW_APP" || e2e_fail "File > Exit did not end the program"
e2e_expect_eq "$(e2e_setting "Recent File List" File1)" "$sealed" "recent file after Save As"

# Opened again: the old KEY is refused as any wrong one, the new one shows
# the account selected at start.
e2e_start_app "$sealed"
app=$E2E_LAST_PID
dialog=$(e2e_wait_window "Check Key")
e2e_type_into "$dialog" "demo"
message=$(wait_message "$app" "Your KEY is invalid!")
e2e_activate "$message"
xdotool key Return
e2e_wait_gone "$message"
e2e_type_into "$dialog" "sealed-key"
e2e_wait_gone "$dialog"
main=$(e2e_wait_main_window)
e2e_until 10 view_text_is "$app" "User Name" text "$user" ||
    e2e_fail "the reopened file does not show \"$user\": \"$(view_control_text "$app" "User Name" text)\""
view_screenshot_main reopened "$main"
e2e_activate "$main"
e2e_key alt+f x
e2e_wait_exit "$app" || e2e_fail "File > Exit did not end the program"

from_plain=$(printf 'demo\n' | "$KEYHAVEN_CLI" export "$plain") || e2e_fail "export of the .pwd failed"
from_sealed=$(printf 'sealed-key\n' | "$KEYHAVEN_CLI" export "$sealed") || e2e_fail "export of the .khv failed"
[ -n "$from_plain" ] || e2e_fail "the export is empty"
[ "$from_plain" = "$from_sealed" ] || e2e_fail "the exports of the .pwd and the .khv differ"
e2e_log "PASS"
