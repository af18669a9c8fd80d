# SPDX-License-Identifier: GPL-3.0-or-later
# fish completion for keyhaven-cli.

set -l commands info ls show export create passwd generate convert find import audit totp

# Folders, and the files whose extension (in any case) is one of the
# arguments.
function __keyhaven_cli_files
    set -l pattern '\.('(string join '|' -- $argv)')$'
    for path in (complete -C "__fish_command_without_completions "(commandline -ct))
        if string match -qr -- '/$' $path; or string match -qir -- $pattern $path
            echo $path
        end
    end
end

# True when the command line holds one of the given commands and the word
# being completed is its argument POSITION, counted from 0 after the command,
# options and their values not counted.
function __keyhaven_cli_argument --argument-names position
    set -l words (commandline -opc)
    contains -- "$words[2]" $argv[2..-1]; or return 1
    set -l count 0
    set -l skip false
    for word in $words[3..-1]
        if $skip
            set skip false
            continue
        end
        switch $word
            case --format -o --key-file --source-key-file --flags --begin --end --length --seed --hibp --threshold --at
                set skip true
            case '-*'
            case '*'
                set count (math $count + 1)
        end
    end
    test $count -eq $position
end

complete -c keyhaven-cli -f
complete -c keyhaven-cli -n "not __fish_seen_subcommand_from $commands" -l help -d 'Show the help'
complete -c keyhaven-cli -n "not __fish_seen_subcommand_from $commands" -l version -s v -d 'Show the version'
complete -c keyhaven-cli -n "not __fish_seen_subcommand_from $commands" -a info -d 'Show the header of a password file or a KeePass database'
complete -c keyhaven-cli -n "not __fish_seen_subcommand_from $commands" -a ls -d 'List the groups and accounts'
complete -c keyhaven-cli -n "not __fish_seen_subcommand_from $commands" -a show -d 'Show one account or group'
complete -c keyhaven-cli -n "not __fish_seen_subcommand_from $commands" -a export -d 'Write the records as text, CSV or a KeePass database'
complete -c keyhaven-cli -n "not __fish_seen_subcommand_from $commands" -a create -d 'Create a new password file'
complete -c keyhaven-cli -n "not __fish_seen_subcommand_from $commands" -a passwd -d 'Change the KEY of a file'
complete -c keyhaven-cli -n "not __fish_seen_subcommand_from $commands" -a generate -d 'Print one random password'
complete -c keyhaven-cli -n "not __fish_seen_subcommand_from $commands" -a convert -d 'Write a file in another format'
complete -c keyhaven-cli -n "not __fish_seen_subcommand_from $commands" -a find -d 'Search the labels of a file'
complete -c keyhaven-cli -n "not __fish_seen_subcommand_from $commands" -a import -d 'Import a CSV export or a KeePass database'
complete -c keyhaven-cli -n "not __fish_seen_subcommand_from $commands" -a audit -d 'List empty, weak, reused and breached passwords'
complete -c keyhaven-cli -n "not __fish_seen_subcommand_from $commands" -a totp -d 'Print the one-time code of a KeePass entry'

complete -c keyhaven-cli -n "__fish_seen_subcommand_from $commands" -l help -d 'Show the help'
complete -c keyhaven-cli -n "__keyhaven_cli_argument 0 audit" -a "(__keyhaven_cli_files pwd khv)"
complete -c keyhaven-cli -n "__keyhaven_cli_argument 0 info ls show export find passwd convert create import" -a "(__keyhaven_cli_files pwd khv kdbx)"
complete -c keyhaven-cli -n "__keyhaven_cli_argument 1 convert" -a "(__keyhaven_cli_files pwd khv kdbx)"
complete -c keyhaven-cli -n "__keyhaven_cli_argument 1 import" -a "(__keyhaven_cli_files csv kdbx)"
complete -c keyhaven-cli -n "__keyhaven_cli_argument 0 totp" -a "(__keyhaven_cli_files kdbx)"
complete -c keyhaven-cli -n "__fish_seen_subcommand_from import totp info ls show find passwd convert create" -l key-file -r -F -d 'The database key file'
complete -c keyhaven-cli -n "__fish_seen_subcommand_from import totp info ls show find passwd convert" -l no-password -d 'The database has no password'
complete -c keyhaven-cli -n "__fish_seen_subcommand_from import totp info ls show find export passwd convert" -l allow-slow-kdf -d 'Derive a key that may take minutes'
complete -c keyhaven-cli -n "__fish_seen_subcommand_from import" -l source-key-file -r -F -d 'The key file of a .kdbx SOURCE'
complete -c keyhaven-cli -n "__fish_seen_subcommand_from import" -l source-no-password -d 'The .kdbx SOURCE has no password'
complete -c keyhaven-cli -n "__fish_seen_subcommand_from show" -l show-protected -d 'Show the protected fields of an entry'
complete -c keyhaven-cli -n "__fish_seen_subcommand_from convert" -l lossy -d 'Convert a database even if part of it is lost'
complete -c keyhaven-cli -n "__fish_seen_subcommand_from passwd" -l upgrade -d 'Write a KDBX 3.1 database as KDBX 4'
complete -c keyhaven-cli -n "__fish_seen_subcommand_from totp" -l at -x -d 'The time in seconds since 1970'
complete -c keyhaven-cli -n "__fish_seen_subcommand_from export" -l format -x -a "text csv kdbx" -d 'The output format'
complete -c keyhaven-cli -n "__fish_seen_subcommand_from export" -s o -r -F -d 'The output file'
complete -c keyhaven-cli -n "__fish_seen_subcommand_from export" -l crlf -d 'End text lines with CR LF'
complete -c keyhaven-cli -n "__fish_seen_subcommand_from export" -l key-file -r -F -d 'The key file of the KeePass database'
complete -c keyhaven-cli -n "__fish_seen_subcommand_from export" -l no-password -d 'The KeePass database has no password'
complete -c keyhaven-cli -n "__fish_seen_subcommand_from find" -l match-case -d 'Match upper and lower case'
complete -c keyhaven-cli -n "__fish_seen_subcommand_from find" -l whole-word -d 'Match whole words only'
complete -c keyhaven-cli -n "__fish_seen_subcommand_from generate" -l flags -x -d 'Character classes'
complete -c keyhaven-cli -n "__fish_seen_subcommand_from generate" -l begin -x -d 'Range begin'
complete -c keyhaven-cli -n "__fish_seen_subcommand_from generate" -l end -x -d 'Range end'
complete -c keyhaven-cli -n "__fish_seen_subcommand_from generate" -l length -x -d 'Length'
complete -c keyhaven-cli -n "__fish_seen_subcommand_from generate" -l seed -x -d 'Seed in seconds'
complete -c keyhaven-cli -n "__fish_seen_subcommand_from find" -l all-fields -d 'Search every field but the password'
complete -c keyhaven-cli -n "__fish_seen_subcommand_from audit" -l hibp -r -F -d 'The breach list ordered by hash'
complete -c keyhaven-cli -n "__fish_seen_subcommand_from audit" -l threshold -x -a "poor weak reasonable good excellent" -d 'The weakest strength accepted'
