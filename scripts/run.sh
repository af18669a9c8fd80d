#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Keyhaven and starts it on the user's display.
#
#   scripts/run.sh              opens a fresh copy of the demo file (KEY: demo)
#   scripts/run.sh FILE.pwd     opens that file
#   scripts/run.sh -w           starts hidden in the tray
#
# Without a display it says how to run it under xvfb-run instead.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh --run
# Only the program: a new build leaves out the tests and benchmarks, whose
# tools were not installed; a build that scripts/test.sh made keeps them.
if [ -f build/CMakeCache.txt ]; then
    cmake -S . -B build >/dev/null
else
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKEYHAVEN_TESTS=OFF \
        -DKEYHAVEN_BENCH=OFF >/dev/null
fi
cmake --build build -j "$(nproc)" --target keyhaven keyhaven-cli keyhaven_demo_file

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    cat >&2 <<'TEXT'
Keyhaven is built, but there is no display to show it on.
Run it under a virtual X server instead:

    xvfb-run -a -s "-screen 0 1280x800x24" scripts/run.sh

There it has no window manager and no tray; for a look at it, take a
screenshot from a second terminal with "import -window root shot.png"
(DISPLAY as xvfb-run chose it), or run the end-to-end tests:

    ctest --test-dir build -L e2e --output-on-failure
TEXT
    exit 1
fi

if [ $# -eq 0 ]; then
    # A fresh copy each time, so the demo can be changed freely.
    demo_dir=$(mktemp -d "${TMPDIR:-/tmp}/keyhaven-demo.XXXXXX")
    cp build/res/demo.pwd "$demo_dir/Demo.pwd"
    chmod 600 "$demo_dir/Demo.pwd"
    echo "Opening a fresh copy of the demo file $demo_dir/Demo.pwd; its KEY is: demo"
    set -- "$demo_dir/Demo.pwd"
fi
exec build/src/app/keyhaven "$@"
