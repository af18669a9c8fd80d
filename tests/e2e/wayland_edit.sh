#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program on Wayland (a headless weston, driven through the accessibility
# bus): it starts natively, asks the KEY of the file given, shows the file's
# groups in the tree as keyhaven-cli lists them, and the selected account,
# changed through the toolbar's Edit and saved with its Save, is read back by
# keyhaven-cli. (Menus open only on input, which a seatless compositor has
# none of; the toolbar's buttons run the same commands.) Without a desktop
# portal, the Options' Hot Key page says that this desktop has no hot key.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/view_lib.sh"
source "$(dirname "$0")/wayland_lib.sh"
wl_begin wayland_edit

file=$(e2e_demo_copy Edit.pwd)
# The protocol log gives the window titles the compositor receives.
WAYLAND_DEBUG=1 e2e_start_app "$file"
app=$E2E_LAST_PID
wl_give_key "$app" "$file" demo
main=Keyhaven
wl_wait_window "$app" "$main"
# The app id is the desktop file's name, so the desktop finds its icon.
grep -q 'set_app_id("org.keyhaven.Keyhaven")' "$E2E_DIR/keyhaven.log" ||
    e2e_fail "the window's app id is not org.keyhaven.Keyhaven: $(grep -o 'set_app_id([^)]*)' "$E2E_DIR/keyhaven.log" | head -1)"
# The title the compositor was given names the file.
e2e_until 5 grep -q 'set_title("Edit - Keyhaven")' "$E2E_DIR/keyhaven.log" ||
    e2e_fail "the compositor never got the file's title"

# --- the tree: every group of the file is a row ---------------------------
groups=$(printf 'demo\n' | "$KEYHAVEN_CLI" ls "$file" | sed -n 's/^  \([^ ].*\)$/\1/p')
[ -n "$groups" ] || e2e_fail "keyhaven-cli lists no groups"
while read -r group; do
    A11Y_CELLS=1 A11Y_WINDOW=$main view_find "$app" "$group" >/dev/null ||
        e2e_fail "the group \"$group\" is not in the tree"
done <<<"$groups"
e2e_log "the tree shows $(wc -l <<<"$groups") groups"

# --- edit the selected account and save -----------------------------------
wl_press "$app" "$main" Edit "push button"
dialog="Edit the Account"
wl_wait_window "$app" "$dialog"
old=$(A11Y_WINDOW=$dialog view_control_text "$app" Account text)
[ -n "$old" ] || e2e_fail "the dialog shows no account"
wl_set_text "$app" "$dialog" Account text "Wayland Account"
wl_set_text "$app" "$dialog" "User Name" text "wl-user"
wl_set_text "$app" "$dialog" Password text "wl-pass"
wl_press "$app" "$dialog" OK "push button"
wl_wait_gone "$app" "$dialog"
e2e_until 5 grep -q 'set_title("Edit\* - Keyhaven")' "$E2E_DIR/keyhaven.log" ||
    e2e_fail "the title does not show the change"
wl_press "$app" "$main" Save "push button"

listed() { printf 'demo\n' | "$KEYHAVEN_CLI" ls "$file" >"$E2E_DIR/listed.txt" && grep -qx '    Wayland Account' "$E2E_DIR/listed.txt"; }
e2e_until 10 listed || e2e_fail "keyhaven-cli does not list the account: $(cat "$E2E_DIR/listed.txt")"
! grep -qxF "    $old" "$E2E_DIR/listed.txt" || e2e_fail "the account \"$old\" is still there"
group=$(awk '/^  [^ ]/ { g = substr($0, 3) } $0 == "    Wayland Account" { print g }' "$E2E_DIR/listed.txt")
shown=$(printf 'demo\n' | "$KEYHAVEN_CLI" show "$file" "$group" "Wayland Account")
grep -qP '^User Name\t+wl-user$' <<<"$shown" || e2e_fail "the user name was not saved: $shown"
grep -qP '^Password\t+wl-pass$' <<<"$shown" || e2e_fail "the password was not saved: $shown"
e2e_log "\"$old\" of $group became \"Wayland Account\""

# --- no desktop portal here: the Hot Key page says there is no hot key ------
wl_press "$app" "$main" Options "push button"
wl_wait_window "$app" Options
sentence="This desktop offers no global hot key (neither an X server nor the desktop portal's global shortcuts), so a key set here would never work."
A11Y_WINDOW=Options A11Y_ANY=1 view_find "$app" "$sentence" label >/dev/null ||
    e2e_fail "the Hot Key page does not say that there is no hot key"
wl_press "$app" Options Cancel "push button"
wl_wait_gone "$app" Options

wl_end "$app"
e2e_log "PASS"
