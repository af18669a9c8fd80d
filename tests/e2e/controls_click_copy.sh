#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A click on a copy-and-drag button puts its text on the clipboard, for any
# program to paste; so does a press with a move too small to start a drag.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/controls_lib.sh"
e2e_begin controls_click_copy

controls_own_clipboard "clipboard before"
e2e_start_app "$CONTROLS_TEXT"
source_win=$(e2e_wait_window "Drag source")
controls_place "$source_win" 60 120

xdotool mousemove --window "$source_win" 110 40
sleep 0.3
xdotool click 1
e2e_until 5 grep -qx copied "$E2E_DIR/keyhaven.log" || e2e_fail "the click did not copy"
e2e_expect_eq "$(e2e_clipboard)" "$CONTROLS_TEXT" "clipboard after a click"

# Another owner takes the clipboard; a press, a one-pixel move and a quick
# release are still a click.
controls_own_clipboard "someone else's text"
xdotool mousedown 1
xdotool mousemove_relative 1 0
xdotool mouseup 1
e2e_until 5 controls_count_is 2 copied "$E2E_DIR/keyhaven.log" ||
    e2e_fail "a press with a tiny move did not copy"
e2e_expect_eq "$(e2e_clipboard)" "$CONTROLS_TEXT" "clipboard after a tiny move"
! grep -q '^drag finished' "$E2E_DIR/keyhaven.log" || e2e_fail "a click started a drag"
e2e_log "PASS"
