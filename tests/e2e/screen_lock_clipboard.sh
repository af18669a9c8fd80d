#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A copied password carries the hint that keeps it out of clipboard
# histories and, with "ClipboardClear" 2, leaves the clipboard after two
# seconds. When the desktop's screen saver says it turned on, the program
# locks as the Lock command does, and coming back asks for the KEY.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/controls_lib.sh"
source "$(dirname "$0")/view_lib.sh"
e2e_begin screen_lock_clipboard

e2e_write_settings <<'INI'
[Settings]
ClipboardClear=2
INI
view_start_a11y
password=$(view_demo_field Banking Brokerage Password)
[ -n "$password" ] || e2e_fail "the demo file has no password for Banking/Brokerage"

view_open_demo Demo.pwd
e2e_wait_tray_icon >/dev/null
e2e_activate "$VIEW_MAIN"

button=$(view_wait_control "$VIEW_APP" "Copy / Drag Password" "push button")
view_click_at "$(view_centre "$button")"
copied=$SECONDS
e2e_until 5 controls_clipboard_is "$password" || e2e_fail "Copy Password did not copy"
targets=$(timeout 5 xclip -o -selection clipboard -t TARGETS 2>/dev/null || true)
grep -qx 'x-kde-passwordManagerHint' <<<"$targets" ||
    e2e_fail "the copied password carries no secret hint; targets: $(tr '\n' ' ' <<<"$targets")"
e2e_expect_eq "$(timeout 5 xclip -o -selection clipboard -t x-kde-passwordManagerHint)" "secret" \
    "the hint's value"
clipboard_empty() { [ -z "$(e2e_clipboard || true)" ]; }
e2e_until 6 clipboard_empty || e2e_fail "the password is still on the clipboard"
((SECONDS - copied >= 1)) || e2e_fail "the clipboard was emptied before its time"
e2e_screenshot cleared

# The screen saver turns on: the program locks.
dbus-send --session --type=signal /org/freedesktop/ScreenSaver \
    org.freedesktop.ScreenSaver.ActiveChanged boolean:true
e2e_wait_gone "$VIEW_MAIN"
read -r red green blue <<<"$(e2e_tray_colour)"
awk -v r="$red" -v b="$blue" 'BEGIN { exit !(r > b + 0.1) }' ||
    e2e_fail "the tray icon is not the locked one after the screen lock"
e2e_screenshot screen-locked

e2e_tray_menu_choose w
dialog=$(e2e_wait_window "Check Key")
e2e_type_into "$dialog" "demo"
e2e_wait_gone "$dialog"
main=$(e2e_wait_main_window)
e2e_activate "$main"
e2e_key alt+f x
e2e_wait_exit "$VIEW_APP" || e2e_fail "File > Exit did not end the program"
e2e_log "PASS"
