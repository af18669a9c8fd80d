#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SIGTERM (a logout, a shutdown) and SIGHUP end the program as File > Exit
# does, without a question: exit status 0 and the settings of the end
# written, the window's new place among them; also during the start.
source "$(dirname "$0")/lib.sh"
e2e_begin end_signal

settings=$(e2e_settings_file)
for signal in TERM HUP; do
    rm -f "$settings"
    e2e_start_app
    app=$E2E_LAST_PID
    main=$(e2e_wait_main_window)
    sleep 1
    xdotool windowmove "$main" 40 300
    sleep 1
    kill "-$signal" "$app"
    e2e_wait_exit "$app" || e2e_fail "SIG$signal did not end the program"
    e2e_expect_eq "$E2E_EXIT_STATUS" "0" "exit status after SIG$signal"

    [ -s "$settings" ] || e2e_fail "no settings were written at SIG$signal"
    cp "$settings" "$E2E_DIR/Keyhaven-$signal.ini"
    e2e_expect_eq "$(e2e_setting Settings Exit2Min)" "0" "Settings/Exit2Min after SIG$signal"
    e2e_expect_eq "$(e2e_setting Start Auto)" "0" "Start/Auto after SIG$signal"
    # The first-run place is 218,100; the window was moved to 40,300.
    rect=$(e2e_setting "Window size" Rect)
    read -r left top _ <<<"$rect"
    ((10#${left:-0} < 120 && 10#${top:-0} >= 280)) ||
        e2e_fail "the window's place was not kept at SIG$signal: \"$rect\""
done

# Also while the start's own Check Key dialog waits, before the main loop.
rm -f "$settings"
e2e_start_app "$(e2e_demo_copy Demo.pwd)"
app=$E2E_LAST_PID
e2e_wait_window "Check Key" >/dev/null
kill -TERM "$app"
e2e_wait_exit "$app" || e2e_fail "SIGTERM during the start's Check Key did not end the program"
e2e_expect_eq "$E2E_EXIT_STATUS" "0" "exit status after SIGTERM at the start"
[ -s "$settings" ] || e2e_fail "no settings were written at SIGTERM at the start"
e2e_log "PASS"
