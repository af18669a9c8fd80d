#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Always on Top (F3) tells the window manager to keep the window above the
# others and back again without moving it: toggled any number of times, the
# window stays where it is and keeps its size.
source "$(dirname "$0")/lib.sh"
e2e_begin always_on_top

e2e_start_app
main=$(e2e_wait_main_window)
sleep 1
place() { xwininfo -id "$main" | awk '/Absolute upper-left X|Absolute upper-left Y|^  Width|^  Height/ { printf "%s ", $NF }'; }
is_above() { xprop -id "$main" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; }
before=$(place)
e2e_log "placed at $before"

for round in 1 2 3 4 5 6; do
    e2e_activate "$main"
    xdotool key F3
    if ((round % 2)); then
        e2e_until 5 is_above || e2e_fail "round $round: the window is not kept above"
    else
        not_above() { ! is_above; }
        e2e_until 5 not_above || e2e_fail "round $round: the window is still kept above"
    fi
    sleep 0.5
    e2e_expect_eq "$(place)" "$before" "the window's place after round $round"
done
e2e_screenshot toggled
e2e_log "PASS"
