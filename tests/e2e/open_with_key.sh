#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starting with a file asks for its KEY in the Check Key dialog: a wrong KEY
# is refused and the dialog stays, the right one opens the main window, and
# the opened file is remembered in the recent-file list at exit.
source "$(dirname "$0")/lib.sh"
e2e_begin open_with_key

file=$(e2e_demo_copy Demo.pwd)
e2e_start_app "$file"
app=$E2E_LAST_PID

dialog=$(e2e_wait_window "Check Key")
e2e_type_into "$dialog" "wrong key"
message=$(e2e_wait_dialog "Keyhaven")
e2e_screenshot wrong-key
e2e_activate "$message"
xdotool key Return
e2e_wait_gone "$message"
e2e_is_viewable "$dialog" || e2e_fail "the Check Key dialog closed on a wrong KEY"

e2e_type_into "$dialog" "demo"
e2e_wait_gone "$dialog"
main=$(e2e_wait_main_window)
e2e_expect_eq "$(e2e_window_name "$main")" "Demo - Keyhaven" "caption after opening"
e2e_screenshot opened

e2e_activate "$main"
e2e_key alt+f x
e2e_wait_exit "$app" || e2e_fail "File > Exit did not end the program"
e2e_expect_eq "$E2E_EXIT_STATUS" "0" "exit status"
e2e_expect_eq "$(e2e_setting "Recent File List" File1)" "$file" "recent file after opening"
e2e_log "PASS"
