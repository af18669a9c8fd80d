#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What a KeePass entry holds beyond its six texts, edited in the real
# program: in the account dialog of an entry that keepassxc-cli made with an
# earlier version in its history, that version is restored on the History
# tab and tags are typed on the Properties tab. After File > Save
# keepassxc-cli reads the restored password, and the saved XML holds the
# tags, the custom field untouched and both earlier versions (the one
# restored and the one the restore replaced).
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/view_lib.sh"
e2e_begin kdbx_account_tabs
view_start_a11y

mkdir -p "$E2E_DIR/files"
database="$E2E_DIR/files/Vault.kdbx"
cat >"$E2E_DIR/vault.xml" <<'XML'
<?xml version="1.0" encoding="utf-8" standalone="yes"?>
<KeePassFile><Meta><Generator>e2e</Generator></Meta><Root><Group>
<UUID>AQEBAQEBAQEBAQEBAQEBAQ==</UUID><Name>Root</Name><Group>
<UUID>AgICAgICAgICAgICAgICAg==</UUID><Name>Работа</Name><Entry>
<UUID>EREREREREREREREREREREQ==</UUID>
<Times><LastModificationTime>2026-11-02T10:00:00Z</LastModificationTime></Times>
<String><Key>Title</Key><Value>Wiki</Value></String>
<String><Key>UserName</Key><Value>writer</Value></String>
<String><Key>Password</Key><Value>wiki-new</Value></String>
<String><Key>PIN</Key><Value>2468</Value></String>
<History><Entry><UUID>EREREREREREREREREREREQ==</UUID>
<Times><LastModificationTime>2026-10-01T10:00:00Z</LastModificationTime></Times>
<String><Key>Title</Key><Value>Wiki</Value></String>
<String><Key>UserName</Key><Value>writer</Value></String>
<String><Key>Password</Key><Value>wiki-old</Value></String>
<String><Key>PIN</Key><Value>2468</Value></String>
</Entry></History>
</Entry></Group></Group></Root></KeePassFile>
XML
printf 'e2e-pw\ne2e-pw\n' |
    keepassxc-cli import -q -t 100 -p "$E2E_DIR/vault.xml" "$database" >"$E2E_DIR/keepassxc.log" 2>&1 ||
    e2e_fail "keepassxc-cli could not make the database (keepassxc.log)"

e2e_start_app "$database"
VIEW_APP=$E2E_LAST_PID
dialog=$(e2e_wait_window "Open KeePass Database")
e2e_type_into "$dialog" "e2e-pw"
e2e_wait_gone "$dialog"
VIEW_MAIN=$(e2e_wait_main_window)
e2e_activate "$VIEW_MAIN"
view_click_at "$(view_centre "$(view_wait_control "$VIEW_APP" Accounts)")"
e2e_key Home Down Down
e2e_until 10 view_text_is "$VIEW_APP" "User Name" text "writer" || e2e_fail "Wiki is not shown"

DIALOG_TITLE="Edit the Account"
e2e_key ctrl+e
dialog=$(e2e_wait_dialog "$DIALOG_TITLE")
e2e_activate "$dialog"
view_click_at "$(view_centre "$(dialog_find History "page tab")")"
# The list's rows are not controls on the bus: the keyboard selects the
# only earlier version.
view_click_at "$(view_centre "$(dialog_find "Earlier versions")")"
e2e_key Home
view_click_at "$(view_centre "$(dialog_find "Restore version" "push button")")"
e2e_screenshot history-restored
# Restoring takes the whole earlier version; the tags come after it.
view_click_at "$(view_centre "$(dialog_find Properties "page tab")")"
view_click_at "$(view_centre "$(dialog_find Tags text)")"
xdotool type --delay 60 -- "работа; web"
e2e_until_output 5 "работа; web" dialog_text Tags text ||
    e2e_fail "the tags field shows \"$(dialog_text Tags text)\""
view_click_at "$(view_centre "$(dialog_find OK "push button")")"
e2e_wait_gone "$dialog"

e2e_key ctrl+s
question=$(e2e_wait_dialog "Keyhaven")
view_click_at "$(view_centre "$(view_wait_control "$VIEW_APP" Yes "push button")")"
e2e_wait_gone "$question"
shown() { printf 'e2e-pw\n' | keepassxc-cli show -q -s "$database" 'Работа/Wiki' 2>&1; }
# The save ends after the question has gone: ask again until it has.
restored_saved() { shown | grep -x 'Password: wiki-old' >/dev/null; }
e2e_until 15 restored_saved ||
    e2e_fail "keepassxc-cli does not read the restored password: $(shown)"

printf 'e2e-pw\n' | keepassxc-cli export -q --format xml "$database" >"$E2E_DIR/after.xml" ||
    e2e_fail "keepassxc-cli cannot read the saved database"
/usr/bin/python3 - "$E2E_DIR/after.xml" <<'PY' || e2e_fail "the saved entry is not as edited"
import sys
import xml.etree.ElementTree as ET

def strings(entry):
    return {s.findtext("Key"): s.findtext("Value") for s in entry.findall("String")}

root = ET.parse(sys.argv[1]).getroot()
entry = next(e for e in root.iter("Entry") if strings(e).get("Title") == "Wiki")
problems = []
# keepassxc-cli writes tags its own way (sorted, joined by ",").
if sorted(entry.findtext("Tags").replace(";", ",").split(",")) != ["web", "работа"]:
    problems.append(f"tags {entry.findtext('Tags')!r}")
if strings(entry).get("PIN") != "2468":
    problems.append(f"PIN {strings(entry).get('PIN')!r}")
history = [strings(e).get("Password") for e in entry.find("History").findall("Entry")]
if history != ["wiki-old", "wiki-new"]:
    problems.append(f"history {history!r}")
if problems:
    sys.exit("; ".join(problems))
PY
e2e_app_running "$VIEW_APP" || e2e_fail "the program ended"
e2e_log "PASS"
