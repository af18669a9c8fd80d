#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# File > Exit ends the program and writes its settings: the frame's values
# with their defaults, the window placement, and the hand-over values of the
# start emptied again.
source "$(dirname "$0")/lib.sh"
e2e_begin exit_writes_settings

settings=$(e2e_settings_file)
[ ! -e "$settings" ] || e2e_fail "a fresh home already has settings"
e2e_start_app
app=$E2E_LAST_PID
main=$(e2e_wait_main_window)

e2e_activate "$main"
e2e_key alt+f x
e2e_wait_exit "$app" || e2e_fail "File > Exit did not end the program"
e2e_expect_eq "$E2E_EXIT_STATUS" "0" "exit status"

[ -s "$settings" ] || e2e_fail "no settings were written"
cp "$settings" "$E2E_DIR/Keyhaven.ini"
# New settings generate from all four classes.
e2e_expect_eq "$(e2e_setting Settings Generate)" "47" "Settings/Generate"
e2e_expect_eq "$(e2e_setting Settings Exit2Min)" "0" "Settings/Exit2Min"
e2e_expect_eq "$(e2e_setting Settings DeleteConfirmA)" "1" "Settings/DeleteConfirmA"
e2e_expect_eq "$(e2e_setting "Window size" tool)" "1" "Window size/tool"
e2e_expect_eq "$(e2e_setting "Window size" status)" "1" "Window size/status"
e2e_expect_eq "$(e2e_setting Start Auto)" "0" "Start/Auto"
e2e_expect_eq "$(e2e_setting Path 4)" "" "Path/4"
grep -qi '^4=' <(sed -n '/^\[Path\]/,/^\[/p' "$settings") || e2e_fail "Path/4 was not written"
e2e_log "PASS"
