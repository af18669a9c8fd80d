#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Helpers of the copy-and-drag button tests, on top of lib.sh. KEYHAVEN_BIN is
# the window with the button (it takes the text as its argument) and
# KEYHAVEN_DROP_TARGET another program with a text field that prints its text
# on every change.

# Blanks, and letters outside ASCII that the code page holds.
CONTROLS_TEXT='Pa55 w'$'\xc3\xb6''rd '$'\xc3\x9f'

# controls_own_clipboard TEXT: xclip owns the clipboard with TEXT until another
# program takes it over (then it ends by itself).
controls_own_clipboard() {
    printf '%s' "$1" | xclip -quiet -selection clipboard >>"$E2E_DIR/xclip.log" 2>&1 &
    E2E_PIDS+=($!)
    e2e_until 5 controls_clipboard_is "$1" || e2e_fail "xclip did not take the clipboard"
}

# controls_clipboard_is TEXT: whether the clipboard holds TEXT now.
controls_clipboard_is() { [ "$(e2e_clipboard)" = "$1" ]; }

# controls_count PATTERN FILE: the number of lines of FILE that are PATTERN.
controls_count() { grep -cxF -- "$1" "$2" || true; }

# controls_count_is N PATTERN FILE
controls_count_is() { [ "$(controls_count "$2" "$3")" -eq "$1" ]; }

# controls_start_target: starts the text field program and sets
# CONTROLS_TARGET_WIN to its window. It runs in this shell, not in a command
# substitution, so that the program's id reaches the clean-up list.
controls_start_target() {
    [ -x "${KEYHAVEN_DROP_TARGET:-}" ] || e2e_fail "KEYHAVEN_DROP_TARGET is not set"
    "$KEYHAVEN_DROP_TARGET" >"$E2E_DIR/target.log" 2>&1 &
    E2E_PIDS+=($!)
    E2E_APP_PIDS+=($!)
    CONTROLS_TARGET_WIN=$(e2e_wait_window "Drop target")
}

# controls_place WINDOW X Y: moves a window to a known place of the screen.
controls_place() {
    xdotool windowmove --sync "$1" "$2" "$3" >/dev/null 2>&1 || xdotool windowmove "$1" "$2" "$3"
    sleep 0.3
}

# controls_centre WINDOW: "X Y" of the window's centre on the screen.
controls_centre() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1")"
    echo "$((X + WIDTH / 2)) $((Y + HEIGHT / 2))"
}

# controls_drag SOURCE TARGET: drags from the source window's centre (its
# button) to the target window's centre.
controls_drag() {
    e2e_drag "$(controls_centre "$1")" "$(controls_centre "$2")"
}
