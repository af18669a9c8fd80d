#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# With "AutoMin" set to four seconds, a window left alone goes to the tray
# with the locked icon. The global hot key from the settings ("HotKey" 75,
# "HotKeyFlag" 4: Alt+K) then asks for the KEY: Cancel leaves the program
# hidden and locked, the right KEY brings the main window back. The program
# runs without core dumps even when started with them allowed.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/view_lib.sh"
e2e_begin idle_lock_hot_key

e2e_write_settings <<'INI'
[Settings]
AutoMin=4000
HotKey=75
HotKeyFlag=4
INI

tray_is_locked() {
    local red green blue
    read -r red green blue <<<"$(e2e_tray_colour)"
    awk -v r="$red" -v b="$blue" 'BEGIN { exit !(r > b + 0.1) }'
}

# Core files allowed as far as this shell may: the program must still refuse.
ulimit -S -c "$(ulimit -H -c)" 2>/dev/null || true
e2e_log "core file limit of the starting shell: $(ulimit -S -c)"
view_open_demo Demo.pwd
app=$VIEW_APP
main=$VIEW_MAIN
e2e_wait_tray_icon >/dev/null

limits=$(awk '/^Max core file size/ { print $5, $6 }' "/proc/$app/limits")
e2e_expect_eq "$limits" "0 0" "core file size (soft, hard) of the running program"
e2e_screenshot opened

# A mouse move over the window counts as use; then no input: the lock
# comes after four seconds, not before.
xdotool mousemove --window "$main" 60 60
touched=$(date +%s%N)
sleep 2
e2e_is_viewable "$main" || e2e_fail "the window went before the idle time"
e2e_wait_gone "$main" 8
idle_ms=$((($(date +%s%N) - touched) / 1000000))
e2e_log "hidden after $idle_ms ms without input"
((idle_ms >= 3900)) || e2e_fail "the window went after $idle_ms ms, before the idle time"
tray_is_locked || e2e_fail "the tray icon is not the locked one after the idle lock"
e2e_app_running "$app" || e2e_fail "the program ended instead of locking"
e2e_screenshot idle-locked

# The hot key asks for the KEY; Cancel keeps it locked and hidden.
xdotool key alt+k
dialog=$(e2e_wait_window "Check Key")
e2e_screenshot hot-key-check
e2e_activate "$dialog"
xdotool key Escape
e2e_wait_gone "$dialog"
sleep 0.5
[ -z "$(e2e_main_window)" ] || e2e_fail "Cancel brought the main window back"
tray_is_locked || e2e_fail "Cancel unlocked the tray icon"

# Shift+K is not the hot key.
xdotool key shift+k
sleep 1
[ -z "$(e2e_windows_named "Check Key")" ] || e2e_fail "Shift+K acted as the hot key"

xdotool key alt+k
dialog=$(e2e_wait_window "Check Key")
e2e_type_into "$dialog" "demo"
e2e_wait_gone "$dialog"
main=$(e2e_wait_main_window)
tray_is_locked && e2e_fail "the tray icon stayed locked after the KEY"
e2e_screenshot restored

e2e_activate "$main"
e2e_key alt+f x
e2e_wait_exit "$app" || e2e_fail "File > Exit did not end the program"
e2e_expect_eq "$E2E_EXIT_STATUS" "0" "exit status"
e2e_expect_eq "$(e2e_setting Settings HotKey)" "75" "HotKey kept"
e2e_log "PASS"
