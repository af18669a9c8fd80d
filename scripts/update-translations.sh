#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Collects every marked text of the window program (KH_TEXT, KH_TEXT_IN and
# KH_COUNT in src/, the command-line program left out: it stays English) into
# the translation files translations/keyhaven_<language>.ts, keeping the
# translations already made and dropping texts the program no longer has.
#
#   scripts/update-translations.sh            # updates translations/
#   scripts/update-translations.sh DIR        # updates DIR/keyhaven_*.ts instead
#
# A new language: create an empty translations/keyhaven_<language>.ts with
#   lupdate -ts translations/keyhaven_<language>.ts
# (or copy one and empty it), add it to TS_FILES in translations/CMakeLists.txt
# and run this script.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/translations}
lupdate=${LUPDATE:-}
if [ -z "$lupdate" ]; then
  if [ -x /usr/lib/qt6/bin/lupdate ]; then lupdate=/usr/lib/qt6/bin/lupdate; else lupdate=lupdate; fi
fi

shopt -s nullglob
ts_files=("$out"/keyhaven_*.ts)
if [ ${#ts_files[@]} -eq 0 ]; then
  echo "no keyhaven_*.ts in $out" >&2
  exit 1
fi

cd "$root"
sources=$(mktemp)
trap 'rm -f "$sources"' EXIT
find src -path src/cli -prune -o \( -name '*.h' -o -name '*.cpp' \) -print | LC_ALL=C sort >"$sources"

# No locations: the files then change only when a text does, not whenever a
# line moves.
# lupdate's parser notes member definitions of classes it has not seen; they
# hold no texts, so those notes are left out.
"$lupdate" -silent -locations none -no-obsolete -no-ui-lines \
  -tr-function-alias QT_TRANSLATE_NOOP+=KH_TEXT,QT_TRANSLATE_NOOP+=KH_TEXT_IN,QT_TRANSLATE_N_NOOP+=KH_COUNT \
  "@$sources" -ts "${ts_files[@]}" 2> >(grep -v 'Ignoring definition of undeclared qualified class' >&2)
