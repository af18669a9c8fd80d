#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A click on the main window's Copy / Drag Password button puts the selected
# account's real password on the clipboard, not the asterisks the password box
# shows; Copy / Drag User Name does the same with the user name. Any other
# program reads them back.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/controls_lib.sh"
source "$(dirname "$0")/view_lib.sh"
e2e_begin view_copy_password
view_start_a11y

user=$(view_demo_field Banking Brokerage "User Name")
password=$(view_demo_field Banking Brokerage Password)
[ -n "$user" ] && [ -n "$password" ] || e2e_fail "the demo file has no user name or password for Banking/Brokerage"

controls_own_clipboard "clipboard before"
view_open_demo Demo.pwd
e2e_activate "$VIEW_MAIN"

# The account selected at start is shown, its password masked.
e2e_until 10 view_text_is "$VIEW_APP" "User Name" text "$user" ||
    e2e_fail "the user name box does not show \"$user\": \"$(view_control_text "$VIEW_APP" "User Name" text)\""
e2e_expect_eq "$(view_control_text "$VIEW_APP" "Password" text)" "************" "password box"
view_screenshot_main main-window "$VIEW_MAIN"

button=$(view_wait_control "$VIEW_APP" "Copy / Drag Password" "push button")
view_inside "$button" "$VIEW_MAIN" || e2e_fail "the password button ($button) is not inside the main window"
view_click_at "$(view_centre "$button")"
e2e_until 5 controls_clipboard_is "$password" ||
    e2e_fail "the clipboard holds \"$(e2e_clipboard)\" after Copy Password, not the password"
e2e_expect_eq "$(view_control_text "$VIEW_APP" "Password" text)" "************" "password box after copying"

button=$(view_wait_control "$VIEW_APP" "Copy / Drag User Name" "push button")
view_inside "$button" "$VIEW_MAIN" || e2e_fail "the user name button ($button) is not inside the main window"
view_click_at "$(view_centre "$button")"
e2e_until 5 controls_clipboard_is "$user" ||
    e2e_fail "the clipboard holds \"$(e2e_clipboard)\" after Copy User Name, not the user name"

# The password again: each button copies its own field, however often.
button=$(view_wait_control "$VIEW_APP" "Copy / Drag Password" "push button")
view_click_at "$(view_centre "$button")"
e2e_until 5 controls_clipboard_is "$password" || e2e_fail "the second Copy Password did not copy"
view_screenshot_main copied "$VIEW_MAIN"
e2e_app_running "$VIEW_APP" || e2e_fail "the program ended"
e2e_log "PASS"
