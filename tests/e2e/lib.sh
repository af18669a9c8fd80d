#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end test library: a private X server with a window manager that has a
# system tray, a private home for the program, and helpers that drive the real
# program with xdotool, read the clipboard with xclip and take screenshots.
#
# A test sources this file, calls e2e_begin NAME, then starts the program with
# e2e_start_app. Everything it started ends when the test exits, by process id.
#
# Environment:
#   KEYHAVEN_BIN   the program under test (required)
#   E2E_OUT        where each test keeps its home, logs and screenshots
#   E2E_DEMO_FILE  the demo password file, KEY "demo"

set -euo pipefail

E2E_PIDS=()           # processes this test started, in start order
E2E_APP_PIDS=()       # the program's processes among them
E2E_DIR=""
E2E_RUNTIME=""
E2E_TIMEOUT=${E2E_TIMEOUT:-15}

e2e_log() { printf '[%s] %s\n' "$(date +%H:%M:%S)" "$*" >&2; }

e2e_fail() {
    e2e_log "FAIL: $*"
    e2e_screenshot "failure" || true
    exit 1
}

e2e_cleanup() {
    local status=$?
    local i pid
    # Newest first: the program, then the window manager, then the X server.
    for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do
        pid=${E2E_PIDS[i]}
        if kill -0 "$pid" 2>/dev/null; then
            kill -TERM "$pid" 2>/dev/null || true
            for _ in 1 2 3 4 5 6 7 8 9 10; do
                kill -0 "$pid" 2>/dev/null || break
                sleep 0.2
            done
            kill -KILL "$pid" 2>/dev/null || true
        fi
        wait "$pid" 2>/dev/null || true
    done
    [ -n "$E2E_RUNTIME" ] && rm -rf "$E2E_RUNTIME"
    if [ "$status" -ne 0 ] && [ -n "$E2E_DIR" ]; then
        e2e_log "logs and screenshots are in $E2E_DIR"
        for log in "$E2E_DIR"/*.log; do
            [ -s "$log" ] || continue
            e2e_log "--- $(basename "$log") (last lines)"
            tail -n 20 "$log" >&2 || true
        done
    fi
    exit "$status"
}

# e2e_begin NAME: a fresh folder, home and display for this test.
e2e_begin() {
    e2e_prepare "$1"
    export QT_QPA_PLATFORM=xcb
    e2e_start_x
    e2e_start_wm
}

# e2e_prepare NAME: a fresh folder and home for this test, without a desktop.
e2e_prepare() {
    local name=$1
    [ -n "${KEYHAVEN_BIN:-}" ] || { echo "KEYHAVEN_BIN is not set" >&2; exit 2; }
    [ -x "$KEYHAVEN_BIN" ] || { echo "$KEYHAVEN_BIN is not a program" >&2; exit 2; }
    local out=${E2E_OUT:-${TMPDIR:-/tmp}/keyhaven-e2e}
    E2E_DIR="$out/$name"
    rm -rf "$E2E_DIR"
    mkdir -p "$E2E_DIR/home" "$E2E_DIR/config" "$E2E_DIR/data" "$E2E_DIR/files"
    # The runtime folder holds the single-instance socket, whose path must fit
    # the 108 bytes of a socket address: a short folder of its own in /tmp.
    E2E_RUNTIME=$(mktemp -d /tmp/kh-e2e.XXXXXX)
    chmod 700 "$E2E_RUNTIME"
    trap e2e_cleanup EXIT

    export HOME="$E2E_DIR/home"
    export XDG_CONFIG_HOME="$E2E_DIR/config"
    export XDG_DATA_HOME="$E2E_DIR/data"
    export XDG_RUNTIME_DIR="$E2E_RUNTIME"
    export XDG_CACHE_HOME="$E2E_DIR/home/.cache"
    # Without a session bus the tray icon is an XEmbed window of the X tray,
    # which the tests can find; nothing reaches the user's own session either.
    unset DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER WAYLAND_DISPLAY
    export NO_AT_BRIDGE=1
}

e2e_settings_file() { echo "$XDG_CONFIG_HOME/Tallowmere/Keyhaven.ini"; }

# e2e_write_settings: standard input becomes the program's settings file.
e2e_write_settings() {
    local file
    file=$(e2e_settings_file)
    mkdir -p "$(dirname "$file")"
    cat >"$file"
}

# e2e_setting SECTION KEY: a value from the settings file ("" when missing).
# QSettings writes blanks of section names as %20; sections match in any case.
e2e_setting() {
    local section=${1// /%20} key=$2 file
    file=$(e2e_settings_file)
    [ -f "$file" ] || return 0
    awk -v want="$(printf '%s' "$section" | tr '[:upper:]' '[:lower:]')" -v key="$key" '
        /^\[.*\]$/ { cur = tolower(substr($0, 2, length($0) - 2)); next }
        cur == want && index($0, key "=") == 1 { print substr($0, length(key) + 2); exit }
    ' "$file"
}

e2e_start_x() {
    local fdfile="$E2E_DIR/displayfd"
    : >"$fdfile"
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset \
        3>"$fdfile" >"$E2E_DIR/xvfb.log" 2>&1 &
    E2E_PIDS+=($!)
    local i
    for ((i = 0; i < 100; i++)); do
        if grep -q '^[0-9]' "$fdfile" 2>/dev/null; then
            export DISPLAY=":$(head -n 1 "$fdfile" | tr -d '[:space:]')"
            e2e_log "X server on $DISPLAY"
            return 0
        fi
        kill -0 "${E2E_PIDS[-1]}" 2>/dev/null || break
        sleep 0.1
    done
    e2e_fail "the X server did not start"
}

e2e_start_wm() {
    # IceWM with its own defaults: a task bar with a system tray. A case that
    # sets E2E_NO_TRAY=1 before e2e_begin gets the task bar without the tray.
    if [ "${E2E_NO_TRAY:-0}" = 1 ]; then
        mkdir -p "$HOME/.icewm"
        echo 'TaskBarEnableSystemTray=0' >"$HOME/.icewm/preferences"
    fi
    icewm >"$E2E_DIR/icewm.log" 2>&1 &
    E2E_PIDS+=($!)
    local i
    for ((i = 0; i < 50; i++)); do
        if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
            break
        fi
        sleep 0.1
    done
    # The tray and the task bar come up a little after the manager itself.
    sleep 1.5
}

# e2e_start_app ARGS...: starts the program under test in the background.
e2e_start_app() {
    "$KEYHAVEN_BIN" "$@" >>"$E2E_DIR/keyhaven.log" 2>&1 &
    local pid=$!
    E2E_PIDS+=("$pid")
    E2E_APP_PIDS+=("$pid")
    E2E_LAST_PID=$pid
    e2e_log "started keyhaven $* as $pid"
}

# e2e_start_other COMMAND ARGS...: another program of the desktop (to take the
# focus, for instance), ended with the test like everything else.
e2e_start_other() {
    "$@" >>"$E2E_DIR/others.log" 2>&1 &
    E2E_PIDS+=($!)
    E2E_OTHER_PID=$!
}

# e2e_demo_copy NAME: a fresh copy of the demo file (KEY "demo") in the test's
# folder; prints its path.
e2e_demo_copy() {
    [ -f "${E2E_DEMO_FILE:-}" ] || e2e_fail "E2E_DEMO_FILE is not set"
    local path="$E2E_DIR/files/$1"
    cp "$E2E_DEMO_FILE" "$path"
    chmod 600 "$path"
    echo "$path"
}

# e2e_run_app ARGS...: runs the program to its end (at most the time-out)
# and returns its exit status.
e2e_run_app() {
    local status=0
    timeout "$E2E_TIMEOUT" "$KEYHAVEN_BIN" "$@" >>"$E2E_DIR/keyhaven.log" 2>&1 || status=$?
    return "$status"
}

e2e_app_running() { kill -0 "${1:-$E2E_LAST_PID}" 2>/dev/null; }

# e2e_exit_from_menu WINDOW PID: File > Exit on the window; the program must
# end with status 0.
e2e_exit_from_menu() {
    e2e_activate "$1"
    e2e_key alt+f x
    e2e_wait_exit "$2" || e2e_fail "File > Exit did not end the program"
    e2e_expect_eq "$E2E_EXIT_STATUS" "0" "exit status"
}

# e2e_wait_exit PID [SECONDS]: waits for the process to end and puts its exit
# status into E2E_EXIT_STATUS; fails when it still runs. (Not in a command
# substitution: only this shell can collect its children's status.)
e2e_wait_exit() {
    local pid=$1 end=$((SECONDS + ${2:-$E2E_TIMEOUT}))
    while ((SECONDS < end)); do
        if ! kill -0 "$pid" 2>/dev/null; then
            E2E_EXIT_STATUS=0
            wait "$pid" 2>/dev/null || E2E_EXIT_STATUS=$?
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# e2e_until_output SECONDS WANT COMMAND...: retries the command until it
# prints WANT. A "$(...)" in e2e_until's arguments is read only once.
e2e_until_output() {
    local seconds=$1 want=$2
    shift 2
    e2e_until "$seconds" e2e_output_is "$want" "$@"
}
e2e_output_is() {
    local want=$1
    shift
    [ "$("$@" 2>/dev/null)" = "$want" ]
}

# e2e_until SECONDS COMMAND...: retries the command until it succeeds.
e2e_until() {
    local end=$((SECONDS + $1))
    shift
    while ((SECONDS < end)); do
        if "$@" >/dev/null 2>&1; then
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# --- windows -----------------------------------------------------------------

# The program's windows that are mapped and viewable, one id a line.
e2e_visible_windows() {
    local -
    set +o pipefail
    local pid id
    for pid in "${E2E_APP_PIDS[@]}"; do
        xdotool search --onlyvisible --pid "$pid" 2>/dev/null || true
    done | sort -u | while read -r id; do
        if e2e_is_viewable "$id"; then echo "$id"; fi
    done
    return 0
}

e2e_is_viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }

e2e_window_name() { xdotool getwindowname "$1" 2>/dev/null; }

e2e_window_type() {
    xprop -id "$1" _NET_WM_WINDOW_TYPE 2>/dev/null | sed -n 's/.*_NET_WM_WINDOW_TYPE_\([A-Z_]*\).*/\1/p' | awk "NR == 1"
}

# Visible top-level windows of the program with exactly this title.
e2e_windows_named() {
    local title=$1 id
    for id in $(e2e_visible_windows); do
        if [ "$(e2e_window_name "$id")" = "$title" ]; then echo "$id"; fi
    done
    return 0
}

# The main window: titled "Keyhaven" (with a file open "LABEL - Keyhaven",
# "LABEL* - Keyhaven" while changed), owned by no other window (message boxes
# share the caption), and large (the tray icon's window shares it too).
e2e_main_window() {
    local id w name
    for id in $(e2e_visible_windows); do
        name=$(e2e_window_name "$id")
        [ "$name" = "Keyhaven" ] || [ "${name% - Keyhaven}" != "$name" ] || continue
        [ "$(e2e_window_type "$id")" = "NORMAL" ] || continue
        ! e2e_is_transient "$id" || continue
        w=$(e2e_window_width "$id")
        if [ "${w:-0}" -ge 300 ]; then
            echo "$id"
            return 0
        fi
    done
    return 0
}

# The ICCCM state of a window: Normal, Iconic, Withdrawn, or "" when unmanaged.
e2e_wm_state() {
    xprop -id "$1" WM_STATE 2>/dev/null | sed -n 's/^[[:space:]]*window state: //p' | awk 'NR == 1'
}

# Whether the window manager lists the window among its clients (the ones
# its task bar shows).
e2e_in_taskbar() {
    local list
    list=$(xprop -root _NET_CLIENT_LIST 2>/dev/null) || return 1
    printf '%s\n' "$list" | tr ',' '\n' | grep -qiw "$(printf '0x%x' "$1")"
}

e2e_window_width() { xwininfo -id "$1" 2>/dev/null | awk '/Width:/ { print $2 }'; }
e2e_window_height() { xwininfo -id "$1" 2>/dev/null | awk '/Height:/ { print $2 }'; }
e2e_root_window() { xwininfo -root | awk '/Window id:/ { print $4 }'; }
e2e_parent_window() { xwininfo -children -id "$1" 2>/dev/null | awk '/Parent window id:/ { print $4 }'; }

# e2e_wait_window TITLE [SECONDS]: prints the id of the first visible window
# of the program with that title.
e2e_wait_window() {
    local title=$1 limit=${2:-$E2E_TIMEOUT} id
    local end=$((SECONDS + limit))
    while ((SECONDS < end)); do
        id=$(e2e_windows_named "$title" | awk "NR == 1")
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    e2e_fail "no window \"$title\" after $limit s"
}

# Whether a window belongs to another one (dialogs and message boxes do).
e2e_is_transient() { xprop -id "$1" WM_TRANSIENT_FOR 2>/dev/null | grep -q 'window id'; }

# e2e_wait_dialog TITLE [SECONDS]: a dialog window: it belongs to another
# window (message boxes share the main window's title, not its independence).
e2e_wait_dialog() {
    local title=$1 limit=${2:-$E2E_TIMEOUT} id
    local end=$((SECONDS + limit))
    while ((SECONDS < end)); do
        for id in $(e2e_windows_named "$title"); do
            if e2e_is_transient "$id"; then
                echo "$id"
                return 0
            fi
        done
        sleep 0.1
    done
    e2e_fail "no dialog \"$title\" after $limit s"
}

# e2e_wait_gone WINDOW [SECONDS]: waits until the window is no longer shown.
e2e_wait_gone() {
    local id=$1 limit=${2:-$E2E_TIMEOUT}
    local end=$((SECONDS + limit))
    while ((SECONDS < end)); do
        e2e_is_viewable "$id" || return 0
        sleep 0.1
    done
    e2e_fail "window $id is still shown after $limit s"
}

e2e_wait_main_window() {
    local limit=${1:-$E2E_TIMEOUT} id
    local end=$((SECONDS + limit))
    while ((SECONDS < end)); do
        id=$(e2e_main_window)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    e2e_fail "the main window did not appear after $limit s"
}

e2e_activate() { xdotool windowactivate --sync "$1" >/dev/null 2>&1 || xdotool windowfocus --sync "$1"; }

# e2e_type_into WINDOW TEXT: activates the window, types the text as a user
# would (through the X server's test extension) and presses Enter.
e2e_type_into() {
    e2e_activate "$1"
    sleep 0.3
    xdotool type --delay 40 -- "$2"
    xdotool key Return
}

# e2e_key KEYS...: keys to the focused window, e.g. "alt+f" "x".
e2e_key() {
    local k
    for k in "$@"; do
        xdotool key --delay 80 "$k"
        sleep 0.15
    done
}

# --- the tray ----------------------------------------------------------------

# The program's tray icon: a small window of the program that the window
# manager's tray has embedded (its parent is not the root window) and shows.
e2e_tray_icon() {
    local root id parent
    root=$(e2e_root_window)
    for id in $(e2e_visible_windows); do
        parent=$(e2e_parent_window "$id")
        [ -n "$parent" ] && [ "$parent" != "$root" ] || continue
        if [ "$(e2e_window_width "$id")" -le 64 ] && [ "$(e2e_window_height "$id")" -le 64 ]; then
            echo "$id"
            return 0
        fi
    done
    return 0
}

e2e_wait_tray_icon() {
    local limit=${1:-$E2E_TIMEOUT} id
    local end=$((SECONDS + limit))
    while ((SECONDS < end)); do
        id=$(e2e_tray_icon)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    e2e_fail "no tray icon after $limit s"
}

# e2e_click WINDOW BUTTON: clicks the middle of a window (1 left, 3 right).
e2e_click() {
    local id=$1 button=${2:-1} w h
    w=$(e2e_window_width "$id")
    h=$(e2e_window_height "$id")
    xdotool mousemove --window "$id" $((w / 2)) $((h / 2))
    sleep 0.2
    xdotool click "$button"
}

# A pop-up menu of the program that is open now: an override-redirect window
# straight under the root window (the window manager frames everything else).
e2e_popup_menu() {
    local root id
    root=$(e2e_root_window)
    for id in $(e2e_visible_windows); do
        [ "$(e2e_parent_window "$id")" = "$root" ] || continue
        if xwininfo -id "$id" | grep -q 'Override Redirect State: yes'; then
            echo "$id"
            return 0
        fi
    done
    return 0
}

e2e_wait_popup_menu() {
    local limit=${1:-5} id
    local end=$((SECONDS + limit))
    while ((SECONDS < end)); do
        id=$(e2e_popup_menu)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    e2e_fail "no menu opened"
}

# e2e_tray_menu_choose LETTER: opens the tray icon's menu with a right click
# and chooses the item whose mnemonic is LETTER.
e2e_tray_menu_choose() {
    local tray
    tray=$(e2e_wait_tray_icon)
    e2e_click "$tray" 3
    e2e_wait_popup_menu >/dev/null
    sleep 0.3
    xdotool key "$1"
}

# The tray icon's colour as "red green blue" means (0 to 1): the locked
# picture is red, the normal one blue.
e2e_tray_colour() {
    local tray
    tray=$(e2e_wait_tray_icon)
    import -window "$tray" "$E2E_DIR/tray-icon.png" 2>/dev/null
    convert "$E2E_DIR/tray-icon.png" -format '%[fx:mean.r] %[fx:mean.g] %[fx:mean.b]' info:
}

# --- clipboard and pictures --------------------------------------------------

# The clipboard's text, read while its owner still runs (there is no
# clipboard manager under Xvfb).
e2e_clipboard() { timeout 5 xclip -o -selection clipboard 2>/dev/null; }

# e2e_screenshot NAME [WINDOW]: the screen, or one window, as NAME.png.
e2e_screenshot() {
    [ -n "${DISPLAY:-}" ] && [ -n "$E2E_DIR" ] || return 1
    local target=${2:-root}
    import -window "$target" "$E2E_DIR/$1.png" 2>/dev/null
}

# e2e_frame WINDOW: the window manager's frame around a window (the top-level
# window under the root), so a picture of it shows the caption too.
e2e_frame() {
    local id=$1 root parent
    root=$(e2e_root_window)
    while parent=$(e2e_parent_window "$id") && [ -n "$parent" ] && [ "$parent" != "$root" ]; do
        id=$parent
    done
    echo "$id"
}

# --- assertions ----------------------------------------------------------------

e2e_expect_eq() {
    [ "$1" = "$2" ] || e2e_fail "${3:-values differ}: expected \"$2\", got \"$1\""
}

# e2e_drag "X Y" "X Y": presses at the first point, moves to the second in
# small steps as a hand would, and releases there.
e2e_drag() {
    local sx sy tx ty i steps=15
    read -r sx sy <<<"$1"
    read -r tx ty <<<"$2"
    xdotool mousemove "$sx" "$sy"
    sleep 0.4
    xdotool mousedown 1
    sleep 0.2
    for ((i = 1; i <= steps; i++)); do
        xdotool mousemove $((sx + (tx - sx) * i / steps)) $((sy + (ty - sy) * i / steps))
        sleep 0.08
    done
    sleep 0.5
    xdotool mouseup 1
    sleep 0.3
}
