#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Locking leaves nothing to find. A file is opened, an account shown (its
# links included) and its password copied to the clipboard; a scan of the
# program's memory finds the KEY, the KEY's check value and the texts of
# the accounts (proof that the scan works). After the tray's Lock the same
# scan finds no field of any account: no account name, user name, password,
# web site, e-mail or line of comments. The tray's Main Window and the KEY
# bring the file back with the same account selected; left alone, the idle
# lock then comes, and the scan again finds nothing. Through all of it the
# program keeps its own name.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/view_lib.sh"
e2e_begin lock_memory_scan

[ "$(id -u)" = 0 ] || { e2e_log "SKIP: reading another process's memory needs the superuser"; exit 0; }
scan() { /usr/bin/python3 "$(dirname "$0")/mem_scan.py" "$@" >"$E2E_DIR/scan-$3.log" 2>&1; }

key='Qv7-lockscan-K3y!x'
file=$(e2e_demo_copy Vault.pwd)
printf 'demo\n%s\n' "$key" | "$KEYHAVEN_CLI" passwd "$file" >>"$E2E_DIR/cli.log" 2>&1 ||
    e2e_fail "could not give the copy of the demo file its own KEY"
secrets="$E2E_DIR/secrets.txt"
{
    echo "$key"
    # The check value: the file's first text (a length byte, then the digits).
    /usr/bin/python3 -c 'import sys; b = open(sys.argv[1], "rb").read(); print(b[1:1 + b[0]].decode())' "$file"
    # Every field of every account; a line of comments each.
    printf '%s\n' "$key" | "$KEYHAVEN_CLI" export "$file" --format csv | /usr/bin/python3 -c '
import csv, sys
rows = csv.DictReader(sys.stdin)
texts = set()
for row in rows:
    for column, value in row.items():
        if column != "Group":
            texts.update(line.strip() for line in value.splitlines())
print("\n".join(sorted(t for t in texts if len(t) >= 4)))'
} >"$secrets"
(($(wc -l <"$secrets") >= 20)) || e2e_fail "too few secrets to look for: $(wc -l <"$secrets")"

# The idle lock comes after 45 seconds without input: long after the first
# scan, which follows a click.
e2e_write_settings <<'INI'
[Settings]
AutoMin=45000
INI

view_start_a11y
e2e_start_app "$file"
app=$E2E_LAST_PID
own_name() {
    pgrep -x keyhaven | grep -qx "$app" || e2e_fail "pgrep -x keyhaven does not find the program ($1)"
}
own_name "started"
dialog=$(e2e_wait_window "Check Key")
e2e_type_into "$dialog" "$key"
e2e_wait_gone "$dialog"
main=$(e2e_wait_main_window)
e2e_wait_tray_icon >/dev/null
copy_password() {
    local button
    button=$(view_wait_control "$app" "Copy / Drag Password" "push button")
    view_click_at "$(view_centre "$button")"
    e2e_until 5 test -n "$(e2e_clipboard)" || e2e_fail "Copy Password did not copy ($1)"
}
# expect_nothing_found WHEN: the scan finds no secret in the locked program.
expect_nothing_found() {
    local status=0
    scan "$app" "$secrets" "$1" || status=$?
    ((status != 2)) || e2e_fail "the program's memory could not be read ($1)"
    ((status == 0)) || e2e_fail "$1, the program still holds: $(tr '\n' ';' <"$E2E_DIR/scan-$1.log")"
    [ -z "$(e2e_clipboard || true)" ] || e2e_fail "the clipboard still holds text ($1)"
    own_name "$1"
}
unlock() {
    e2e_tray_menu_choose w
    dialog=$(e2e_wait_window "Check Key")
    e2e_type_into "$dialog" "$key"
    e2e_wait_gone "$dialog"
    main=$(e2e_wait_main_window)
    e2e_activate "$main"
}

e2e_activate "$main"
copy_password "open"
selected=$(view_control_text "$app" "User Name" text)
[ -n "$selected" ] || e2e_fail "no account is shown after opening"
e2e_log "selected user name: $selected"

# Open, the secrets are there to be found.
status=0
scan "$app" "$secrets" open || status=$?
((status == 1)) || e2e_fail "the scan of the open program found nothing (status $status): the scan does not work"
e2e_log "open: $(wc -l <"$E2E_DIR/scan-open.log") secrets found, as expected"

e2e_tray_menu_choose l
e2e_wait_gone "$main"
sleep 1
e2e_screenshot locked
expect_nothing_found locked

unlock
e2e_until 5 view_text_is "$app" "User Name" text "$selected" ||
    e2e_fail "unlocked, the selection is not the one before the lock"
e2e_screenshot unlocked
own_name "unlocked"

# Shown again and left alone: the idle lock.
copy_password "unlocked"
e2e_wait_gone "$main" 60
sleep 1
expect_nothing_found "idle-locked"

unlock
e2e_key alt+f x
e2e_wait_exit "$app" || e2e_fail "File > Exit did not end the program"
e2e_log "PASS"
