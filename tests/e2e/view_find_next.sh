#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Find Next in the real program: Ctrl+F shows the search bar, Enter in it
# steps through every label that contains the text in the order
# keyhaven-cli find prints them (the file item last, which leaves the
# details as they were), wraps round to the first match, and a text no
# label holds gets its message.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/view_lib.sh"
e2e_begin view_find_next
view_start_a11y

view_open_demo Find.pwd
e2e_activate "$VIEW_MAIN"

found=$(printf 'demo\n' | "$KEYHAVEN_CLI" find "$E2E_DEMO_FILE" mail)
[ "$(wc -l <<<"$found")" -ge 3 ] || e2e_fail "keyhaven-cli find found too little: $found"

# user_name_after LINE: what the User Name box shows once Find Next reached
# the item of a line of keyhaven-cli find (a group or the file item leaves
# it as the previous item left it).
shown=""
user_name_after() {
    local group account
    IFS=$'\t' read -r _ group account <<<"$1"
    if [ -n "$account" ]; then
        shown=$(view_demo_field "$group" "$account" "User Name")
    elif [ -n "$group" ]; then
        shown=""
    fi
}

e2e_key ctrl+f
view_wait_control "$VIEW_APP" Search text >/dev/null
xdotool type --delay 40 -- "mail"
# Each line, then the first again after the wrap.
while IFS= read -r line; do
    e2e_key Return
    user_name_after "$line"
    e2e_until 5 view_text_is "$VIEW_APP" "User Name" text "$shown" ||
        e2e_fail "Find Next did not reach \"$line\": \"$(view_control_text "$VIEW_APP" "User Name" text)\""
done < <(printf '%s\n' "$found" "$(head -1 <<<"$found")")
e2e_screenshot found

# A text that no label holds.
e2e_key ctrl+a BackSpace
xdotool type --delay 40 -- "zzz"
e2e_key Return
view_wait_control "$VIEW_APP" "Can't find account which contains \"zzz\"" >/dev/null ||
    e2e_fail "no message for a text that is nowhere"
e2e_screenshot not-found
xdotool key Return
sleep 0.5
e2e_app_running "$VIEW_APP" || e2e_fail "the program ended"
e2e_log "PASS"
