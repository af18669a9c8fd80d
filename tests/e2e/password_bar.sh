#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# F2 puts the Password Bar in place of the main window, showing the group and
# account the view had selected, without a task bar button. Dragging its Copy /
# Drag User Name button into another program's field delivers the user name;
# its Copy / Drag Password button puts the password on the clipboard. Its Lock
# sends it to the tray with the locked icon, and the hot key brings it back
# once the KEY is typed. Its Close ends the program ("Exit2Min" 0) and the
# bar's place is in the settings.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/controls_lib.sh"
source "$(dirname "$0")/view_lib.sh"
e2e_begin password_bar
view_start_a11y

e2e_write_settings <<'INI'
[Settings]
HotKey=75
HotKeyFlag=4
barx=300
bary=200
INI

tray_is_locked() {
    local red green blue
    read -r red green blue <<<"$(e2e_tray_colour)"
    awk -v r="$red" -v b="$blue" 'BEGIN { exit !(r > b + 0.1) }'
}
bar_control() { A11Y_WINDOW="Password Bar" view_wait_control "$VIEW_APP" "$@"; }

password=$(view_demo_field Banking Brokerage Password)
user=$(view_demo_field Banking Brokerage "User Name")
controls_own_clipboard "clipboard before"
view_open_demo Demo.pwd
controls_start_target
target=$CONTROLS_TARGET_WIN
controls_place "$target" 300 260
e2e_wait_tray_icon >/dev/null
e2e_activate "$VIEW_MAIN"
e2e_until 10 view_text_is "$VIEW_APP" "Password" text "************" || e2e_fail "no account shown"

xdotool key F2
e2e_wait_gone "$VIEW_MAIN"
bar=$(e2e_wait_window "Password Bar")
e2e_screenshot bar
geometry=$(xdotool getwindowgeometry "$bar" | awk '/Position/ { print $2 }')
e2e_expect_eq "$geometry" "300,200" "the bar's place from the settings"
skips_taskbar() { xprop -id "$bar" _NET_WM_STATE 2>/dev/null | grep -q _NET_WM_STATE_SKIP_TASKBAR; }
e2e_until 5 skips_taskbar || e2e_fail "the bar has a task bar button: $(xprop -id "$bar" _NET_WM_STATE)"

button=$(bar_control "Copy / Drag User Name" "push button")
e2e_drag "$(view_centre "$button")" "$(controls_centre "$target")"
e2e_until 5 grep -qxF "text: $user" "$E2E_DIR/target.log" ||
    e2e_fail "the user name did not arrive: $(tail -n 3 "$E2E_DIR/target.log")"
e2e_screenshot bar-over-program

button=$(bar_control "Copy / Drag Password" "push button")
view_click_at "$(view_centre "$button")"
e2e_until 5 controls_clipboard_is "$password" ||
    e2e_fail "the clipboard holds \"$(e2e_clipboard)\" after the bar's Copy Password"

button=$(bar_control "Lock Program" "push button")
view_click_at "$(view_centre "$button")"
e2e_wait_gone "$bar"
e2e_until 5 tray_is_locked || e2e_fail "the tray icon is not the locked one after the bar's Lock"
[ -z "$(e2e_main_window)" ] || e2e_fail "the bar's Lock showed the main window"
e2e_expect_eq "$(e2e_clipboard || true)" "" "the clipboard after the lock"
e2e_screenshot locked

xdotool key alt+k
dialog=$(e2e_wait_window "Check Key")
e2e_type_into "$dialog" "demo"
e2e_wait_gone "$dialog"
bar=$(e2e_wait_window "Password Bar")
[ -z "$(e2e_main_window)" ] || e2e_fail "the hot key brought the main window instead of the bar"
tray_is_locked && e2e_fail "the tray icon stayed locked after the KEY"
e2e_screenshot back

button=$(bar_control "Close" "push button")
view_click_at "$(view_centre "$button")"
e2e_wait_exit "$VIEW_APP" || e2e_fail "the bar's Close did not end the program"
e2e_expect_eq "$E2E_EXIT_STATUS" "0" "exit status"
e2e_expect_eq "$(e2e_setting Settings barx),$(e2e_setting Settings bary)" "300,200" "the bar's place kept"
e2e_log "PASS"
