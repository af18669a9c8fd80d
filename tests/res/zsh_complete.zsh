#!/usr/bin/env zsh
# SPDX-License-Identifier: GPL-3.0-or-later
# Types each LINE into an interactive zsh with the completion functions of
# FUNCTION_DIR, presses TAB at its end and prints what the completion system
# offered there: one line per LINE, the candidates sorted and separated by
# blanks (an empty line when nothing was offered).
#   zsh -f zsh_complete.zsh FUNCTION_DIR LINE...
emulate -L zsh
zmodload zsh/zpty || exit 2
function_dir=$1
shift
offered=$(mktemp) || exit 2
trap 'zpty -d shell 2>/dev/null; rm -f $offered' EXIT

zpty shell zsh -f -i
zpty -w shell "PS1='' PS2=''; fpath=(${(q)function_dir} \$fpath); autoload -Uz compinit; compinit -u -D"
# Every candidate passes through compadd: a wrapper writes down those that
# match the word on the line. Calls that only ask (-O, -A, -D) are left alone.
zpty -w shell 'compadd() {
  if [[ -n ${(M)@:#-[OAD]*} ]]; then builtin compadd "$@"; return; fi
  local -a matched
  builtin compadd -O matched "$@"
  (( $#matched )) && print -rl -- $matched >> '${(q)offered}'
  builtin compadd "$@"
}'
# TAB completes and then marks the end, so the reader knows when it is done.
zpty -w shell 'offer() { zle complete-word; print -r -- "--end--" >> '${(q)offered}'; }
zle -N offer; bindkey "^I" offer'

for line in "$@"; do
  : > $offered
  zpty -w -n shell "$line"$'\t'
  for attempt in {1..200}; do
    # The terminal's output is read and dropped, so the shell never blocks on it.
    while zpty -rt shell chunk 2>/dev/null; do :; done
    grep -qx -- --end-- $offered && break
    sleep 0.05
  done
  grep -qx -- --end-- $offered || { print -u2 "zsh did not complete \"$line\""; exit 1; }
  print -r -- ${(j: :)${(ou)${(f)"$(grep -vx -- --end-- $offered)"}}}
  zpty -w -n shell $'\C-u'
done
