#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# New settings reopen the last file: a first start without a file opens
# nothing, asks nothing and offers New, Open, Import and the recent files in
# the empty window (found through the accessibility bus, as a screen reader
# finds them); a start with a file remembers it, and the next start without
# one asks that file's KEY and opens it.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/view_lib.sh"
e2e_begin start_last_file
view_start_a11y

# hint_shows NAME: whether the empty window's button NAME shows now.
hint_shows() { [ -n "$(view_find "$VIEW_APP" "$1" "push button")" ]; }

# A first start: no file, no question, what to do instead.
e2e_start_app
VIEW_APP=$E2E_LAST_PID
main=$(e2e_wait_main_window)
for name in "New File..." "Open..." "Import into a New File..."; do
    view_wait_control "$VIEW_APP" "$name" "push button" >/dev/null
done
for id in $(e2e_windows_named "Keyhaven"); do
    e2e_is_transient "$id" && e2e_fail "the first start showed a message"
done
view_screenshot_main first-start "$main"
e2e_exit_from_menu "$main" "$VIEW_APP"

# A start with the file, as from the file manager.
view_open_demo Last.pwd
hint_shows "New File..." && e2e_fail "the hint shows with a file open"
e2e_exit_from_menu "$VIEW_MAIN" "$VIEW_APP"
e2e_expect_eq "$(e2e_setting Path 1)" "$E2E_DIR/files/Last.pwd" "the last file recorded"

# The next start without a file: that file's KEY, then that file.
e2e_start_app
VIEW_APP=$E2E_LAST_PID
dialog=$(e2e_wait_window "Check Key")
e2e_type_into "$dialog" "demo"
e2e_wait_gone "$dialog"
main=$(e2e_wait_main_window)
e2e_until 5 test "$(e2e_window_name "$main")" = "Last - Keyhaven" ||
    e2e_fail "the second start did not reopen the last file: $(e2e_window_name "$main")"
view_wait_control "$VIEW_APP" "User Name" >/dev/null
hint_shows "New File..." && e2e_fail "the hint shows over the reopened file"

e2e_exit_from_menu "$main" "$VIEW_APP"
e2e_log "PASS"
