#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# With "Exit2Min" = 1 the close button hides the main window to the tray and
# the program keeps running, emptying a clipboard that holds text on the way;
# the tray menu's "Main Window" brings it back, and its "Exit" ends it.
# While a modal dialog is open a right click on the icon still shows the menu,
# with its commands disabled.
source "$(dirname "$0")/lib.sh"
e2e_begin close_to_tray

e2e_write_settings <<'INI'
[Settings]
Exit2Min=1
INI
e2e_start_app
app=$E2E_LAST_PID
main=$(e2e_wait_main_window)
e2e_wait_tray_icon >/dev/null

# Another program owns the clipboard with a copied text.
printf 'copied secret' >"$E2E_DIR/files/clip.txt"
e2e_start_other xclip -quiet -selection clipboard -i "$E2E_DIR/files/clip.txt"
clipboard_is_set() { [ "$(e2e_clipboard)" = "copied secret" ]; }
e2e_until 5 clipboard_is_set || e2e_fail "xclip did not take the clipboard"

e2e_activate "$main"
xdotool key alt+F4
e2e_wait_gone "$main"
sleep 1
e2e_app_running "$app" || e2e_fail "the close button ended the program"
[ -z "$(e2e_main_window)" ] || e2e_fail "the main window is still shown"
e2e_wait_tray_icon >/dev/null
e2e_expect_eq "$(e2e_clipboard || true)" "" "the clipboard after hiding to the tray"
e2e_screenshot hidden

tray=$(e2e_wait_tray_icon)
e2e_click "$tray" 3
e2e_wait_popup_menu >/dev/null
sleep 0.3
e2e_screenshot tray-menu
xdotool key w
main=$(e2e_wait_main_window)
e2e_screenshot restored

e2e_activate "$main"
xdotool key alt+h
sleep 0.3
xdotool key a
about=$(e2e_wait_dialog "About Keyhaven")
tray=$(e2e_wait_tray_icon)
e2e_click "$tray" 3
e2e_wait_popup_menu >/dev/null
sleep 0.3
e2e_screenshot tray-menu-modal
# "Exit" is disabled while the dialog is open: its letter does nothing.
xdotool key x
sleep 1
e2e_app_running "$app" || e2e_fail "the tray's Exit ran while a dialog was open"
xdotool key Escape
sleep 0.3
e2e_is_viewable "$about" || e2e_fail "the About box closed with the tray menu"
e2e_activate "$about"
xdotool key Escape
e2e_wait_gone "$about"

e2e_tray_menu_choose x
e2e_wait_exit "$app" || e2e_fail "the tray's Exit did not end the program"
e2e_expect_eq "$E2E_EXIT_STATUS" "0" "exit status"
e2e_expect_eq "$(e2e_setting Settings Exit2Min)" "1" "Exit2Min kept"
e2e_log "PASS"
