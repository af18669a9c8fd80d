#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Dragging from a copy-and-drag button into another program's text field puts
# the button's text there; the clipboard keeps what it held, and the button
# keeps its text for the next drag.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/controls_lib.sh"
e2e_begin controls_drag_text

controls_own_clipboard "clipboard before"
e2e_start_app "$CONTROLS_TEXT"
source_win=$(e2e_wait_window "Drag source")
controls_start_target
target_win=$CONTROLS_TARGET_WIN
controls_place "$source_win" 60 120
controls_place "$target_win" 600 120
e2e_screenshot placed

controls_drag "$source_win" "$target_win"
e2e_until 5 grep -qxF "text: $CONTROLS_TEXT" "$E2E_DIR/target.log" ||
    e2e_fail "the dragged text did not arrive: $(tail -n 3 "$E2E_DIR/target.log")"
e2e_until 5 grep -q '^drag finished' "$E2E_DIR/keyhaven.log" || e2e_fail "the drag did not end"
e2e_screenshot dropped
e2e_expect_eq "$(e2e_clipboard)" "clipboard before" "clipboard after the drag"
! grep -qx copied "$E2E_DIR/keyhaven.log" || e2e_fail "the drag also copied the text"

# Empty the field and drag again: the button still offers the whole text.
e2e_activate "$target_win"
e2e_key ctrl+a BackSpace
e2e_until 5 grep -qx "text: " "$E2E_DIR/target.log" || e2e_fail "the field was not emptied"
controls_drag "$source_win" "$target_win"
e2e_until 5 controls_count_is 2 "text: $CONTROLS_TEXT" "$E2E_DIR/target.log" ||
    e2e_fail "the second drag did not bring the text: $(tail -n 3 "$E2E_DIR/target.log")"
e2e_expect_eq "$(e2e_clipboard)" "clipboard before" "clipboard after the second drag"
e2e_log "PASS"
