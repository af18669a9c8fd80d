#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# "-w" starts with nothing but the tray icon: no main window, no KEY dialog;
# the file opened at start leaves the program locked, so the icon is the
# locked one. The run is recorded as an automatic start.
source "$(dirname "$0")/lib.sh"
e2e_begin start_hidden

file=$(e2e_demo_copy Demo.pwd)
e2e_start_app -w "$file"
app=$E2E_LAST_PID

tray=$(e2e_wait_tray_icon)
sleep 2
[ -z "$(e2e_main_window)" ] || e2e_fail "the main window is shown"
[ -z "$(e2e_windows_named "Check Key")" ] || e2e_fail "the KEY was asked for at an automatic start"
e2e_expect_eq "$(e2e_visible_windows)" "$tray" "the program's only window"
e2e_screenshot tray-only

read -r red green blue <<<"$(e2e_tray_colour)"
awk -v r="$red" -v b="$blue" 'BEGIN { exit !(r > b + 0.1) }' ||
    e2e_fail "the tray icon is not the locked one (mean red $red, blue $blue)"

e2e_tray_menu_choose x
e2e_wait_exit "$app" || e2e_fail "the tray's Exit did not end the program"
e2e_expect_eq "$E2E_EXIT_STATUS" "0" "exit status"
e2e_expect_eq "$(e2e_setting Start Auto)" "1" "Start/Auto"
e2e_log "PASS"
