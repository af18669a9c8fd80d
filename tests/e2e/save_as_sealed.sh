#!/usr/bin/env bash
# File > Save As with a ".khv" name writes the protected format; the program
# opens it again with the KEY and shows the same account, and keyhaven-cli
# exports exactly what it exports from the ".pwd" the file came from.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/view_lib.sh"
e2e_begin save_as_sealed
view_start_a11y

user=$(view_demo_field Banking Brokerage "User Name")
[ -n "$user" ] || e2e_fail "the demo file has no user name for Banking/Brokerage"
sealed="$E2E_DIR/files/Sealed.khv"

view_open_demo Demo.pwd
plain="$E2E_DIR/files/Demo.pwd"
e2e_activate "$VIEW_MAIN"
e2e_key alt+f a
dialog=$(e2e_wait_window "Save As")
e2e_screenshot save-as
e2e_type_into "$dialog" "$sealed"
e2e_wait_gone "$dialog"
e2e_until 15 test -s "$sealed" || e2e_fail "Save As did not write $sealed"
e2e_expect_eq "$(head -c 4 "$sealed" | od -An -tx1 | tr -d ' \n')" "894b4856" "magic of the saved file"
if grep -q -a -F "$user" "$sealed"; then e2e_fail "the user name shows in the sealed file"; fi

e2e_activate "$VIEW_MAIN"
e2e_key alt+f x
e2e_wait_exit "$VIEW_APP" || e2e_fail "File > Exit did not end the program"
e2e_expect_eq "$(e2e_setting "Recent File List" File1)" "$sealed" "recent file after Save As"

# Opened again: a wrong KEY is refused as for any file, the right one shows
# the account selected at start.
e2e_start_app "$sealed"
app=$E2E_LAST_PID
dialog=$(e2e_wait_window "Check Key")
e2e_type_into "$dialog" "not the key"
message=$(e2e_wait_dialog "Keyhaven")
e2e_activate "$message"
xdotool key Return
e2e_wait_gone "$message"
e2e_type_into "$dialog" "demo"
e2e_wait_gone "$dialog"
main=$(e2e_wait_main_window)
e2e_until 10 view_text_is "$app" "User Name" text "$user" ||
    e2e_fail "the reopened file does not show \"$user\": \"$(view_control_text "$app" "User Name" text)\""
view_screenshot_main reopened "$main"
e2e_activate "$main"
e2e_key alt+f x
e2e_wait_exit "$app" || e2e_fail "File > Exit did not end the program"

from_plain=$(printf 'demo\n' | "$KEYHAVEN_CLI" export "$plain") || e2e_fail "export of the .pwd failed"
from_sealed=$(printf 'demo\n' | "$KEYHAVEN_CLI" export "$sealed") || e2e_fail "export of the .khv failed"
[ -n "$from_plain" ] || e2e_fail "the export is empty"
[ "$from_plain" = "$from_sealed" ] || e2e_fail "the exports of the .pwd and the .khv differ"
e2e_log "PASS"
