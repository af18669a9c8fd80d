#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a libFuzzer target for a given time on the seed corpus that the
# program's writer makes, and fails on any crash, leak, timeout or
# out-of-memory. Works without a terminal (CTest); leaves no files behind.
#
# Usage: run-fuzzer.sh BINARY SECONDS
set -uo pipefail

if [ $# -ne 2 ] || ! [[ $2 =~ ^[0-9]+$ ]]; then
  echo "usage: $0 BINARY SECONDS" >&2
  exit 2
fi
binary=$1
seconds=$2
name=$(basename "$binary")
seeder=$(dirname "$binary")/make_archive_seeds
for program in "$binary" "$seeder"; do
  if [ ! -x "$program" ]; then
    echo "$name: $program is missing; build the fuzz targets first" >&2
    exit 2
  fi
done

work=$(mktemp -d "${TMPDIR:-/tmp}/keyhaven-fuzz.XXXXXX") || exit 2
trap 'rm -rf "$work"' EXIT
mkdir "$work/corpus" "$work/artifacts"

if ! "$seeder" "$work/corpus"; then
  echo "$name: FAILED: the seed corpus could not be made" >&2
  exit 1
fi
# A target whose input is no password file has its own seeds beside this
# script, in seeds/<target>/.
seeds="$(dirname "$0")/seeds/$name"
if [ -d "$seeds" ]; then
  cp "$seeds"/* "$work/corpus/"
fi

# Inputs are at most 128 KiB (the largest seed holds a 70,000-byte text), and
# no single allocation may reach 1 MiB: the reader checks every length against
# the bytes that remain, so anything bigger is a length taken on trust.
"$binary" \
  -max_total_time="$seconds" \
  -timeout=10 \
  -rss_limit_mb=2048 \
  -max_len=131072 \
  -malloc_limit_mb=1 \
  -detect_leaks=1 \
  -print_final_stats=1 \
  -artifact_prefix="$work/artifacts/" \
  "$work/corpus" </dev/null >"$work/log" 2>&1
status=$?

executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -n 1)
corpus=$(grep -o 'corp: [0-9]*/[0-9]*[bKM]*b*' "$work/log" | tail -n 1 | sed 's/corp: //')
artifacts=$(find "$work/artifacts" -type f | sort)

if [ "$status" -eq 0 ] && [ -z "$artifacts" ] && grep -q '^Done [0-9]* runs' "$work/log"; then
  echo "$name: passed: ${executions:-?} executions in ${seconds} s, corpus ${corpus:-?} (inputs/bytes); no crash, leak, timeout or out-of-memory"
  exit 0
fi

echo "$name: FAILED (exit status $status) after ${executions:-?} executions; the fuzzer's log ends:"
tail -n 60 "$work/log"
for artifact in $artifacts; do
  echo "--- $(basename "$artifact") ($(stat -c %s "$artifact") bytes), first 4 KiB in hex:"
  head -c 4096 "$artifact" | od -A x -t x1z -v
done
exit 1
