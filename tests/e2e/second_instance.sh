#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A second start while the program runs shows nothing of its own, ends at
# once, and brings the first instance's main window to the front.
source "$(dirname "$0")/lib.sh"
e2e_begin second_instance

e2e_start_app
first=$E2E_LAST_PID
main=$(e2e_wait_main_window)
sleep 1
before=$(e2e_visible_windows | wc -l)

# Another program takes the focus.
e2e_start_other xmessage -geometry 600x300+100+100 "another program"
find_other() { xdotool search --class xmessage 2>/dev/null | awk 'NR == 1'; }
has_other() { [ -n "$(find_other)" ]; }
e2e_until 10 has_other || e2e_fail "xmessage did not appear"
other=$(find_other)
e2e_activate "$other"
[ "$(xdotool getactivewindow)" != "$main" ] || e2e_fail "the main window kept the focus"

status=0
e2e_run_app || status=$?
e2e_expect_eq "$status" "0" "the second instance's exit status"

main_is_active() { [ "$(xdotool getactivewindow)" = "$main" ]; }
e2e_until 5 main_is_active ||
    e2e_fail "the first instance's main window was not brought to the front"
e2e_app_running "$first" || e2e_fail "the first instance ended"
after=$(e2e_visible_windows | wc -l)
e2e_expect_eq "$after" "$before" "windows of the program after the second start"
e2e_screenshot raised
e2e_log "PASS"
