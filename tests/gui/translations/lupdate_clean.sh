#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when collecting the texts of the sources would change a translation
# file: a new or changed text that is not in it yet, or a removed one still in
# it. Runs the same collection as the developers do, into copies.
#   lupdate_clean.sh SOURCE_DIR LUPDATE
set -euo pipefail
root=$1
export LUPDATE=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir "$tmp/ts"
cp "$root"/translations/keyhaven_*.ts "$tmp/ts/"
if ! "$root/scripts/update-translations.sh" "$tmp/ts" >"$tmp/log" 2>&1; then
  cat "$tmp/log"
  exit 1
fi
status=0
for committed in "$root"/translations/keyhaven_*.ts; do
  name=$(basename "$committed")
  if ! diff -u "$committed" "$tmp/ts/$name" >"$tmp/diff"; then
    echo "translations/$name does not hold the texts of the sources:"
    head -n 80 "$tmp/diff"
    status=1
  fi
done
if [ "$status" -ne 0 ]; then
  echo
  echo "Regenerate the translation files with scripts/update-translations.sh"
  echo "(or: cmake --build build --target update_translations) and commit translations/."
fi
exit "$status"
