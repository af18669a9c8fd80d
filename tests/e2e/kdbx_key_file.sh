#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A KeePass database that keepassxc-cli made with a password and a key file
# opens in the window once the key file is typed beside the password; the
# key file's path, never its bytes, is remembered for the database, so the
# next start proposes it and the password alone is typed.
source "$(dirname "$0")/lib.sh"
e2e_begin kdbx_key_file

database="$E2E_DIR/files/Keyed.kdbx"
keyfile="$E2E_DIR/files/Keyed.keyx"
printf 'e2e-pw\ne2e-pw\n' |
    keepassxc-cli db-create -q -p -t 100 --set-key-file "$keyfile" "$database" \
        >"$E2E_DIR/keepassxc.log" 2>&1 ||
    e2e_fail "keepassxc-cli could not make the database (keepassxc.log)"

e2e_start_app "$database"
app=$E2E_LAST_PID
dialog=$(e2e_wait_window "Open KeePass Database")
e2e_activate "$dialog"
sleep 0.3
# The password, then past "No password" to the key file.
xdotool type --delay 40 -- "e2e-pw"
e2e_key Tab Tab
xdotool type --delay 20 -- "$keyfile"
xdotool key Return
e2e_wait_gone "$dialog"
main=$(e2e_wait_main_window)
e2e_exit_from_menu "$main" "$app"
e2e_expect_eq "$(e2e_setting "Database Key Files" Database1)" "$database" "database remembered"
e2e_expect_eq "$(e2e_setting "Database Key Files" KeyFile1)" "$keyfile" "key file remembered"

e2e_start_app "$database"
app=$E2E_LAST_PID
dialog=$(e2e_wait_window "Open KeePass Database")
e2e_type_into "$dialog" "e2e-pw"
e2e_wait_gone "$dialog"
main=$(e2e_wait_main_window)
e2e_exit_from_menu "$main" "$app"
e2e_log "PASS"
