#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# "-w" on a desktop without a tray: nothing may be left invisible. The
# program waits minimised in the task bar, locked, without asking for the KEY;
# its task bar button brings it back through the KEY.
E2E_NO_TRAY=1
source "$(dirname "$0")/lib.sh"
e2e_begin start_hidden_no_tray

file=$(e2e_demo_copy Demo.pwd)
e2e_start_app -w "$file"
app=$E2E_LAST_PID

# The minimised main window: the program's iconic client of the task bar.
iconic_window() {
    local id
    for id in $(xdotool search --pid "$app" --name 'Keyhaven' 2>/dev/null); do
        if [ "$(e2e_wm_state "$id")" = "Iconic" ] && e2e_in_taskbar "$id"; then
            echo "$id"
            return 0
        fi
    done
    return 1
}
e2e_until "$E2E_TIMEOUT" iconic_window || e2e_fail "no minimised window in the task bar"
main=$(iconic_window)
sleep 1
e2e_expect_eq "$(e2e_window_name "$main")" "Keyhaven" "the locked window's title"
[ -z "$(e2e_visible_windows)" ] || e2e_fail "a window is shown at an automatic start"
[ -z "$(e2e_tray_icon)" ] || e2e_fail "a tray icon on a desktop without a tray"
e2e_screenshot minimised

# The task bar button: the KEY first, then the file.
xdotool windowactivate "$main" >/dev/null 2>&1 || xdotool windowmap "$main"
dialog=$(e2e_wait_window "Check Key")
e2e_type_into "$dialog" "demo"
e2e_wait_gone "$dialog"
shown() { [ "$(e2e_wm_state "$main")" = "Normal" ] && e2e_is_viewable "$main"; }
e2e_until 5 shown || e2e_fail "the window did not come back after the KEY"
titled() { [ "$(e2e_window_name "$main")" = "Demo - Keyhaven" ]; }
e2e_until 5 titled || e2e_fail "the file is not shown: \"$(e2e_window_name "$main")\""
e2e_screenshot restored

e2e_exit_from_menu "$main" "$app"
e2e_log "PASS"
