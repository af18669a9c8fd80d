#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The window manager's minimise sends the window to the tray and leaves no
# frame behind: twenty times in a row the window is withdrawn (no frame, no
# task bar button) while the tray icon offers it back, and each time the
# tray's "Main Window" shows it again, drawn, in its place.
source "$(dirname "$0")/lib.sh"
e2e_begin minimise_to_tray

e2e_start_app
app=$E2E_LAST_PID
main=$(e2e_wait_main_window)
e2e_wait_tray_icon >/dev/null
sleep 1

# Anything of the program left on the screen: its window, or a frame the
# window manager keeps around it, or its task bar button.
left_behind() {
    e2e_is_viewable "$main" && { echo "the window is mapped"; return 0; }
    e2e_in_taskbar "$main" && { echo "the window manager still lists it"; return 0; }
    local frame
    frame=$(e2e_frame "$main")
    [ "$frame" != "$main" ] && e2e_is_viewable "$frame" && { echo "its frame is shown"; return 0; }
    return 1
}
is_gone() { ! left_behind >/dev/null; }

for round in $(seq 1 20); do
    e2e_activate "$main"
    xdotool windowminimize "$main"
    e2e_until 5 is_gone || e2e_fail "round $round: $(left_behind)"
    # Stays gone: nothing maps it again behind the program's back.
    sleep 0.7
    if why=$(left_behind); then
        e2e_screenshot "left-behind-$round"
        e2e_fail "round $round, after a while: $why"
    fi
    e2e_app_running "$app" || e2e_fail "round $round: the program ended"

    e2e_tray_menu_choose w
    main=$(e2e_wait_main_window)
    e2e_until 5 e2e_in_taskbar "$main" || e2e_fail "round $round: no task bar button after restoring"
done
e2e_screenshot restored
e2e_log "PASS"
