#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds everything with warnings as errors and runs every test: the format
# and include checks, the unit and widget tests, the end-to-end tests under
# Xvfb (and a subset of them on a headless weston, the Wayland compositor,
# with a mock desktop portal for the hot key), the core and widget tests again under the address and
# undefined-behaviour sanitizers, and 60 seconds of fuzzing of the reader.
# Ends with CTest's summary; exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)

scripts/install-deps.sh

export QT_QPA_PLATFORM=offscreen
XDG_RUNTIME_DIR=$(mktemp -d /tmp/keyhaven-runtime.XXXXXX)
chmod 700 "$XDG_RUNTIME_DIR"
export XDG_RUNTIME_DIR
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT

jobs=$(nproc)

# clang with the address and undefined-behaviour sanitizers: the core, the
# GUI and their tests, and the fuzzer (the `sanitize` preset, build-san).
cmake --preset sanitize >/dev/null
cmake --build build-san -j "$jobs"

# The whole program; its CTest run also runs the sanitizer build's core and
# widget tests and the fuzzer.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKEYHAVEN_WERROR=ON \
  -DKEYHAVEN_TESTS=ON -DKEYHAVEN_GUI_TESTS=ON -DKEYHAVEN_BENCH=ON \
  -DKEYHAVEN_SANITIZER_BUILD="$top/build-san" >/dev/null
cmake --build build -j "$jobs"

ctest --test-dir build --output-on-failure -j "$jobs" --timeout 600
