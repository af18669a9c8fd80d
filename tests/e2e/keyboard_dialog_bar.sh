#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The keyboard in the real program. Escape closes an untouched Add Account
# dialog at once; with a name typed it asks first, Enter (No, the default)
# keeps the dialog and the text, and Yes lets them go. In the Password Bar,
# Tab walks every control from left to right, round to the first again,
# Enter copies the password of the account shown, Escape and F2 go back to
# the main window, and Alt+F4 is the bar's Close (which ends the program
# with "Exit2Min" 0).
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/controls_lib.sh"
source "$(dirname "$0")/view_lib.sh"
e2e_begin keyboard_dialog_bar
view_start_a11y

A11Y_FOCUS="$(dirname "$0")/a11y_focus.py"
QUESTION="Discard your changes to this account?"
# The name of the control with the keyboard focus in the window TITLE.
focused_in() { /usr/bin/python3 "$A11Y_FOCUS" "$VIEW_APP" "$1" 2>>"$E2E_DIR/a11y.log" | cut -f 1; }
focused_is() { [ "$(focused_in "$1")" = "$2" ]; }

password=$(view_demo_field Banking Brokerage Password)
controls_own_clipboard "clipboard before"
view_open_demo Keys.pwd
e2e_wait_tray_icon >/dev/null
e2e_activate "$VIEW_MAIN"
e2e_until 10 view_text_is "$VIEW_APP" "Password" text "************" || e2e_fail "no account shown"

# --- Escape in the Add Account dialog ----------------------------------------
DIALOG_TITLE="Add Account"
e2e_key ctrl+a
dialog=$(e2e_wait_dialog "$DIALOG_TITLE")
e2e_activate "$dialog"
sleep 0.3
xdotool key Escape
e2e_wait_gone "$dialog"
view_find "$VIEW_APP" "$QUESTION" >/dev/null && e2e_fail "an untouched dialog asked before it closed"

e2e_activate "$VIEW_MAIN"
e2e_key ctrl+a
dialog=$(e2e_wait_dialog "$DIALOG_TITLE")
e2e_activate "$dialog"
sleep 0.3
xdotool type --delay 40 -- "Half typed"
xdotool key Escape
view_wait_control "$VIEW_APP" "$QUESTION" >/dev/null
question=$(e2e_wait_dialog Keyhaven)
e2e_screenshot discard-question
xdotool key Return
e2e_wait_gone "$question"
e2e_is_viewable "$dialog" || e2e_fail "the default answer closed the dialog"
e2e_expect_eq "$(dialog_text Account text)" "Half typed" "the account field after No"

xdotool key Escape
view_wait_control "$VIEW_APP" "$QUESTION" >/dev/null
question=$(e2e_wait_dialog Keyhaven)
view_click_at "$(view_centre "$(A11Y_WINDOW=Keyhaven view_wait_control "$VIEW_APP" Yes "push button")")"
e2e_wait_gone "$question"
e2e_wait_gone "$dialog"
case "$(e2e_window_name "$VIEW_MAIN")" in
*"* - Keyhaven") e2e_fail "the document changed: $(e2e_window_name "$VIEW_MAIN")" ;;
esac

# --- the Password Bar from the keyboard --------------------------------------
e2e_activate "$VIEW_MAIN"
xdotool key F2
e2e_wait_gone "$VIEW_MAIN"
bar=$(e2e_wait_window "Password Bar")
e2e_activate "$bar"
e2e_until 5 focused_is "Password Bar" Group || e2e_fail "the bar starts on \"$(focused_in "Password Bar")\""

# Once round, back to the group list; the links' buttons are reached only
# when the account has a web site or an e-mail address.
walked=()
for _ in $(seq 1 12); do
    xdotool key Tab
    sleep 0.3
    walked+=("$(focused_in "Password Bar")")
    [ "${walked[-1]}" = Group ] && break
done
e2e_log "Tab walks: ${walked[*]}"
round=$(printf '%s\n' "${walked[@]}" | grep -vxF -e "Open Hyperlink" -e "Send E-Mail" | paste -sd '|')
e2e_expect_eq "$round" \
    "Account|Lock Program|Minimize|Main Window|Close|Show Menu|Copy / Drag User Name|Copy / Drag Password|Group" \
    "the controls Tab reaches"
xdotool key shift+Tab
e2e_until 5 focused_is "Password Bar" "Copy / Drag Password" ||
    e2e_fail "Shift+Tab went to \"$(focused_in "Password Bar")\""
xdotool key Tab
e2e_until 5 focused_is "Password Bar" Group || e2e_fail "Tab did not come back to the group list"

xdotool key Return
e2e_until 5 controls_clipboard_is "$password" ||
    e2e_fail "the clipboard holds \"$(e2e_clipboard)\" after Enter in the bar"

xdotool key Escape
e2e_wait_gone "$bar"
main=$(e2e_wait_main_window)
e2e_screenshot main-after-escape

e2e_activate "$main"
xdotool key F2
e2e_wait_gone "$main"
bar=$(e2e_wait_window "Password Bar")
e2e_activate "$bar"
xdotool key F2
e2e_wait_gone "$bar"
main=$(e2e_wait_main_window)

e2e_activate "$main"
xdotool key F2
e2e_wait_gone "$main"
bar=$(e2e_wait_window "Password Bar")
e2e_activate "$bar"
sleep 0.3
xdotool key alt+F4
e2e_wait_exit "$VIEW_APP" || e2e_fail "Alt+F4 in the bar did not do the bar's Close"
e2e_expect_eq "$E2E_EXIT_STATUS" "0" "exit status"
e2e_log "PASS"
