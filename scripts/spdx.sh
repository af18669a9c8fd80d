#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every source file of the project names its licence on its first line (after
# a script's #! line). --check lists the files without one and fails;
# --fix adds the line to them.
set -euo pipefail

mode=${1:---check}
root=$(cd "$(dirname "$0")/.." && pwd)
id="SPDX-License-Identifier: GPL-3.0-or-later"

comment_for() {
    case "$1" in
    *.cpp | *.h | *.c) echo "// $id" ;;
    *.sh | *.py | *.cmake | */CMakeLists.txt | CMakeLists.txt | .ci/run) echo "# $id" ;;
    *) return 1 ;;
    esac
}

cd "$root"
missing=0
while IFS= read -r file; do
    line=$(comment_for "$file") || continue
    if head -n 3 "$file" | grep -qF "$id"; then
        continue
    fi
    if [ "$mode" = --fix ]; then
        if head -n 1 "$file" | grep -q '^#!'; then
            { head -n 1 "$file"; echo "$line"; tail -n +2 "$file"; } > "$file.spdx"
        else
            { echo "$line"; cat "$file"; } > "$file.spdx"
        fi
        chmod --reference="$file" "$file.spdx"
        mv "$file.spdx" "$file"
    else
        echo "no licence line: $file"
        missing=1
    fi
done < <(if git rev-parse --is-inside-work-tree > /dev/null 2>&1; then
    git ls-files --cached --others --exclude-standard
else
    find . -path ./.git -prune -o -path './build*' -prune -o -path ./debian -prune -o -type f -print | sed 's|^\./||'
fi)
exit $missing
