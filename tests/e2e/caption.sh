#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The caption reads "Keyhaven" with no file open and "Work - Keyhaven" with
# Work.pwd open, in both the old and the new window-name properties; the
# window's class is the one the desktop entry names.
source "$(dirname "$0")/lib.sh"
e2e_begin caption

expect_caption() {
    local window=$1 when=$2 caption=$3
    xprop -id "$window" WM_NAME | grep -qxF "WM_NAME(STRING) = \"$caption\"" ||
        e2e_fail "WM_NAME $when: $(xprop -id "$window" WM_NAME)"
    xprop -id "$window" _NET_WM_NAME | grep -qxF "_NET_WM_NAME(UTF8_STRING) = \"$caption\"" ||
        e2e_fail "_NET_WM_NAME $when: $(xprop -id "$window" _NET_WM_NAME)"
}

e2e_start_app
main=$(e2e_wait_main_window)
expect_caption "$main" "with no file" "Keyhaven"
# A task bar finds the desktop entry of the window by the window's class.
entry_class=$(sed -n 's/^StartupWMClass=//p' "$(dirname "$0")/../../res/org.keyhaven.Keyhaven.desktop")
[ -n "$entry_class" ] || e2e_fail "the desktop entry names no StartupWMClass"
xprop -id "$main" WM_CLASS | grep -qF ", \"$entry_class\"" ||
    e2e_fail "StartupWMClass=$entry_class, the window's $(xprop -id "$main" WM_CLASS)"

# File > Open, type the file's path into the file dialog, then its KEY.
file=$(e2e_demo_copy Work.pwd)
e2e_activate "$main"
e2e_key alt+f o
chooser=$(e2e_wait_dialog "Open")
e2e_type_into "$chooser" "$file"
dialog=$(e2e_wait_window "Check Key")
e2e_type_into "$dialog" "demo"
e2e_wait_gone "$dialog"
sleep 0.5
expect_caption "$main" "with Work.pwd open" "Work - Keyhaven"
e2e_screenshot caption
e2e_log "PASS"
