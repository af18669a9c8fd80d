#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Helpers of the main view's desktop tests, on top of lib.sh. The controls of
# the main window are found through the accessibility bus: the toolkit itself
# reports where each control is on the screen, so the clicks and drags land
# on the control whatever the layout, font, theme or window place.
#
# Environment (besides lib.sh's):
#   KEYHAVEN_CLI            the command-line program, to read the demo file
#   KEYHAVEN_DROP_TARGET    another program with a text field that prints its
#                           text on every change

VIEW_A11Y_FIND="$(dirname "${BASH_SOURCE[0]}")/a11y_find.py"

# view_start_a11y: a private session bus and the accessibility bus behind it,
# for the programs started after this (call it before e2e_start_app).
view_start_a11y() {
    local socket="$E2E_RUNTIME/bus"
    dbus-daemon --session --nofork --address="unix:path=$socket" >"$E2E_DIR/dbus.log" 2>&1 &
    E2E_PIDS+=($!)
    e2e_until 5 test -S "$socket" || e2e_fail "the session bus did not start"
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$socket"
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    # Asking for its address starts the accessibility bus.
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
        >>"$E2E_DIR/dbus.log" 2>&1 || e2e_fail "the accessibility bus did not start"
    local launcher
    launcher=$(dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.GetConnectionUnixProcessID string:org.a11y.Bus 2>/dev/null |
        awk '/uint32/ { print $2 }')
    # The launcher (and the bus it runs) ends before the session bus.
    [ -n "$launcher" ] && E2E_PIDS+=("$launcher")
    return 0
}

# view_find PID NAME [ROLE]: the showing control of the program PID with that
# accessible name, as "X Y WIDTH HEIGHT" on the screen, then its text if any.
view_find() { /usr/bin/python3 "$VIEW_A11Y_FIND" "$@" 2>>"$E2E_DIR/a11y.log"; }

# view_wait_control PID NAME [ROLE]: waits until the control shows; prints
# "X Y WIDTH HEIGHT".
view_wait_control() {
    local end=$((SECONDS + E2E_TIMEOUT)) found
    while ((SECONDS < end)); do
        if found=$(view_find "$@") && [ -n "$found" ]; then
            local x y w h
            read -r x y w h <<<"$(head -n 1 <<<"$found")"
            # A control that is not laid out yet has no size.
            if [ "${w:-0}" -gt 0 ] && [ "${h:-0}" -gt 0 ]; then
                echo "$x $y $w $h"
                return 0
            fi
        fi
        sleep 0.3
    done
    e2e_fail "no control \"$2\" found through the accessibility bus"
}

# view_control_text PID NAME [ROLE]: the text of a control (a line edit).
view_control_text() { view_find "$@" | sed -n '2,$p'; }

# view_centre "X Y WIDTH HEIGHT": "X Y" of the rectangle's centre.
view_centre() {
    local x y w h
    read -r x y w h <<<"$1"
    echo "$((x + w / 2)) $((y + h / 2))"
}

# view_inside "X Y WIDTH HEIGHT" WINDOW: whether the rectangle lies inside
# the window on the screen (a check that the positions are screen positions).
view_inside() {
    local x y w h X Y WIDTH HEIGHT SCREEN WINDOW
    read -r x y w h <<<"$1"
    eval "$(xdotool getwindowgeometry --shell "$2")"
    ((x >= X && y >= Y && x + w <= X + WIDTH && y + h <= Y + HEIGHT))
}

# view_click_at "X Y": moves the pointer there, lets the button notice the
# hover, and clicks.
view_click_at() {
    local x y
    read -r x y <<<"$1"
    xdotool mousemove "$x" "$y"
    sleep 0.4
    xdotool click 1
}

# view_screenshot_main NAME WINDOW: a picture of the main window with its
# frame, kept in the test's folder.
view_screenshot_main() { e2e_screenshot "$1" "$(e2e_frame "$2")"; }

# view_demo_field GROUP ACCOUNT FIELD: a field ("User Name", "Password"...)
# of an account of the demo file, as the command-line program shows it.
view_demo_field() {
    [ -x "${KEYHAVEN_CLI:-}" ] || e2e_fail "KEYHAVEN_CLI is not set"
    printf 'demo\n' | "$KEYHAVEN_CLI" show "$E2E_DEMO_FILE" "$1" "$2" |
        awk -F '\t+' -v field="$3" '$1 == field { print $2; exit }'
}

# view_open_demo NAME: starts the program with a copy of the demo file and
# gives it the KEY; the main window goes to VIEW_MAIN and the program's id to
# VIEW_APP. (Not in a command substitution: the program must stay this
# shell's child, to be ended with the test.)
view_open_demo() {
    local file dialog
    file=$(e2e_demo_copy "$1")
    e2e_start_app "$file"
    VIEW_APP=$E2E_LAST_PID
    dialog=$(e2e_wait_window "Check Key")
    e2e_type_into "$dialog" "demo"
    e2e_wait_gone "$dialog"
    VIEW_MAIN=$(e2e_wait_main_window)
}

# view_text_is PID NAME ROLE TEXT: whether the control shows TEXT now.
view_text_is() { [ "$(view_control_text "$1" "$2" "$3")" = "$4" ]; }

# --- a dialog of the program -------------------------------------------------
# Set DIALOG_TITLE to the dialog's title and "dialog" to its window first.

# dialog_find NAME [ROLE]: "X Y WIDTH HEIGHT" of a control of the dialog.
dialog_find() { A11Y_WINDOW="$DIALOG_TITLE" view_wait_control "$VIEW_APP" "$@"; }
# dialog_text NAME [ROLE]: the text of a field of the dialog.
dialog_text() { A11Y_WINDOW="$DIALOG_TITLE" view_control_text "$VIEW_APP" "$@"; }
# dialog_place_is_true: whether the bus puts the dialog where the X server has
# it (a fresh dialog's place comes from the toolkit's idea of it).
dialog_place_is_true() {
    local ax ay X Y WIDTH HEIGHT SCREEN WINDOW
    read -r ax ay _ <<<"$(view_wait_control "$VIEW_APP" "$DIALOG_TITLE" dialog)"
    eval "$(xdotool getwindowgeometry --shell "$dialog")"
    [ "$ax $ay" = "$X $Y" ] || { e2e_log "the bus has the dialog at $ax $ay, X at $X $Y"; return 1; }
}

# view_drag BUTTON "X Y" "X Y": a drag with the mouse button BUTTON (1 left,
# 3 right) that holds a moment before moving, moves in steps, and rests on
# its target, moving a pixel there, before the button comes up: the toolkit
# takes the drop where the last move it saw put the pointer.
view_drag() {
    local button=$1 sx sy tx ty i
    read -r sx sy <<<"$2"
    read -r tx ty <<<"$3"
    xdotool mousemove "$sx" "$sy"
    sleep 0.4
    xdotool mousedown "$button"
    sleep 0.3
    for ((i = 1; i <= 15; i++)); do
        xdotool mousemove $((sx + (tx - sx) * i / 15)) $((sy + (ty - sy) * i / 15))
        sleep 0.08
    done
    for i in 1 2 3; do
        sleep 0.3
        xdotool mousemove $((tx + i % 2)) "$ty"
    done
    sleep 0.4
    xdotool mouseup "$button"
    sleep 0.5
}
