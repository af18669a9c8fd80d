#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Text dragged in the account dialog: a word of the user name dragged to the
# e-mail field moves there; from there, dragged into another program's field,
# it arrives in that program and leaves the dialog.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/controls_lib.sh"
source "$(dirname "$0")/view_lib.sh"
e2e_begin dialog_drag_text
view_start_a11y

view_open_demo Drag.pwd
e2e_activate "$VIEW_MAIN"
DIALOG_TITLE="Add Account"
# dialog_char NAME N: the centre of character N of a dialog's field.
dialog_char() {
    view_centre "$(A11Y_WINDOW="$DIALOG_TITLE" A11Y_CHAR="$2" view_find "$VIEW_APP" "$1" text | head -n 1)"
}

e2e_key ctrl+a
dialog=$(e2e_wait_dialog "$DIALOG_TITLE")
# The drag and drop of text maps the pointer with the toolkit's idea of the
# dialog's place, which is right from the start, where IceWM put it.
dialog_place_is_true || e2e_fail "the fresh dialog's place is wrong on the accessibility bus"
e2e_activate "$dialog"
xdotool type --delay 40 -- "Dragged"
xdotool key Tab
xdotool type --delay 40 -- "alpha beta"
# Shift+Ctrl+Left selects the last word, as a user would by keyboard.
xdotool key ctrl+shift+Left
sleep 0.3
word=$(dialog_char "User Name" 7)
mail=$(view_centre "$(dialog_find E-Mail text)")
e2e_log "the word is at $word, the e-mail field at $mail"
view_drag 1 "$word" "$mail"
e2e_until_output 5 beta dialog_text E-Mail text ||
    e2e_fail "the word did not reach the e-mail field: \"$(dialog_text E-Mail text)\""
e2e_expect_eq "$(dialog_text "User Name" text)" "alpha " "the user name after the move"
e2e_screenshot moved "$(e2e_frame "$dialog")"

controls_start_target
eval "$(xdotool getwindowgeometry --shell "$dialog")"
controls_place "$CONTROLS_TARGET_WIN" $((X + WIDTH + 40)) "$Y"
e2e_activate "$dialog"
# The moved word is still selected in the e-mail field.
view_drag 1 "$(dialog_char E-Mail 1)" "$(controls_centre "$CONTROLS_TARGET_WIN")"
e2e_until 5 grep -qxF "text: beta" "$E2E_DIR/target.log" ||
    e2e_fail "the word did not arrive in the other program: $(tail -n 3 "$E2E_DIR/target.log")"
e2e_until_output 5 "" dialog_text E-Mail text || e2e_fail "the moved word stayed in the e-mail field"
e2e_app_running "$VIEW_APP" || e2e_fail "the program ended"
e2e_log "PASS"
