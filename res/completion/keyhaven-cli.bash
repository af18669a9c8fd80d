# SPDX-License-Identifier: GPL-3.0-or-later
# bash completion for keyhaven-cli: commands, their options, and file names
# of the kinds each argument takes.

_keyhaven_cli_commands="info ls show export create passwd generate convert find import audit totp"

_keyhaven_cli_options() {
    case "$1" in
    export) echo "--format -o --crlf --key-file --no-password --allow-slow-kdf --help" ;;
    generate) echo "--flags --begin --end --length --seed --help" ;;
    find) echo "--match-case --whole-word --all-fields --key-file --no-password --allow-slow-kdf --help" ;;
    info | ls) echo "--key-file --no-password --allow-slow-kdf --help" ;;
    show) echo "--show-protected --key-file --no-password --allow-slow-kdf --help" ;;
    audit) echo "--hibp --threshold --help" ;;
    import) echo "--key-file --no-password --source-key-file --source-no-password --allow-slow-kdf --help" ;;
    create) echo "--key-file --help" ;;
    totp) echo "--at --key-file --no-password --allow-slow-kdf --help" ;;
    passwd) echo "--key-file --no-password --allow-slow-kdf --upgrade --help" ;;
    convert) echo "--lossy --key-file --no-password --allow-slow-kdf --help" ;;
    *) echo "--help" ;;
    esac
}

_keyhaven_cli() {
    local cur prev command i
    COMPREPLY=()
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD - 1]}

    if [ "$COMP_CWORD" -eq 1 ]; then
        mapfile -t COMPREPLY < <(compgen -W "$_keyhaven_cli_commands --help --version" -- "$cur")
        return
    fi
    command=${COMP_WORDS[1]}

    case "$prev" in
    --format)
        mapfile -t COMPREPLY < <(compgen -W "text csv kdbx" -- "$cur")
        return
        ;;
    --threshold)
        mapfile -t COMPREPLY < <(compgen -W "poor weak reasonable good excellent" -- "$cur")
        return
        ;;
    --hibp)
        _keyhaven_cli_files '@(txt|TXT)'
        return
        ;;
    -o)
        if [ "$command" = export ]; then
            _keyhaven_cli_files '@(txt|csv|kdbx)'
        fi
        return
        ;;
    --key-file | --source-key-file)
        mapfile -t COMPREPLY < <(compgen -f -- "$cur")
        return
        ;;
    --flags | --begin | --end | --length | --seed | --at)
        return
        ;;
    esac

    if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$(_keyhaven_cli_options "$command")" -- "$cur")
        return
    fi

    # The position among the arguments that are not options or their values.
    local position=0
    for ((i = 2; i < COMP_CWORD; i++)); do
        case "${COMP_WORDS[i]}" in
        --format | -o | --key-file | --source-key-file | --flags | --begin | --end | --length | --seed | --hibp | --threshold | --at) ((i++)) ;;
        -*) ;;
        *) ((position++)) ;;
        esac
    done
    case "$command:$position" in
    import:1) _keyhaven_cli_files '@(csv|CSV|kdbx|KDBX)' ;;
    create:0 | import:0) _keyhaven_cli_files '@(pwd|khv|kdbx|PWD|KHV|KDBX)' ;;
    convert:*) _keyhaven_cli_files '@(pwd|khv|kdbx|PWD|KHV|KDBX)' ;;
    totp:0) _keyhaven_cli_files '@(kdbx|KDBX)' ;;
    passwd:0) _keyhaven_cli_files '@(pwd|khv|kdbx|PWD|KHV|KDBX)' ;;
    info:0 | ls:0 | show:0 | find:0 | export:0) _keyhaven_cli_files '@(pwd|khv|kdbx|PWD|KHV|KDBX)' ;;
    totp:*) ;;
    generate:*) ;;
    *:0) _keyhaven_cli_files '@(pwd|khv|PWD|KHV)' ;;
    esac
}

# Folders and the files whose extension matches the pattern.
_keyhaven_cli_files() {
    local IFS=$'\n'
    shopt -s extglob
    mapfile -t COMPREPLY < <(compgen -d -- "$cur"; compgen -f -X "!*.$1" -- "$cur")
}

complete -o filenames -F _keyhaven_cli keyhaven-cli
