#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# File > Import of another manager's CSV export in the real program: the file
# dialog takes the source, a clash with an account of the demo file asks the
# Account Replace Confirm question (answered Yes), the summary shows in a
# message box, the new group's account shows in the tree. Then a KeePass
# database made by keepassxc-cli: its password typed into the key dialog,
# its account shown. The file saved with File > Save holds every imported
# account when keyhaven-cli reads it back.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/view_lib.sh"
e2e_begin import_csv
view_start_a11y

source_csv="$E2E_DIR/files/export.csv"
mkdir -p "$E2E_DIR/files"
cat >"$source_csv" <<'CSV'
"Group","Title","Username","Password","URL","Notes"
"Root/Travel","Airline","flyer","fly-123","https://air.example/","seat, window"
"Root/Email","Chat","new-chatter","chat-456","",""
CSV

# A KeePass database as keepassxc-cli makes it, from its own XML.
database="$E2E_DIR/files/trips.kdbx"
cat >"$E2E_DIR/trips.xml" <<'XML'
<?xml version="1.0" encoding="utf-8" standalone="yes"?>
<KeePassFile><Meta><Generator>e2e</Generator></Meta><Root><Group>
<UUID>AQEBAQEBAQEBAQEBAQEBAQ==</UUID><Name>Root</Name><Group>
<UUID>AgICAgICAgICAgICAgICAg==</UUID><Name>Trips</Name><Entry>
<UUID>EREREREREREREREREREREQ==</UUID>
<String><Key>Title</Key><Value>Ferry</Value></String>
<String><Key>UserName</Key><Value>sailor</Value></String>
<String><Key>Password</Key><Value>wave-789</Value></String>
</Entry></Group></Group></Root></KeePassFile>
XML
printf 'e2e-pw\ne2e-pw\n' |
    keepassxc-cli import -q -t 100 -p "$E2E_DIR/trips.xml" "$database" >"$E2E_DIR/keepassxc.log" 2>&1 ||
    e2e_fail "keepassxc-cli could not make the database (keepassxc.log)"

view_open_demo Import.pwd
file="$E2E_DIR/files/Import.pwd"
listing() { printf 'demo\n' | "$KEYHAVEN_CLI" ls "$file"; }
field() {
    printf 'demo\n' | "$KEYHAVEN_CLI" show "$file" "$1" "$2" |
        awk -F '\t+' -v f="$3" '$1 == f { print $2; exit }'
}

e2e_activate "$VIEW_MAIN"
e2e_key alt+f i
dialog=$(e2e_wait_dialog "Select a file to import")
e2e_screenshot import-dialog
e2e_type_into "$dialog" "$source_csv"
e2e_wait_gone "$dialog"

# Email already holds a "Chat": the question a drop asks.
question=$(e2e_wait_dialog "Account Replace Confirm")
DIALOG_TITLE="Account Replace Confirm"
e2e_screenshot replace-question
view_click_at "$(view_centre "$(dialog_find Yes "push button")")"
e2e_wait_gone "$question"

summary="Imported 2 accounts in 2 groups; left out: nothing."
view_wait_control "$VIEW_APP" "$summary" >/dev/null
message=$(e2e_wait_dialog "Keyhaven")
e2e_screenshot summary
e2e_activate "$message"
xdotool key Return
e2e_wait_gone "$message"

# The imported group is open, its account shows as a row of the tree, and
# the first account imported is the one selected.
A11Y_CELLS=1 view_wait_control "$VIEW_APP" "Airline" >/dev/null
e2e_until 10 view_text_is "$VIEW_APP" "User Name" text "flyer" ||
    e2e_fail "Airline is not selected: \"$(view_control_text "$VIEW_APP" "User Name" text)\""
view_screenshot_main imported "$VIEW_MAIN"

# The database: its password typed into the key dialog (the password field
# has the focus).
e2e_activate "$VIEW_MAIN"
e2e_key alt+f i
dialog=$(e2e_wait_dialog "Select a file to import")
e2e_type_into "$dialog" "$database"
e2e_wait_gone "$dialog"
keydialog=$(e2e_wait_dialog "Open KeePass Database")
e2e_screenshot database-key
e2e_type_into "$keydialog" "e2e-pw"
e2e_wait_gone "$keydialog"
view_wait_control "$VIEW_APP" "Imported 1 account in 1 group; left out: nothing." >/dev/null
message=$(e2e_wait_dialog "Keyhaven")
e2e_activate "$message"
xdotool key Return
e2e_wait_gone "$message"
A11Y_CELLS=1 view_wait_control "$VIEW_APP" "Ferry" >/dev/null
e2e_until 10 view_text_is "$VIEW_APP" "User Name" text "sailor" ||
    e2e_fail "Ferry is not selected: \"$(view_control_text "$VIEW_APP" "User Name" text)\""

e2e_activate "$VIEW_MAIN"
e2e_key ctrl+s
e2e_until_output 10 fly-123 field Travel Airline Password ||
    e2e_fail "the saved file lacks Travel/Airline: $(listing)"
e2e_expect_eq "$(field Email Chat "User Name")" "new-chatter" "the replaced Chat's user name"
e2e_expect_eq "$(listing | grep -c '^    Chat$')" "1" "accounts named Chat"
e2e_expect_eq "$(field Travel Airline Comments)" "seat, window" "the imported comments"
e2e_expect_eq "$(field Trips Ferry Password)" "wave-789" "the database's password"
e2e_exit_from_menu "$VIEW_MAIN" "$VIEW_APP"
e2e_log "PASS"
