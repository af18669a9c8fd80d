#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Exiting while maximised by the window manager keeps the normal rectangle as
# "Rect" with "IsMaxed" = 1, so the next start comes back maximised and a
# restore returns to the normal size.
source "$(dirname "$0")/lib.sh"
e2e_begin maximised_exit

e2e_write_settings <<'INI'
[Window%20size]
Rect=0120 0090 0720 0540
INI
e2e_start_app
app=$E2E_LAST_PID
main=$(e2e_wait_main_window)
sleep 1
normal_width=$(e2e_window_width "$main")
e2e_expect_eq "$normal_width" "600" "the restored width"

# IceWM's own key for maximising the active window.
e2e_activate "$main"
xdotool key alt+F10
is_maxed() { xprop -id "$main" _NET_WM_STATE | grep -q _NET_WM_STATE_MAXIMIZED_VERT; }
e2e_until 5 is_maxed || e2e_fail "the window manager did not maximise the window"
sleep 1
[ "$(e2e_window_width "$main")" -gt 600 ] || e2e_fail "the maximised window is not wider"
e2e_screenshot maximised

e2e_activate "$main"
e2e_key alt+f x
e2e_wait_exit "$app" || e2e_fail "File > Exit did not end the program"
e2e_expect_eq "$(e2e_setting "Window size" IsMaxed)" "1" "IsMaxed"
e2e_expect_eq "$(e2e_setting "Window size" Rect)" "0120 0090 0720 0540" "the normal rectangle"

# The next start is maximised, and a restore goes back to the normal size.
e2e_start_app
app=$E2E_LAST_PID
main=$(e2e_wait_main_window)
e2e_until 5 is_maxed || e2e_fail "the second start is not maximised"
e2e_activate "$main"
xdotool key alt+F10
not_maxed() { ! is_maxed; }
e2e_until 5 not_maxed || e2e_fail "the window manager did not restore the window"
sleep 1
e2e_expect_eq "$(e2e_window_width "$main")" "600" "the width after restoring"
e2e_log "PASS"
