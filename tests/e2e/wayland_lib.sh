#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Desktop cases on Wayland: the program under a headless weston, driven
# through the accessibility bus alone. A headless compositor has no seat, so
# neither keys nor pointer reach the program: texts are set and buttons and
# menu items pressed through the toolkit's accessibility interfaces, which
# act as the user's input would. Qt's text-input support crashes without a
# seat (Qt 6.4), hence the compose input method for these runs; a real
# desktop always has a seat.
#
# A case sources lib.sh, view_lib.sh and this file, then calls wl_begin NAME.

# wl_begin NAME: a fresh home, a headless weston, and a private session bus
# with the accessibility bus behind it.
wl_begin() {
    e2e_prepare "$1"
    unset DISPLAY
    export QT_QPA_PLATFORM=wayland QT_IM_MODULE=compose
    export WAYLAND_DISPLAY=kh-wayland
    weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --idle-time=0 \
        >"$E2E_DIR/weston.log" 2>&1 &
    E2E_PIDS+=($!)
    e2e_until 10 test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ||
        e2e_fail "weston did not start"
    e2e_log "weston on $WAYLAND_DISPLAY"
    view_start_a11y
}

# wl_window_shown PID TITLE: whether the program shows a window (or dialog)
# of that title.
# (A window of that title, not a control of that name: the main window's
# Options button is no Options dialog.)
wl_window_shown() { [ -n "$(A11Y_WINDOW=$2 view_find "$1" "$2")" ]; }

# wl_wait_window PID TITLE: waits until the window shows.
wl_wait_window() {
    e2e_until "$E2E_TIMEOUT" wl_window_shown "$1" "$2" ||
        e2e_fail "no window \"$2\" after $E2E_TIMEOUT s"
}

# wl_wait_gone PID TITLE: waits until the window no longer shows.
wl_wait_gone() {
    local end=$((SECONDS + E2E_TIMEOUT))
    while ((SECONDS < end)); do
        wl_window_shown "$1" "$2" || return 0
        sleep 0.2
    done
    e2e_fail "the window \"$2\" still shows after $E2E_TIMEOUT s"
}

# wl_set_text PID WINDOW NAME ROLE TEXT: the text of a field of a window.
wl_set_text() {
    A11Y_WINDOW=$2 A11Y_SET_TEXT=$5 view_find "$1" "$3" "$4" >/dev/null ||
        e2e_fail "the field \"$3\" of \"$2\" did not take the text"
}

# wl_press PID WINDOW NAME [ROLE]: presses a button or menu item of a window.
wl_press() {
    local pid=$1 window=$2
    shift 2
    A11Y_WINDOW=$window A11Y_ACTION=Press view_find "$pid" "$@" >/dev/null ||
        e2e_fail "\"$1\" of \"$window\" could not be pressed"
}

# wl_menu PID WINDOW ITEM: chooses a menu item of a window without opening
# its menu.
wl_menu() {
    A11Y_WINDOW=$2 A11Y_ANY=1 A11Y_ACTION=Press view_find "$1" "$3" "menu item" >/dev/null ||
        e2e_fail "the menu item \"$3\" of \"$2\" could not be chosen"
}

# wl_end PID: ends the program as the session's end does (SIGTERM: the
# same orderly end as File > Exit); it must end with status 0.
wl_end() {
    kill -TERM "$1"
    e2e_wait_exit "$1" || e2e_fail "SIGTERM did not end the program"
    e2e_expect_eq "$E2E_EXIT_STATUS" "0" "exit status"
}

# wl_give_key PID FILE KEY: answers the program's Check Key dialog for FILE.
wl_give_key() {
    wl_wait_window "$1" "Check Key"
    wl_set_text "$1" "Check Key" "KEY for:  $(basename "$2")" text "$3"
    wl_press "$1" "Check Key" OK "push button"
    wl_wait_gone "$1" "Check Key"
}
