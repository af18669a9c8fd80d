#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The global hot key on Wayland comes through the desktop portal: started at
# logon ("-w") on a desktop without a tray, the program binds the stored key
# ("HotKey" 75, "HotKeyFlag" 6: Ctrl+Alt+K) as the preferred trigger of its
# portal shortcut and waits minimised and locked. The portal's Activated
# brings it back through the KEY, as the X server's grabbed key does.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/view_lib.sh"
source "$(dirname "$0")/wayland_lib.sh"
wl_begin wayland_hot_key

record="$E2E_DIR/portal.txt"
: >"$record"
e2e_start_other /usr/bin/python3 "$(dirname "$0")/mock_portal.py" serve "$record"
portal_up() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.freedesktop.portal.Desktop | grep -q true
}
e2e_until 10 portal_up || e2e_fail "the portal did not start"
activate() {
    dbus-send --session --print-reply --dest=org.freedesktop.portal.Desktop \
        /org/freedesktop/portal/desktop org.keyhaven.test.MockPortal.Activate string:restore
}

e2e_write_settings <<'INI'
[Settings]
HotKey=75
HotKeyFlag=6
INI
file=$(e2e_demo_copy Demo.pwd)
e2e_start_app -w "$file"
app=$E2E_LAST_PID

bound() { grep -q '^bind /org/freedesktop/portal/desktop/session/[^ ]* restore CTRL+ALT+k$' "$record"; }
e2e_until "$E2E_TIMEOUT" bound || e2e_fail "the key was not bound: $(cat "$record")"
e2e_expect_eq "$(grep -c '^bind ' "$record")" "1" "bindings at start"
# Locked at logon: nothing asks for the KEY before the key is pressed.
sleep 1
! wl_window_shown "$app" "Check Key" || e2e_fail "the KEY was asked at an automatic start"
e2e_app_running "$app" || e2e_fail "the program ended"

# The main window's status bar tells nothing of the file while locked.
! A11Y_WINDOW=Keyhaven view_find "$app" "4 Groups" >/dev/null ||
    e2e_fail "the locked window shows the file"

activate >/dev/null || e2e_fail "the portal could not activate the shortcut"
wl_give_key "$app" "$file" demo
e2e_until "$E2E_TIMEOUT" env A11Y_WINDOW=Keyhaven /usr/bin/python3 "$VIEW_A11Y_FIND" "$app" "4 Groups" ||
    e2e_fail "the file is not shown after the KEY"
e2e_expect_eq "$(grep -c '^bind ' "$record")" "1" "bindings after the key was used"

wl_end "$app"
e2e_log "PASS"
