#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A KeePass database whose AES-KDF asks for days of rounds (tests/e2e/
# slow_kdbx.py): File > Import shows its busy box, whose Cancel stops the
# work at once (the program no longer burns a core), says so, and leaves the
# open file as it was, the program answering again. SIGTERM while the busy
# box shows ends the program promptly with its settings written. And left
# alone with the idle lock set, the program locks over the busy box: the
# import is cancelled and says why.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/view_lib.sh"
e2e_begin import_cancel
view_start_a11y

slow="$E2E_DIR/files/slow.kdbx"
/usr/bin/python3 "$(dirname "$0")/slow_kdbx.py" "$slow" $((1 << 32)) ||
    e2e_fail "could not write the slow database"
BUSY_TEXT="Opening slow.kdbx ..."

# The program's processor time so far, in clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

# start_import: File > Import of the slow database, any password; a question
# about the derivation's cost, should one come before or after the key
# dialog, is answered Yes; then the busy box shows.
start_import() {
    local dialog keydialog end typed=0
    e2e_activate "$VIEW_MAIN"
    e2e_key alt+f i
    dialog=$(e2e_wait_dialog "Select a file to import")
    e2e_type_into "$dialog" "$slow"
    e2e_wait_gone "$dialog"
    end=$((SECONDS + E2E_TIMEOUT))
    while ((SECONDS < end)); do
        if view_find "$VIEW_APP" "$BUSY_TEXT" >/dev/null; then
            return 0
        fi
        keydialog=$(e2e_windows_named "Open KeePass Database" | awk "NR == 1")
        if [ -n "$keydialog" ] && [ "$typed" = 0 ]; then
            e2e_type_into "$keydialog" "any password"
            e2e_wait_gone "$keydialog"
            typed=1
            continue
        fi
        A11Y_WINDOW=Keyhaven A11Y_ACTION=Press view_find "$VIEW_APP" Yes "push button" >/dev/null || true
        sleep 0.3
    done
    e2e_fail "no busy box \"$BUSY_TEXT\""
}

# press_ok TEXT: waits for a message box showing TEXT and presses its OK.
press_ok() {
    view_wait_control "$VIEW_APP" "$1" >/dev/null
    A11Y_WINDOW=Keyhaven A11Y_ACTION=Press view_find "$VIEW_APP" OK "push button" >/dev/null ||
        e2e_fail "no OK beside \"$1\""
    local i
    for ((i = 0; i < 50; i++)); do
        view_find "$VIEW_APP" "$1" >/dev/null || return 0
        sleep 0.2
    done
    e2e_fail "the message \"$1\" stayed"
}

view_open_demo Slow.pwd
file="$E2E_DIR/files/Slow.pwd"
cp "$file" "$E2E_DIR/before.pwd"

# --- Cancel ---
start_import
e2e_screenshot busy-box
sleep 1
busy_ticks=$(cpu_ticks "$VIEW_APP")
sleep 1
busy_ticks=$(($(cpu_ticks "$VIEW_APP") - busy_ticks))
e2e_log "processor time in a second of the busy box: $busy_ticks ticks"
((busy_ticks >= 20)) || e2e_fail "the key derivation does not seem to run ($busy_ticks ticks)"
cancel=$(A11Y_WINDOW=Keyhaven view_wait_control "$VIEW_APP" Cancel "push button")
view_click_at "$(view_centre "$cancel")"
press_ok "The import of slow.kdbx was cancelled; nothing was imported."
# Stopped, not merely left behind: the rounds look at the cancel.
idle_ticks=$(cpu_ticks "$VIEW_APP")
sleep 2
idle_ticks=$(($(cpu_ticks "$VIEW_APP") - idle_ticks))
e2e_log "processor time in two seconds after Cancel: $idle_ticks ticks"
((idle_ticks < 40)) || e2e_fail "the key derivation went on after Cancel ($idle_ticks ticks)"
cmp -s "$file" "$E2E_DIR/before.pwd" || e2e_fail "the cancelled import changed the file"
# The window answers: its File menu opens and closes.
e2e_activate "$VIEW_MAIN"
e2e_key alt+f
e2e_wait_popup_menu >/dev/null
e2e_key Escape
e2e_screenshot after-cancel

# --- SIGTERM while the busy box shows ---
start_import
settings=$(e2e_settings_file)
rm -f "$settings"
kill -TERM "$VIEW_APP"
e2e_wait_exit "$VIEW_APP" 5 || e2e_fail "SIGTERM during the import did not end the program"
e2e_expect_eq "$E2E_EXIT_STATUS" "0" "exit status after SIGTERM during the import"
[ -s "$settings" ] || e2e_fail "no settings were written at SIGTERM during the import"
cmp -s "$file" "$E2E_DIR/before.pwd" || e2e_fail "the import ended by SIGTERM changed the file"

# --- the idle lock while the busy box shows ---
e2e_write_settings <<'INI'
[Settings]
AutoMin=4000
INI
view_open_demo Slow.pwd
cp "$file" "$E2E_DIR/before.pwd"
e2e_wait_tray_icon >/dev/null
start_import
e2e_wait_gone "$VIEW_MAIN" 12
press_ok "Keyhaven locked while slow.kdbx was being read: the import was cancelled and nothing was imported."
e2e_screenshot idle-locked
[ -z "$(e2e_main_window)" ] || e2e_fail "the main window shows after the idle lock"
cmp -s "$file" "$E2E_DIR/before.pwd" || e2e_fail "the import stopped by the lock changed the file"
# Back through the KEY, the file as it was.
e2e_tray_menu_choose w
dialog=$(e2e_wait_window "Check Key")
e2e_type_into "$dialog" "demo"
e2e_wait_gone "$dialog"
VIEW_MAIN=$(e2e_wait_main_window)
cmp -s "$file" "$E2E_DIR/before.pwd" || e2e_fail "the file changed after unlocking"
e2e_exit_from_menu "$VIEW_MAIN" "$VIEW_APP"
e2e_log "PASS"
