#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Tools > Options in the real program: hiding the tray icon without a hot key
# is refused with its message; "Run automatically when I log in" writes the
# autostart entry at OK; the auto lock set to "15 minutes" is in the settings
# file once the program has exited. The dialog's picture is kept for the
# README and the help pages.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/view_lib.sh"
e2e_begin options_dialog
view_start_a11y

e2e_start_app
VIEW_APP=$E2E_LAST_PID
VIEW_MAIN=$(e2e_wait_main_window)
autostart="$XDG_CONFIG_HOME/autostart/keyhaven.desktop"
[ ! -e "$autostart" ] || e2e_fail "a fresh home already has an autostart entry"

DIALOG_TITLE="Options"
e2e_activate "$VIEW_MAIN"
e2e_key alt+t o
dialog=$(e2e_wait_dialog "$DIALOG_TITLE")
e2e_activate "$dialog"
page() { view_click_at "$(view_centre "$(A11Y_CELLS=1 dialog_find "$1")")"; }
press() { view_click_at "$(view_centre "$(dialog_find "$@")")"; }

# --- "Hide system tray icon" needs a hot key ---------------------------------
page "Hot Key"
press "Hide system tray icon" "check box"
press "OK" "push button"
message="Before you choose to hide the system tray icon, you must set a hot key to recall the program."
view_wait_control "$VIEW_APP" "$message" >/dev/null
e2e_screenshot hot-key-refused
xdotool key Return
sleep 0.5
e2e_is_viewable "$dialog" || e2e_fail "the dialog closed although the hot key was missing"
press "Hide system tray icon" "check box"

# --- start at login ----------------------------------------------------------
page "Start"
press "Run automatically when I log in" "check box"

# --- auto lock ---------------------------------------------------------------
page "Security"
# The choice list follows the masking box in the tab order: two clicks leave
# the box as it was and the focus on it, Tab moves to "Auto lock", and two
# steps down from "Never" is "15 minutes".
press "Mask passwords when shown" "check box"
press "Mask passwords when shown" "check box"
e2e_key Tab Down Down
sleep 0.3
e2e_screenshot options-dialog "$(e2e_frame "$dialog")"
press "OK" "push button"
e2e_wait_gone "$dialog"

[ -s "$autostart" ] || e2e_fail "OK did not write the autostart entry"
grep -q -- ' -w$' <(grep '^Exec=' "$autostart") || e2e_fail "the entry does not start hidden: $(cat "$autostart")"

e2e_activate "$VIEW_MAIN"
e2e_key alt+f x
e2e_wait_exit "$VIEW_APP" || e2e_fail "File > Exit did not end the program"
e2e_expect_eq "$(e2e_setting Settings AutoMin)" "900000" "Settings/AutoMin"
e2e_expect_eq "$(e2e_setting Settings WinStart)" "1" "Settings/WinStart"
e2e_expect_eq "$(e2e_setting Settings HideTray)" "0" "Settings/HideTray"
e2e_log "PASS"
