#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A KeePass database as the program's own file: one that keepassxc-cli made
# (KDBX 3.1, a custom field, notes, another program's meta data) opens with
# its password, an account with a Cyrillic name is typed into the Add Account
# dialog and File > Save, once the question to save it as KDBX 4 is answered
# Yes, writes the database in place. keepassxc-cli then finds the new
# account, and its view of every other part of the database is what it was
# before (times compared as times: 3.1 writes them as text, 4 as numbers).
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/view_lib.sh"
e2e_begin kdbx_window
view_start_a11y

mkdir -p "$E2E_DIR/files"
database="$E2E_DIR/files/Vault.kdbx"
cat >"$E2E_DIR/vault.xml" <<'XML'
<?xml version="1.0" encoding="utf-8" standalone="yes"?>
<KeePassFile><Meta><Generator>e2e</Generator><CustomData><Item><Key>other.program</Key>
<Value>kept</Value></Item></CustomData></Meta><Root><Group>
<UUID>AQEBAQEBAQEBAQEBAQEBAQ==</UUID><Name>Root</Name><Group>
<UUID>AgICAgICAgICAgICAgICAg==</UUID><Name>Работа</Name><Entry>
<UUID>EREREREREREREREREREREQ==</UUID>
<String><Key>Title</Key><Value>Wiki</Value></String>
<String><Key>UserName</Key><Value>writer</Value></String>
<String><Key>Password</Key><Value>wiki-123</Value></String>
<String><Key>Notes</Key><Value>line one
line two</Value></String>
<String><Key>PIN</Key><Value>2468</Value></String>
<String><Key>otp</Key><Value>otpauth://totp/Wiki:writer?secret=GEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQ&amp;period=30&amp;digits=6</Value></String>
</Entry></Group></Group></Root></KeePassFile>
XML
printf 'e2e-pw\ne2e-pw\n' |
    keepassxc-cli import -q -t 100 -p "$E2E_DIR/vault.xml" "$database" >"$E2E_DIR/keepassxc.log" 2>&1 ||
    e2e_fail "keepassxc-cli could not make the database (keepassxc.log)"
export_xml() { printf 'e2e-pw\n' | keepassxc-cli export -q --format xml "$database"; }
export_xml >"$E2E_DIR/before.xml" || e2e_fail "keepassxc-cli cannot read the database it made"

e2e_start_app "$database"
VIEW_APP=$E2E_LAST_PID
dialog=$(e2e_wait_window "Open KeePass Database")
e2e_type_into "$dialog" "e2e-pw"
e2e_wait_gone "$dialog"
VIEW_MAIN=$(e2e_wait_main_window)
e2e_activate "$VIEW_MAIN"

# --- the one-time code of the entry "Wiki" -----------------------------------
# The tree's rows are not controls on the bus: the keyboard walks from the
# file item to the group and its first account.
view_click_at "$(view_centre "$(view_wait_control "$VIEW_APP" Accounts)")"
e2e_key Home Down Down
e2e_until 10 view_text_is "$VIEW_APP" "User Name" text "writer" || e2e_fail "Wiki is not shown"
code_shown() { view_control_text "$VIEW_APP" "One-Time Code" text; }
code_pattern='^[0-9]{3} [0-9]{3} +\([0-9]+ s left\)$'
code_is_shown() { [[ "$(code_shown)" =~ $code_pattern ]]; }
e2e_until 5 code_is_shown || e2e_fail "the one-time code shows \"$(code_shown)\""
e2e_screenshot one-time-code
# Copied and computed within one period (a new one may begin in between).
for _ in 1 2; do
    view_click_at "$(view_centre "$(view_wait_control "$VIEW_APP" "Copy / Drag One-Time Code" "push button")")"
    sleep 0.5
    copied=$(e2e_clipboard)
    expected=$(printf 'e2e-pw\n' | keepassxc-cli show -q -t "$database" Работа/Wiki 2>/dev/null)
    [ "$copied" = "$expected" ] && break
done
[ "$copied" = "$expected" ] || e2e_fail "the copied code $copied is not keepassxc-cli's $expected"
e2e_activate "$VIEW_MAIN"

DIALOG_TITLE="Add Account"
e2e_key ctrl+a
dialog=$(e2e_wait_dialog "$DIALOG_TITLE")
e2e_activate "$dialog"
xdotool type --delay 60 -- "Почта"
xdotool key Tab
xdotool type --delay 40 -- "ivan"
xdotool key Tab
xdotool type --delay 40 -- "mail-pass"
e2e_until_output 5 Почта dialog_text Account text ||
    e2e_fail "the account field shows \"$(dialog_text Account text)\""
xdotool key Return
e2e_wait_gone "$dialog"
e2e_until 10 view_text_is "$VIEW_APP" "User Name" text "ivan" ||
    e2e_fail "the new account is not selected"
e2e_key ctrl+s
view_wait_control "$VIEW_APP" Yes "push button" >/dev/null
question=$(e2e_wait_dialog "Keyhaven")
e2e_screenshot upgrade-question
view_click_at "$(view_centre "$(view_wait_control "$VIEW_APP" Yes "push button")")"
e2e_wait_gone "$question"
# keepassxc-cli reads the saved file: one view holds both fields.
shown_account() { printf 'e2e-pw\n' | keepassxc-cli show -q -s "$database" 'Работа/Почта' 2>&1; }
account_saved() {
    local shown
    shown=$(shown_account)
    grep -qx 'UserName: ivan' <<<"$shown" && grep -qx 'Password: mail-pass' <<<"$shown"
}
e2e_until 15 account_saved || e2e_fail "keepassxc-cli does not find the account as typed: $(shown_account)"

# Everything else is as keepassxc-cli saw it before the save.
export_xml >"$E2E_DIR/after.xml" || e2e_fail "keepassxc-cli cannot read the saved database"
/usr/bin/python3 - "$E2E_DIR/before.xml" "$E2E_DIR/after.xml" <<'PY' || e2e_fail "the database changed beyond the new account"
import base64, datetime, struct, sys
import xml.etree.ElementTree as ET

YEAR_ONE = datetime.datetime(1, 1, 1, tzinfo=datetime.timezone.utc)

def seconds(text):
    if text and text.endswith("Z"):
        moment = datetime.datetime.strptime(text, "%Y-%m-%dT%H:%M:%SZ")
        return str(int((moment.replace(tzinfo=datetime.timezone.utc) - YEAR_ONE).total_seconds()))
    try:
        return str(struct.unpack("<q", base64.b64decode(text, validate=True))[0])
    except Exception:
        return text

def load(path, drop_title=None):
    root = ET.parse(path).getroot()
    meta = root.find("Meta")
    # What KDBX 4 keeps elsewhere or adds (the attachments' pool, the
    # settings' time), and the time keepassxc-cli stamps on every export.
    for name in ("Binaries", "SettingsChanged"):
        for element in meta.findall(name):
            meta.remove(element)
    for data in meta.findall("CustomData"):
        for item in list(data):
            if item.findtext("Key") == "_LAST_MODIFIED":
                data.remove(item)
    for group in root.iter("Group"):
        for entry in list(group.findall("Entry")):
            titles = [s.findtext("Value") for s in entry.findall("String") if s.findtext("Key") == "Title"]
            if titles == [drop_title]:
                group.remove(entry)
    for element in root.iter():
        if element.tag.endswith("Time") or element.tag.endswith("Changed"):
            element.text = seconds(element.text)
    return [f"{e.tag} {(e.text or '').strip()}\n" for e in root.iter()]

before, after = load(sys.argv[1]), load(sys.argv[2], "Почта")
if before != after:
    import difflib
    sys.stderr.writelines(difflib.unified_diff(before, after))
    sys.exit(1)
PY
printf 'e2e-pw\n' | "$KEYHAVEN_CLI" info "$database" | grep -qx 'format: KDBX 4.0' ||
    e2e_fail "the database was not saved as KDBX 4"
e2e_app_running "$VIEW_APP" || e2e_fail "the program ended"
e2e_log "PASS"
