#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Dragging from the main window's Copy / Drag Password button into another
# program's text field drops the selected account's real password there; the
# clipboard keeps what it held before, and the password box stays masked.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/controls_lib.sh"
source "$(dirname "$0")/view_lib.sh"
e2e_begin view_drag_password
view_start_a11y

password=$(view_demo_field Banking Brokerage Password)
[ -n "$password" ] || e2e_fail "the demo file has no password for Banking/Brokerage"

controls_own_clipboard "clipboard before"
view_open_demo Demo.pwd
controls_start_target
target=$CONTROLS_TARGET_WIN

# The two windows side by side, the target right of the main window, or
# below it when the screen has no room beside it.
controls_place "$VIEW_MAIN" 20 60
eval "$(xdotool getwindowgeometry --shell "$VIEW_MAIN")"
read -r screen_width _ < <(xdotool getdisplaygeometry)
if ((X + WIDTH + 60 + $(e2e_window_width "$target") <= screen_width)); then
    controls_place "$target" $((X + WIDTH + 60)) 200
else
    controls_place "$target" 20 $((Y + HEIGHT + 60))
fi
e2e_activate "$VIEW_MAIN"
e2e_until 10 view_text_is "$VIEW_APP" "Password" text "************" || e2e_fail "the password box is not masked"
e2e_screenshot placed
view_screenshot_main main-window "$VIEW_MAIN"

button=$(view_wait_control "$VIEW_APP" "Copy / Drag Password" "push button")
view_inside "$button" "$VIEW_MAIN" || e2e_fail "the password button ($button) is not inside the main window"
e2e_drag "$(view_centre "$button")" "$(controls_centre "$target")"

e2e_until 5 grep -qxF "text: $password" "$E2E_DIR/target.log" ||
    e2e_fail "the password did not arrive: $(tail -n 3 "$E2E_DIR/target.log")"
e2e_expect_eq "$(tail -n 1 "$E2E_DIR/target.log")" "text: $password" "the target's field after the drop"
e2e_expect_eq "$(grep -c '^text: ' "$E2E_DIR/target.log")" "1" "changes of the target's field"
e2e_screenshot dropped
e2e_expect_eq "$(e2e_clipboard)" "clipboard before" "clipboard after the drag"
e2e_expect_eq "$(view_control_text "$VIEW_APP" "Password" text)" "************" "password box after the drag"
e2e_app_running "$VIEW_APP" || e2e_fail "the program ended"
e2e_log "PASS"
