#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# On a desktop without a tray nothing may swallow the window: with
# "Exit2Min" = 1 the close button, and the minimise button, leave it minimised
# in the task bar, where its button brings it back; a second start raises it
# whatever its state; File > Exit still ends the program.
E2E_NO_TRAY=1
source "$(dirname "$0")/lib.sh"
e2e_begin no_tray

e2e_write_settings <<'INI'
[Settings]
Exit2Min=1
INI
e2e_start_app
app=$E2E_LAST_PID
main=$(e2e_wait_main_window)
sleep 1
[ -z "$(e2e_tray_icon)" ] || e2e_fail "a tray icon on a desktop without a tray"

expect_in_taskbar() {
    local why=$1
    is_iconic() { [ "$(e2e_wm_state "$main")" = "Iconic" ]; }
    e2e_until 5 is_iconic || e2e_fail "$why: the window is \"$(e2e_wm_state "$main")\", not minimised"
    e2e_in_taskbar "$main" || e2e_fail "$why: the window left the task bar"
    e2e_app_running "$app" || e2e_fail "$why: the program ended"
}
expect_shown() {
    local why=$1
    is_shown() { e2e_is_viewable "$main" && [ "$(e2e_wm_state "$main")" = "Normal" ]; }
    e2e_until 5 is_shown || e2e_fail "$why: the window did not come back"
}

e2e_activate "$main"
xdotool key alt+F4
expect_in_taskbar "the close button"
e2e_screenshot closed

# A second start raises the minimised window.
status=0
e2e_run_app || status=$?
e2e_expect_eq "$status" "0" "the second instance's exit status"
expect_shown "a second start after the close button"

# The minimise button, twice: the task bar's button brings it back.
for round in 1 2; do
    xdotool windowminimize "$main"
    expect_in_taskbar "minimise $round"
    e2e_screenshot "minimised-$round"
    if [ "$round" = 1 ]; then
        xdotool windowactivate "$main" >/dev/null 2>&1 || xdotool windowmap "$main"
        expect_shown "the task bar button"
    else
        e2e_run_app || e2e_fail "the second start failed"
        expect_shown "a second start after the minimise button"
    fi
done

e2e_activate "$main"
e2e_key alt+f x
e2e_wait_exit "$app" || e2e_fail "File > Exit did not end the program"
e2e_expect_eq "$E2E_EXIT_STATUS" "0" "exit status"
e2e_log "PASS"
