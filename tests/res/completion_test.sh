#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The shell completions of keyhaven-cli know every command and option that
# its help names, and bash, zsh and fish each complete commands, option
# values and file names of the right kinds: the same line gets the same
# candidates from all three, typed into the shell itself where it is installed.
#   completion_test.sh KEYHAVEN_CLI SOURCE_DIR
set -uo pipefail
cli=$1
completion=$2/res/completion
tests=$2/tests/res
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# --- no drift from the help: its usage lines name each command's options
usage=$("$cli" --help | sed -n '/^Usage:/,/^$/p' |
    awk '/^  keyhaven-cli [a-z]/ { if (line) print line; line = $0; next }
         /^    / { line = line " " $0; next }
         END { print line }')
commands=$(awk '{print $2}' <<<"$usage" | sort -u)
# shellcheck source=/dev/null
source "$completion/keyhaven-cli.bash"
[ "$(tr ' ' '\n' <<<"$_keyhaven_cli_commands" | sort)" = "$commands" ] ||
    fail "bash knows the commands \"$_keyhaven_cli_commands\", the help: $(echo $commands)"
for command in $commands; do
    options=$(grep "^  keyhaven-cli $command " <<<"$usage" | grep -oE -- '(^| |\[)--?[a-z][a-z-]*' |
        tr -d ' [' | sort -u)
    for option in $options; do
        grep -qw -- "$option" <<<"$(_keyhaven_cli_options "$command")" ||
            fail "bash does not offer $option for $command"
        grep -q -- "'$option[=[]" "$completion/_keyhaven-cli" || fail "zsh does not know $option"
        fish_option=${option#--}
        grep -qE -- "(-l|-s) ${fish_option#-}( |$)" "$completion/keyhaven-cli.fish" ||
            fail "fish does not know $option"
    done
    grep -q "'$command:" "$completion/_keyhaven-cli" || fail "zsh does not know $command"
    grep -q -- "-a $command " "$completion/keyhaven-cli.fish" || fail "fish does not know $command"
done

# --- what each shell offers
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cd "$folder" || exit 1
mkdir sub
touch a.pwd b.khv notes.txt c.csv d.kdbx
# One line per case: the candidates sorted, a folder without its "/".
normalise() { tr ' ' '\n' | sed -e 's,/$,,' -e '/^$/d' | LC_ALL=C sort -u | tr '\n' ' '; }
bash_complete() {
    local line
    for line in "$@"; do
        read -r -a COMP_WORDS <<<"$line"
        [[ $line == *" " ]] && COMP_WORDS+=("")
        COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
        _keyhaven_cli
        printf '%s\n' "${COMPREPLY[*]}"
    done
}
zsh_complete() {
    zsh -f "$tests/zsh_complete.zsh" "$completion" "$@"
}
fish_complete() {
    fish --no-config -c 'source $argv[1]
        for line in $argv[2..-1]
            echo (complete -C $line | string replace -r "\t.*" "" | string join " ")
        end' "$completion/keyhaven-cli.fish" "$@"
}
lines=()
expected=()
while IFS='|' read -r line offers; do
    lines+=("$line")
    expected+=("$offers")
done <<'CASES'
keyhaven-cli ex|export 
keyhaven-cli i|import info 
keyhaven-cli export |a.pwd b.khv d.kdbx sub 
keyhaven-cli export a.pwd -|--allow-slow-kdf --crlf --format --help --key-file --no-password -o 
keyhaven-cli export a.pwd --fo|--format 
keyhaven-cli export a.pwd --format |csv kdbx text 
keyhaven-cli ls |a.pwd b.khv d.kdbx sub 
keyhaven-cli show d.kdbx --s|--show-protected 
keyhaven-cli info |a.pwd b.khv d.kdbx sub 
keyhaven-cli info d.kdbx -|--allow-slow-kdf --help --key-file --no-password 
keyhaven-cli ls s|sub 
keyhaven-cli create |a.pwd b.khv d.kdbx sub 
keyhaven-cli create -|--help --key-file 
keyhaven-cli import |a.pwd b.khv d.kdbx sub 
keyhaven-cli import d.kdbx c.csv --source-|--source-key-file --source-no-password 
keyhaven-cli import --source-key-file notes.txt d.kdbx |c.csv d.kdbx sub 
keyhaven-cli convert a.pwd |a.pwd b.khv d.kdbx sub 
keyhaven-cli convert d.kdbx --l|--lossy 
keyhaven-cli import a.pwd |c.csv d.kdbx sub 
keyhaven-cli import --key-file notes.txt a.pwd |c.csv d.kdbx sub 
keyhaven-cli show a.pwd |
keyhaven-cli find a.pwd |
keyhaven-cli audit a.pwd --threshold |excellent good poor reasonable weak 
keyhaven-cli generate -|--begin --end --flags --help --length --seed 
keyhaven-cli generate --length |
CASES
shells=(bash)
for shell in zsh fish; do
    if command -v "$shell" > /dev/null; then
        shells+=("$shell")
    else
        echo "$shell is not installed: its completion is not tried (scripts/install-deps.sh installs it)"
    fi
done
for shell in "${shells[@]}"; do
    mapfile -t offered < <("${shell}_complete" "${lines[@]}")
    [ ${#offered[@]} -eq ${#lines[@]} ] || fail "$shell answered ${#offered[@]} of ${#lines[@]} lines"
    for i in "${!lines[@]}"; do
        got=$(normalise <<<"${offered[i]:-}")
        [ "$got" = "${expected[i]}" ] ||
            fail "$shell completes \"${lines[i]}\" to \"$got\", not \"${expected[i]}\""
    done
done

# --- the others at least parse
if command -v zsh > /dev/null; then
    zsh -n "$completion/_keyhaven-cli" || fail "zsh cannot parse its completion"
fi
if command -v fish > /dev/null; then
    fish -n "$completion/keyhaven-cli.fish" || fail "fish cannot parse its completion"
fi
bash -n "$completion/keyhaven-cli.bash" || fail "bash cannot parse its completion"

[ "$failures" -eq 0 ] || { echo "$failures completion check(s) failed"; exit 1; }
echo "completion checks passed"
