#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that run-fuzzer.sh reports each kind of fault of a fuzz target as a
# failure, names it, passes a target without faults, and leaves no files.
#
# Usage: test-runner.sh RUN_FUZZER PROBE_BINARY
set -uo pipefail
runner=$1
probe=$2

scratch=$(mktemp -d "${TMPDIR:-/tmp}/keyhaven-fuzz-runner.XXXXXX") || exit 2
trap 'rm -rf "$scratch"' EXIT
failures=0

# expect MODE SECONDS WANTED_STATUS PATTERN
expect() {
  local mode=$1 seconds=$2 wanted=$3 pattern=$4 output status before=$failures
  output=$(TMPDIR=$scratch KEYHAVEN_FUZZ_PROBE=$mode "$runner" "$probe" "$seconds" 2>&1)
  status=$?
  if { [ "$wanted" = 0 ] && [ "$status" -ne 0 ]; } || { [ "$wanted" != 0 ] && [ "$status" -eq 0 ]; }; then
    echo "probe '$mode': run-fuzzer.sh exited with $status"
    failures=$((failures + 1))
  elif ! grep -Eq "$pattern" <<<"$output"; then
    echo "probe '$mode': the output does not show /$pattern/"
    failures=$((failures + 1))
  elif [ -n "$(ls -A "$scratch")" ]; then
    echo "probe '$mode': files were left behind: $(ls -A "$scratch")"
    failures=$((failures + 1))
  else
    echo "probe '$mode': reported as expected"
  fi
  [ "$failures" -eq "$before" ] || printf '%s\n' "$output" | tail -n 30
  rm -rf "${scratch:?}"/*
}

expect none 2 0 'passed: [0-9]+ executions'
expect crash 30 1 'heap-buffer-overflow'
expect crash 30 1 '^000000 [0-9a-f]{2}' # the crashing input, in hex
expect leak 30 1 'detected memory leaks'
expect oom 30 1 'out-of-memory \(malloc'
expect timeout 60 1 'ERROR: libFuzzer: timeout'

[ "$failures" -eq 0 ]
