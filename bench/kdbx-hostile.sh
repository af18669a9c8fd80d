#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Imports the KeePass databases that try the reader's bounds with
# keyhaven-cli under /usr/bin/time and prints, for each, the exit status,
# the wall time, the peak resident memory and the message. The databases
# are written by bench_kdbx_hostile; with keepassxc-cli installed, a
# database of 100,000 entries made by keepassxc-cli is imported as well.
#
# Usage: kdbx-hostile.sh KEYHAVEN_CLI BENCH_KDBX_HOSTILE [--check]
#
# An import is stopped after KDBX_HOSTILE_TIMEOUT seconds (default 600; exit
# status 124), as one of an older program without the bounds never ends.
#
# With --check every import is judged, and the script fails when one is
# not: each hostile database refused (exit status 3) within 10 seconds,
# the real one imported, and every peak within the readers' bound (the
# larger of 64 MB and the key derivation's memory, plus 8 times the file,
# plus twice the XML inside it, plus what the program itself takes).
set -uo pipefail

if [ $# -lt 2 ] || [ $# -gt 3 ] || { [ $# -eq 3 ] && [ "$3" != --check ]; }; then
  echo "usage: $0 KEYHAVEN_CLI BENCH_KDBX_HOSTILE [--check]" >&2
  exit 2
fi
cli=$1
writer=$2
check=${3:-}
if [ ! -x /usr/bin/time ]; then
  echo "$0: /usr/bin/time is missing (Debian's time)" >&2
  exit 2
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/kdbx-hostile.XXXXXX") || exit 2
trap 'rm -rf "$work"' EXIT
if ! "$writer" "$work"; then
  echo "$0: the databases could not be written" >&2
  exit 1
fi
printf 'k\nk\n' | "$cli" create "$work/target.pwd" >/dev/null 2>&1
if command -v keepassxc-cli >/dev/null 2>&1; then
  printf 'pw\npw\n' | keepassxc-cli import -q -p "$work/big.xml" "$work/real.kdbx" >/dev/null 2>&1
fi

failed=0
# import NAME EXPECTED-EXIT [OPTIONS...]
import() {
  local name=$1 expected=$2
  shift 2
  local file=$work/$name
  [ -f "$file" ] || return 0
  cp "$work/target.pwd" "$work/run.pwd"
  printf 'k\npw\n' | timeout "${KDBX_HOSTILE_TIMEOUT:-600}" /usr/bin/time -f '%e %M' -o "$work/time" \
    "$cli" import "$work/run.pwd" "$file" "$@" >/dev/null 2>"$work/err"
  local status=$?
  local seconds peak
  read -r seconds peak < <(tail -n 1 "$work/time") || { seconds=?; peak=0; }
  local message
  message=$(grep -v '^Command exited' "$work/err" | head -c 160 | tr '\n' ' ')
  printf '%-20s %-16s %9d bytes  exit %d  %6s s  %7.1f MB  %s\n' "$name" "$*" \
    "$(stat -c %s "$file")" "$status" "$seconds" "$(echo "$peak / 1024" | bc -l)" "$message"
  if [ -n "$check" ]; then
    # The bound of the read, and 40 MB for the program, its libraries and
    # the document it writes.
    local size xml bound
    size=$(stat -c %s "$file")
    xml=${XML_SIZE:-$size}
    bound=$(( (64 << 20) + 8 * size + 2 * xml + (40 << 20) ))
    if [ "$status" -ne "$expected" ]; then
      echo "  FAILED: exit status $status, not $expected" >&2
      failed=1
    fi
    if [ $(( peak * 1024 )) -gt "$bound" ]; then
      echo "  FAILED: peak above the bound of $(( bound >> 20 )) MB" >&2
      failed=1
    fi
    if [ "$expected" -ne 0 ] && [ "${seconds%.*}" -ge 10 ]; then
      echo "  FAILED: not refused within 10 seconds" >&2
      failed=1
    fi
  fi
}

echo "database             options               size             status   time     peak    message"
import aes-2p64.kdbx 3
import aes-slow.kdbx 3
[ -z "$check" ] && import aes-slow.kdbx 1 --allow-slow-kdf
import argon2-4gib.kdbx 3
import argon2-passes.kdbx 3
import token-bomb.kdbx 3
import text-bomb.kdbx 3
import entry-flood.kdbx 3
if [ -f "$work/real.kdbx" ]; then
  XML_SIZE=$(printf 'pw\n' | keepassxc-cli export -q -f xml "$work/real.kdbx" | wc -c) \
    import real.kdbx 0
else
  echo "real.kdbx            (keepassxc-cli is not installed: the real database is left out)"
fi
exit $failed
