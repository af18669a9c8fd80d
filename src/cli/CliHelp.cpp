// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliHelp.h"

#include <string>

const char* CliUsageText() {
    return R"(Usage:
  keyhaven-cli info FILE [--key-file PATH] [--no-password] [--allow-slow-kdf]
  keyhaven-cli ls FILE [--key-file PATH] [--no-password] [--allow-slow-kdf]
  keyhaven-cli show FILE GROUP ACCOUNT [--show-protected] [--key-file PATH] [--no-password]
                        [--allow-slow-kdf]
  keyhaven-cli export FILE [--format text|csv|kdbx] [-o OUT] [--crlf] [--key-file PATH]
                          [--no-password] [--allow-slow-kdf]
  keyhaven-cli create FILE [--key-file PATH]
  keyhaven-cli passwd FILE [--key-file PATH] [--no-password] [--allow-slow-kdf] [--upgrade]
  keyhaven-cli generate [--flags N] [--begin N] [--end N] [--length N] [--seed SECONDS]
  keyhaven-cli convert IN OUT [--lossy] [--key-file PATH] [--no-password] [--allow-slow-kdf]
  keyhaven-cli find FILE TEXT [--match-case] [--whole-word] [--all-fields] [--key-file PATH]
                        [--no-password] [--allow-slow-kdf]
  keyhaven-cli import FILE SOURCE [--key-file PATH] [--no-password] [--source-key-file PATH]
                        [--source-no-password] [--allow-slow-kdf]
  keyhaven-cli audit FILE [--hibp LIST] [--threshold WORD]
  keyhaven-cli totp FILE GROUP ACCOUNT [--at SECONDS] [--key-file PATH] [--no-password]
                        [--allow-slow-kdf]
  keyhaven-cli COMMAND --help | --help | --version
)";
}

const char* CliHelpText() {
    static const std::string strHelp =
        std::string(R"(keyhaven-cli - read, create and re-key Keyhaven password files (.pwd, .khv)

Every command that takes a FILE reads both formats, chosen by the extension:
  .pwd  the classic format: anyone who has the file (or a backup of it) can
        read its contents without the KEY and recover the KEY itself (the
        file stores a value from which the KEY can be worked out)
  .khv  the protected format: the same records sealed under the KEY with
        Argon2id and XChaCha20-Poly1305; nothing in it, not even the counts
        of info, can be read without the KEY
info, ls, show, find and export also read a KeePass database (.kdbx, see
"KeePass databases" below).

)") + CliUsageText() +
        R"~(
Commands:
  info FILE      Show the file's header without asking for its KEY (a .khv
                 file asks for it: its header fields are sealed too):
                   key: present          (or "key: absent": the file has no KEY)
                   generate: N           generator flags stored in the file
                   length: TEXT          generator length text (may be empty)
                   begin: TEXT           generator range begin text (may be empty)
                   end: TEXT             generator range end text (may be empty)
                   groups: N             number of groups
                   accounts: N           number of accounts
                 An empty (zero-byte) file shows "key: absent" and the
                 defaults 39, 6, 5, 8 with no groups and no accounts.
                 A .kdbx FILE: see "KeePass databases" in --help.
  ls FILE        List the tree as the desktop program shows it: the file's
                 label (its name without the ".pwd" or ".khv" extension) on the first
                 line, then every group indented by two blanks, each followed
                 by its accounts indented by four blanks. Groups are sorted
                 alphabetically ignoring case, and so are the accounts of each
                 group; names equal but for case keep their order in the file.
                 Accounts stored before the first group (only damaged files
                 have them) belong to no group: they are listed first, right
                 after the label, indented by four blanks. A .kdbx FILE:
                 see "KeePass databases" in --help.
  show FILE GROUP ACCOUNT [--show-protected]
                 Print one account in the export layout (below). GROUP and
                 ACCOUNT are exact, case-sensitive names. An empty GROUP ("")
                 also reaches the accounts stored before the first group.
                 A GROUP or ACCOUNT that does not exist is reported on
                 standard error with exit status 2. A .kdbx FILE and
                 --show-protected: see "KeePass databases" in --help.
  export FILE [--format text|csv|kdbx] [-o OUT] [--crlf] [--key-file PATH] [--no-password]
                 Write every group and account in the file's own record order
                 (not the sorted order of ls). The text format (the default)
                 lays them out exactly as the desktop program's File > Export
                 does. Line ends are "\n", or "\r\n" with --crlf; line breaks
                 inside comments are kept as stored. The csv format writes
                 the header Group,Title,Username,Password,URL,Notes,E-mail
                 and one row per account, every name and field in double quotes
                 (quotes doubled), rows and line breaks in comments as "\n";
                 the Group column holds the path "Root/GROUP", as the exports
                 that import reads do. Without -o the text goes to standard output. With -o it
                 replaces OUT in one step with a new file of yours, mode
                 0600, as it holds every password in plain text; OUT may not
                 be FILE, another user's file, or a link that someone else
                 left in a shared folder such as /tmp (exit status 4).
                 The kdbx format writes a KeePass database (KDBX 4.0:
                 Argon2id over 128 MiB with 3 passes, ChaCha20, compressed)
                 that KeePassXC, KeePass and the other managers of that
                 family open; it needs -o OUT, which gets the same rules.
                 It reads the KEY of FILE, then the database's new password
                 (twice on a terminal). The groups are nested by splitting
                 their names on "/" under one root group "Root"
                 ("Banking/Cards" becomes Cards inside Banking); an
                 account's name, user name, password, web site and comments
                 become Title, UserName, Password, URL and Notes (line
                 breaks as "\n"), its e-mail the custom field "E-mail".
                 With --key-file PATH the database also needs that key
                 file (an XML key file, 32 bytes, 64 hex digits, or any
                 other file, which is hashed), with --no-password only the
                 key file. From a .pwd FILE the password must differ from
                 its KEY (exit status 1), since the KEY of a .pwd can be
                 recovered from any copy of it. An empty password needs a
                 key file. A .kdbx FILE: see "KeePass databases" in --help.
  create FILE    Create a new password file holding the single group
                 "My Passwords", protected by a new KEY. An existing FILE is
                 never replaced (exit status 4). A FILE without an extension
                 gets ".khv" (create Home makes Home.khv); a FILE ending in
                 .khv is made in the protected format, any other in the
                 classic one. A FILE ending in .kdbx is a new empty KeePass
                 database instead (see "KeePass databases").
  passwd FILE    Change the KEY of FILE: reads the original KEY, then the new
                 KEY, and rewrites FILE with every field enciphered under the
                 new KEY. Giving the same KEY again leaves FILE byte for byte
                 the same (a .khv FILE is sealed anew, with a fresh salt and
                 nonce). A read-only FILE is refused (exit status 4), and
                 so is a FILE that another program changed or removed while
                 the KEYs were typed: nothing is written then.
                 For a KeePass database (FILE ends in .kdbx) it reads the
                 database's password (none with --no-password; its key file
                 with --key-file), then the new password, and writes FILE
                 again as KDBX 4 with fresh seeds: the key file, the key
                 derivation and every entry, group and setting stay as
                 they were. A KDBX 3.1 FILE is written only with --upgrade
                 (exit status 2 otherwise), since older programs cannot read
                 KDBX 4. An empty new password needs a key file.
  convert IN OUT [--lossy] [--key-file PATH] [--no-password] [--allow-slow-kdf]
                 Write the records of IN to the new file OUT in the format
                 that OUT's extension names (.pwd, .khv or .kdbx). Reads the KEY of
                 IN; between .pwd and .khv (either way) it then reads a new
                 KEY for OUT, since the KEY of a .pwd can be recovered from
                 any copy of it and must never open a .khv. A new KEY equal
                 to the old one is refused (exit status 1) and OUT is not
                 written. Between files of the same format the KEY stays.
                 An existing OUT is never replaced (exit status 4).
                 Converting to .pwd warns on standard error that the result
                 can be read, and its KEY recovered, without the KEY.
                 A .kdbx IN (opened as ls opens one) becomes accounts as
                 import makes them: a group's path becomes one name "A/B",
                 the first custom field named E-mail the account's e-mail.
                 Whatever OUT cannot keep is named first, one line per kind:
                 characters of other code pages (those entries are left
                 out), nested groups, names longer than 255 characters (cut),
                 custom fields, attachments, history,
                 one-time passwords, tags, expiry dates, the recycle bin,
                 custom icons and groups' notes. Then nothing is written and the exit
                 status is 1, unless --lossy is given: the list is then a
                 warning and OUT is written. A .pwd OUT whose KEY is the
                 database's password is refused (exit status 1).
                 A .pwd or .khv IN and a .kdbx OUT: as export --format kdbx
                 -o OUT (--key-file and --no-password name OUT's key), but
                 OUT is never replaced; nothing is lost that way. A .kdbx
                 IN and OUT are refused (exit status 2): passwd changes a
                 database's password.
  import FILE SOURCE [--key-file PATH] [--no-password] [--source-key-file PATH]
         [--source-no-password] [--allow-slow-kdf]
                 Add the entries of a KeePass database (SOURCE ends in
                 .kdbx) or of another password manager's CSV export (SOURCE
                 ends in .csv) to FILE as accounts.
                 A KeePass database (KDBX 3.1 or 4.x) is opened with its
                 password, read after the KEY of FILE, and with the key file
                 of --key-file; --no-password opens it with the key file
                 alone. A group's name is its path below the root joined by
                 "/" ("Banking/Cards"); entries directly in the root go to a
                 group named after the root. The recycle bin and entry
                 history are left out, and so is what no account can carry
                 (other custom fields, attachments, one-time passwords,
                 tags, expiry), counted in the summary; a custom field named
                 E-mail or Email (any case) gives the e-mail, and field
                 references ({REF:P@I:...}) are resolved. A wrong password
                 or key file (exit status 1) and a damaged database (exit
                 status 3) leave FILE untouched.
                 A database whose key derivation would take minutes (more
                 than 400000000 AES-KDF rounds, or Argon2 over more than
                 1 GiB of memory or more than 16 GiB of memory times
                 passes) is refused before anything is typed (exit status
                 3) unless --allow-slow-kdf is given; one beyond 10^11
                 rounds, 4 GiB, 1 TiB of memory times passes or 128 lanes
                 is always refused. Reading takes at most the
                 larger of 64 MB and the derivation's memory, plus 8 times
                 SOURCE, plus twice the XML inside it.
                 Of a CSV export the first line names the columns and so
                 the kind of export; any other header is refused (exit
                 status 3):
                   KeePassXC: Group, Title, Username, Password, URL, Notes
                     (also TOTP and E-mail). Group holds the path from the
                     root group: the root's name is dropped when the path
                     has more parts, so "Root/Banking/Cards" becomes the
                     group "Banking/Cards" and "Root" the group "Root".
                   Bitwarden: folder, name, notes, login_uri,
                     login_username, login_password (also type, fields and
                     login_totp). The folder is the group, an empty one
                     "(no folder)"; a secure note becomes an account with
                     only comments; a custom field named E-mail or Email
                     (any case) gives the e-mail.
                   1Password: Title, Url, Username, Password, OTPAuth,
                     Favorite, Archived, Tags, Notes; Safari: Title, URL,
                     Username, Password, Notes, OTPAuth. Every account goes
                     to the group "Imported".
                   LastPass: url, username, password, extra, name, grouping
                     (also totp and fav). The grouping is the group, its
                     folders nested with "\"; a secure note's web address
                     "http://sn" is dropped.
                   Dashlane: username, title, password, note, url, category
                     (also username2, username3, otpSecret or otpUrl). The
                     category is the group.
                   NordPass: name, url, username, password, note, folder,
                     type (also additional_urls, email, shared_folder and
                     custom_fields). The shared folder and the folder are
                     the group; a folder's own row is skipped.
                   Proton Pass: type, name, url, username, password, note,
                     vault (also email, totp, autofillUrls). The vault is
                     the group.
                   Chrome, Chromium, Firefox: url, username, password (also
                     name and note). Every account goes to the group
                     "Imported"; the name, or without one the web site's
                     host, is the account's name. Firefox's own
                     chrome://FirefoxAccounts login is skipped.
                 Title, user name, password, URL, notes and e-mail become the
                 account's name, user name, password, web site (the first of
                 several), comments (line breaks as "\r\n") and e-mail. An
                 entry in no folder goes to "(no folder)", an empty group
                 name becomes "(no name)", an empty title "(no title)"; names
                 are cut to 255 characters. A group that FILE already has
                 receives the accounts; a name its group already holds gets
                 the next free " (2)", " (3)"... An entry with a character
                 the code page cannot hold is not imported; it is named in
                 the summary, which goes to standard error: "Imported N
                 accounts in M groups; left out: ..." with the
                 one-time-password settings, tags, custom fields and further
                 web sites that no account can carry, and the name of every
                 column whose values no account received (a favourite or
                 archived mark only when set). FILE is written once, in one
                 step, and not at all when another program changed it while
                 its KEY was typed (exit status 4).
                 A FILE ending in .kdbx is a KeePass database that receives
                 the entries as they are, in nested groups: see "KeePass
                 databases" (--key-file and --no-password then open FILE).
  find FILE TEXT [--match-case] [--whole-word] [--all-fields]
                 Print every item whose label contains TEXT, in the order the
                 desktop program's Find Next reaches them from the first
                 group: groups and accounts in the order of ls, then the
                 file's label when it matches. Each line holds the labels
                 from the file's label down to the item, separated by a TAB.
                 Letters match either case unless --match-case is given.
                 With --whole-word a match counts only where the characters
                 before and after it are not letters A-Z, a-z or "_" (digits,
                 blanks and punctuation separate words). The exit status is 0
                 whether or not anything matched.
                 --all-fields  the rule of the program's filter instead: every
                 account whose account name, user name, web site, e-mail or
                 comments together hold each word of TEXT (split at blanks,
                 in any order, ignoring case and accents such as "e" for
                 "é"), one line each as above, in the order of ls.
                 Passwords are never searched; TEXT's words are never
                 combined with --match-case or --whole-word. A .kdbx FILE:
                 see "KeePass databases" in --help.
  audit FILE [--hibp LIST] [--threshold WORD]
                 Check every account's password and print one line for each
                 account with a finding, worst first: GROUP TAB ACCOUNT TAB
                 the findings, "; " between them:
                   empty
                   weak (N bits, WORD)   the zxcvbn estimate is below the
                                         threshold (default "reasonable"; the
                                         words are poor, weak, reasonable,
                                         good, excellent)
                   used by N accounts (set K)   the same password in several
                                         accounts; each set's lines stand
                                         together
                   seen N times in breaches     with --hibp: LIST is the
                                         downloaded Have I Been Pwned list of
                                         SHA-1 hashes ordered by hash, searched
                                         on disk; nothing is sent anywhere
                 The exit status is 0 when nothing was found, 1 when something
                 was (for scripts), 3 when LIST cannot be read or is not
                 ordered by hash.
  totp FILE GROUP ACCOUNT [--at SECONDS] [--key-file PATH] [--no-password]
                 [--allow-slow-kdf]
                 Print the current one-time code of an entry of a KeePass
                 database (FILE ends in .kdbx; its password is read like a
                 KEY, --key-file, --no-password and --allow-slow-kdf as for
                 import). GROUP is the path of the entry's group below the
                 root group, names joined by "/" (the root group's own name
                 for the root); ACCOUNT is the entry's title. The settings
                 come from the entry's "otp" field (an otpauth:// URI) or its
                 "TOTP Seed" and "TOTP Settings" fields. Time-based codes
                 follow RFC 6238, counter-based ones RFC 4226 at the stored
                 counter (which is not advanced); Steam codes are 5
                 characters.
                 --at SECONDS  the code at this time in seconds since 1970
                               instead of now
                 .pwd and .khv files hold no one-time passwords.
  generate       Print one random password and a line end.
                 --flags N    character classes, added up (default 39):
                                1 upper-case letters A-Z
                                2 lower-case letters a-z
                                4 digits 0-9
                                8 special characters (printable ASCII that is
                                  neither letter, digit nor space)
                               16 the space
                               32 draw the length from the range begin..end
                                  instead of using --length
                              Without any of 1, 2, 4, 8, 16 the password is
                              empty (an empty line is printed).
                 --begin N    first bound of the length range (default 5)
                 --end N      second bound of the length range (default 8);
                              the bounds may be given in either order
                 --length N   fixed length when 32 is not set (default 6).
                              A length below 1 gives one character; at most
                              4096 characters are made.
                 --seed SECONDS
                              run the reproducible generator of the password
                              file format, seeded with this time in seconds
                              since 1970: the same seed and numbers always
                              give the same password. Such a password can be
                              guessed by whoever knows roughly when it was
                              made. Without --seed every character comes from
                              the system's secure random source.
  --help, -h     Show this text; after a command, that command's usage.
  --version, -v  Show the version.

Options take their value as the next argument or after "=" (--seed=5). The
argument "--" ends the options, for names that begin with "-":
  keyhaven-cli show Home.pwd -- -Bank- Savings

KeePass databases:
  info, ls, show, find and export read a FILE ending in .kdbx (KDBX 3.1 or 4.x,
  in any case) with its password, read like a KEY ("Password for:  NAME"),
  and with --key-file PATH its key file; --no-password opens it with the key
  file alone, and --allow-slow-kdf lets a key derivation that would take
  minutes run, as for import. These options are refused for a .pwd or .khv
  FILE (exit status 2). A wrong password or key file is exit status 1, a
  database that cannot be read 3. A group is named by its path below the
  root group, names joined by "/" ("Work/Mail"); the root group by its own
  name. Entry history is never shown or searched, and the recycle bin is left
  out of ls, find and export (show still reaches it by its path). Texts are
  the database's own UTF-8; the code page plays no part.
  info         the database's facts, one "LABEL: VALUE" a line:
                 format: KDBX 4.0      (or 4.1, 3.1)
                 cipher: AES-256       (or ChaCha20, Twofish)
                 compression: gzip     (or none)
                 key derivation: Argon2id   (or Argon2d), then
                   memory: 64 MiB, iterations: N, parallelism: N;
                   or AES-KDF, then rounds: N
                 name: TEXT            Meta's DatabaseName (may be empty)
                 generator: TEXT       the program that wrote it (may be empty)
                 groups: N             groups below the root group
                 accounts: N           entries
                 history items: N      the history kept of these entries
                 attachments: N        the files attached to these entries
               Groups and entries are counted as ls lists them (no recycle
               bin, no history); history items and attachments are those of
               the counted entries.
  ls           the database's label (its name without ".kdbx"), then every
               group indented by two blanks more per level below the root,
               each followed by its entries' titles indented two blanks
               further, then the groups inside it, all in the file's order
               (not sorted).
  show         the entry's Title, UserName, Password, URL, its first custom
               field named E-mail or Email (any case) and Notes in the
               export layout, then every other custom field as "NAME: VALUE"
               in the file's order, and an empty line. A protected custom
               field shows "(protected)" unless --show-protected is given;
               the Password is shown, as an account's is.
  find         every entry whose title contains TEXT, ignoring case and
               accents ("почта" finds "Почта") unless --match-case: FILE's
               label, the group's path and the title, separated by a TAB,
               in the order of ls. --whole-word as above without
               --match-case counts any letter or digit of any script as a
               part of a word. With --all-fields every word of TEXT must be
               in one of the entry's texts (title, user name, URL, notes,
               custom fields); neither the password nor a protected field is
               searched.
  create       a new empty KeePass database (KDBX 4, Argon2id over 128 MiB,
               ChaCha20) whose root group is named after the file's label,
               under a new password ("New password for:  NAME", asked twice
               on a terminal) and with --key-file PATH that key file; an
               empty password needs a key file. An existing FILE is never
               replaced (exit status 4), and nothing stays behind when the
               write fails.
  import       adds the entries of SOURCE (a CSV export or another KeePass
               database, read as for a password file) to the database FILE:
               each into the group of its path, nested below the root group
               ("Work/Mail" is the group Mail inside Work) and made when
               missing, with its title, user name, password, URL, notes and
               e-mail (the custom field "E-mail"), from a .kdbx SOURCE also
               every other custom field (one-time passwords among them,
               unprotected), names in Unicode as given. Attachments, tags,
               expiry and a CSV export's further fields are left out and
               counted in the summary.
               A title its group already holds gets the next free " (2)",
               " (3)"... --key-file and --no-password open FILE; a .kdbx
               SOURCE is opened with --source-key-file PATH and
               --source-no-password. FILE's password is read first, then
               SOURCE's. FILE is written as KDBX 4 once, in one step, only
               when something was imported, and not at all when another
               program changed it meanwhile (exit status 4); a KDBX 3.1
               FILE is refused (exit status 2: passwd --upgrade it first).
               The summary is the one above.
  export       the text format: each group's banner with its path, then its
               entries as show gives them with every protected field shown;
               the csv format: the Group column holds the root group's name
               and the path below it ("Root/Work/Mail"), the E-mail column
               the field show puts under E-Mail. --format kdbx is refused
               (exit status 2): the database is one already.

KEYs:
  A KEY is never given on the command line.
  - When standard input is not a terminal, every KEY is one line of it. Only
    the line end ("\n" or "\r\n") is removed; blanks and everything else
    belong to the KEY. ls, show, export, find: one line, the KEY. create: one line,
    the new KEY (for a .kdbx FILE its new password). import: one line, the
    KEY of FILE, then for a .kdbx SOURCE one line, its password (none with
    --no-password); into a .kdbx FILE, its password (none with
    --no-password), then for a .kdbx SOURCE its password (none with
    --source-no-password). ls, show, find, export of
    a .kdbx FILE: one line, its password (none with --no-password).
    export --format kdbx: the KEY of FILE, then the database's new password.
    passwd: two lines, the original KEY and then the new KEY (for a .kdbx
    FILE, the password and then the new password).
    convert between .pwd and .khv: two lines, the KEY of IN and then the
    new KEY of OUT; between two .pwd or two .khv files one line, the KEY of
    IN; from a .kdbx IN: its password (none with --no-password), then the
    new KEY of OUT; to a .kdbx OUT: the KEY of IN, then OUT's new password. info: one line, the
    KEY (asked only for a .khv), or a .kdbx FILE's password.
  - On a terminal the program asks on standard error, "KEY for:  NAME" (NAME
    is the file's name), and reads the KEY without echoing it. A new KEY
    (create, passwd, convert between formats) is asked for twice; when the two differ the command
    stops with "New KEYs do not mach!".
  - KEYs are UTF-8 text and are turned into the file's code page
    (windows-1252) before use, so a KEY opens the same files as in the
    desktop program. A KEY with a character that code page cannot hold is
    refused (exit status 2). A KEY line longer than 65536 bytes is refused,
    and so is missing input where a KEY should be (exit status 2).
  - An empty new KEY is refused (exit status 1).

Output:
  All output is UTF-8: texts stored in the file's code page (windows-1252)
  are converted. GROUP and ACCOUNT arguments are UTF-8 and are converted the
  other way; a character the code page cannot hold is refused (exit status 2),
  never replaced. Messages go to standard error.
  On a terminal, control characters in names and fields (an escape sequence
  in an imported title, C1 controls) and bytes that are no UTF-8 are shown
  escaped: \t, \n, \r, \x1b, \u009b; in ls, find and audit a name's
  own TABs and line breaks too, so that it keeps to its column and line.
  Anywhere else (a pipe, a file) standard output is exact: every command
  prints the names and values as stored, so that scripts can hand them back
  to show. Messages and prompts on standard error are always escaped.

Export layout (export and show), for each record:
  a group:     "============= " GROUP " =============" and an empty line
  an account:  "Account" TAB TAB ACCOUNT
               "User Name" TAB USER-NAME
               "Password" TAB PASSWORD
               "Web Site" TAB WEB-SITE
               "E-Mail" TAB TAB E-MAIL
               "Comments" TAB COMMENTS
               and an empty line.

Exit status:
  0  done
  1  the KEY is wrong, the new KEY is empty, the two new KEYs differ, the
     new KEY of convert is the old one, the password or key file of a
     KeePass database is wrong, its new password is the KEY of the .pwd FILE
     or empty without a key file, or the file has no KEY (open it in the desktop program to create one);
     for convert also: OUT cannot keep all of a .kdbx IN and --lossy was not given;
     for audit also: a password has a finding
  2  usage: unknown command or option, missing or extra arguments, a number
     that is not a whole number in range, missing or unusable KEY input, a
     character the code page cannot hold, a GROUP or ACCOUNT (show, totp)
     that the file does not have, an entry without a one-time password, a
     .pwd or .khv FILE for totp, or an option of KeePass databases given
     with a .pwd or .khv FILE, --source-key-file or --source-no-password
     without a .kdbx FILE and SOURCE, or a KDBX 3.1 FILE for import
  3  the file cannot be read or is not a password file (for example
     "Unexpected file format.", also for a .khv file that was damaged or
     changed: every byte of it is checked), or there is not enough memory
     to open a .khv file (its KEY was not judged), or the SOURCE of import
     cannot be read, is a damaged or unsupported KeePass database (or one
     whose key derivation would take minutes, without --allow-slow-kdf), has a header of no known export, a quote that is
     never closed, or more than 1000000 entries; for totp, ls, show, find
     and export the database cannot be read, and for totp its one-time
     password settings cannot be used
  4  a file cannot be written (FILE for create, passwd and import, OUT for export and
     convert, or standard output), create or convert was given a file that
     already exists, OUT is another user's or a planted link, or passwd
     found FILE changed by another program
)~";
    return strHelp.c_str();
}

std::string CliCommandHelp(const std::string& strUsage) {
    // The usage line is "keyhaven-cli NAME ..."; the command's part of the
    // full text starts with NAME indented by two blanks and runs to the next
    // line indented that little.
    const std::string strName = strUsage.substr(0, strUsage.find(' ', 13)).substr(13);
    const std::string strHelp = CliHelpText();
    const std::size_t nCommands = strHelp.find("\nCommands:\n");
    std::string strPart;
    for (std::size_t nLine = strHelp.find('\n', nCommands + 1) + 1;
         nLine < strHelp.size() && strHelp[nLine] == ' ';) {
        const std::size_t nEnd = strHelp.find('\n', nLine) + 1;
        const bool bStart = strHelp[nLine + 1] == ' ' && strHelp[nLine + 2] != ' ';
        if (bStart && !strPart.empty())
            break;
        if (!strPart.empty() ||
            (bStart && strHelp.compare(nLine + 2, strName.size(), strName) == 0 &&
             strHelp[nLine + 2 + strName.size()] == ' '))
            strPart += strHelp.substr(nLine, nEnd - nLine);
        nLine = nEnd;
    }
    return "Usage: " + strUsage + "\n\n" + strPart;
}
