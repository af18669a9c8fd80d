#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Times keyhaven-cli import of the sources bench_import_shapes makes
# (references that multiply, deep groups, titles that begin alike), each into
# a new password file, each stopped after a time limit. Give it the
# keyhaven-cli to measure, so that two builds can be compared on the same
# sources:
#
#   bench/import-shapes.sh build/src/cli/keyhaven-cli build/bench/bench_import_shapes [SECONDS]
#
# Prints one line per source: the wall-clock and CPU time of the whole
# import (reading, the database's key, the accounts added, the file
# written) and the summary keyhaven-cli printed, or "stopped".
set -uo pipefail

if [ $# -lt 2 ] || [ $# -gt 3 ]; then
  echo "usage: $0 KEYHAVEN_CLI BENCH_IMPORT_SHAPES [SECONDS]" >&2
  exit 2
fi
cli=$(realpath "$1")
shapes=$(realpath "$2")
limit=${3:-600}

work=$(mktemp -d "${TMPDIR:-/tmp}/import-shapes.XXXXXX") || exit 2
trap 'rm -rf "$work"' EXIT
"$shapes" --write="$work" >"$work/list" || exit 1

TIMEFORMAT='%R %U %S'
while read -r source count; do
  file="$work/${source%.*}-${source##*.}.pwd"
  printf 'k\nk\n' | "$cli" create "$file" >/dev/null 2>&1 || exit 1
  # The file's KEY, then (for a database) the database's password.
  times=$( { time printf 'k\npw\n' | timeout "$limit" "$cli" import "$file" "$work/$source" \
             >/dev/null 2>"$work/err"; } 2>&1 )
  status=$?
  read -r wall user sys <<<"$times"
  cpu=$(awk -v u="$user" -v s="$sys" 'BEGIN { printf "%.2f", u + s }')
  if grep -q '^Imported' "$work/err"; then
    outcome=$(grep '^Imported' "$work/err" | cut -c1-110)
  elif [ "$status" -eq 124 ]; then
    outcome="stopped after $limit s"
  else
    outcome=$(head -c 110 "$work/err")
  fi
  printf '%-20s %7s entries %8.2f s wall %7s s CPU  %s\n' "$source" "$count" "$wall" "$cpu" \
    "$outcome"
  rm -f "$file"
done <"$work/list"
