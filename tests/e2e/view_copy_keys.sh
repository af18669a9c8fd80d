#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The main window's copy keys in the real program: with an account selected
# in the tree, Ctrl+C puts its password on the clipboard (marked as a secret,
# gone after "ClipboardClear" seconds) and Ctrl+B its user name, as any other
# program reads them. In the filter's field the field's own keys come first:
# Ctrl+A selects its text instead of opening Add Account, Ctrl+C copies that
# text and Ctrl+B copies nothing.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/controls_lib.sh"
source "$(dirname "$0")/view_lib.sh"
e2e_begin view_copy_keys

e2e_write_settings <<'INI'
[Settings]
ClipboardClear=3
INI
view_start_a11y
user=$(view_demo_field Banking Brokerage "User Name")
password=$(view_demo_field Banking Brokerage Password)
[ -n "$user" ] && [ -n "$password" ] || e2e_fail "the demo file has no user name or password for Banking/Brokerage"

controls_own_clipboard "clipboard before"
view_open_demo Demo.pwd
e2e_activate "$VIEW_MAIN"

# The account is chosen by a click on its row, which gives the tree the focus.
# It is selected at the start, and a click on the current row would start
# renaming it: another row is clicked first.
view_click_at "$(view_centre "$(A11Y_CELLS=1 view_wait_control "$VIEW_APP" "Credit Card")")"
e2e_until 10 view_text_is "$VIEW_APP" "User Name" text "$(view_demo_field Banking "Credit Card" "User Name")" ||
    e2e_fail "the click did not select Credit Card"
sleep 1
view_click_at "$(view_centre "$(A11Y_CELLS=1 view_wait_control "$VIEW_APP" Brokerage)")"
e2e_until 10 view_text_is "$VIEW_APP" "User Name" text "$user" ||
    e2e_fail "the click did not select Brokerage: \"$(view_control_text "$VIEW_APP" "User Name" text)\""

e2e_key ctrl+c
copied=$SECONDS
e2e_until 5 controls_clipboard_is "$password" ||
    e2e_fail "the clipboard holds \"$(e2e_clipboard)\" after Ctrl+C, not the password"
targets=$(timeout 5 xclip -o -selection clipboard -t TARGETS 2>/dev/null || true)
grep -qx 'x-kde-passwordManagerHint' <<<"$targets" ||
    e2e_fail "the password of Ctrl+C carries no secret hint; targets: $(tr '\n' ' ' <<<"$targets")"
view_screenshot_main ctrl-c "$VIEW_MAIN"
clipboard_empty() { [ -z "$(e2e_clipboard || true)" ]; }
e2e_until 8 clipboard_empty || e2e_fail "the password of Ctrl+C is still on the clipboard"
((SECONDS - copied >= 2)) || e2e_fail "the clipboard was emptied before its time"

e2e_key ctrl+b
e2e_until 5 controls_clipboard_is "$user" ||
    e2e_fail "the clipboard holds \"$(e2e_clipboard)\" after Ctrl+B, not the user name"
e2e_key ctrl+c
e2e_until 5 controls_clipboard_is "$password" || e2e_fail "the second Ctrl+C did not copy the password"

# The filter's field: Ctrl+K reaches it, and there Ctrl+A selects the typed
# text, which Ctrl+C copies and the next key replaces.
e2e_key ctrl+k
xdotool type --delay 60 -- "broker"
e2e_until 5 view_text_is "$VIEW_APP" Filter text "broker" ||
    e2e_fail "the filter holds \"$(view_control_text "$VIEW_APP" Filter text)\""
e2e_key ctrl+a ctrl+c
e2e_until 5 controls_clipboard_is "broker" ||
    e2e_fail "Ctrl+C in the filter copied \"$(e2e_clipboard)\", not its selected text"
e2e_key ctrl+b
sleep 0.5
e2e_expect_eq "$(e2e_clipboard)" "broker" "the clipboard after Ctrl+B in the filter"
xdotool type --delay 60 -- "bank"
e2e_until 5 view_text_is "$VIEW_APP" Filter text "bank" ||
    e2e_fail "Ctrl+A did not select the filter's text: it holds \"$(view_control_text "$VIEW_APP" Filter text)\""
sleep 0.5
[ -z "$(e2e_windows_named "Add Account")" ] || e2e_fail "Ctrl+A in the filter opened Add Account"
view_screenshot_main filter "$VIEW_MAIN"
e2e_app_running "$VIEW_APP" || e2e_fail "the program ended"
e2e_log "PASS"
