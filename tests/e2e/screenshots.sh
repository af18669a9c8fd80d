#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the pictures of the program shown in the README (docs/*.png) on a
# private X server with IceWM, using a fresh copy of the demo file.
#
#   tests/e2e/screenshots.sh [BUILD_DIR]      (default: build)
top=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$top/build}" && pwd)
export KEYHAVEN_BIN="$build/src/app/keyhaven"
export E2E_DEMO_FILE="$build/res/demo.pwd"
export E2E_OUT="$build/tests/e2e/out"
source "$(dirname "$0")/lib.sh"
e2e_begin screenshots

docs="$top/docs"
mkdir -p "$docs"

file=$(e2e_demo_copy Demo.pwd)
e2e_start_app "$file"
dialog=$(e2e_wait_window "Check Key")
sleep 0.5
import -window "$(e2e_frame "$dialog")" "$docs/check-key.png"
e2e_type_into "$dialog" "demo"
e2e_wait_gone "$dialog"
main=$(e2e_wait_main_window)
sleep 1
import -window "$(e2e_frame "$main")" "$docs/main-window.png"

# The tray menu, with the bottom right corner of the screen around it.
tray=$(e2e_wait_tray_icon)
e2e_click "$tray" 3
e2e_wait_popup_menu >/dev/null
sleep 0.5
import -window root -crop 420x170+860+630 +repage "$docs/tray-menu.png"
xdotool key Escape
e2e_log "pictures written to $docs"
