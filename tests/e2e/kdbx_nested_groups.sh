#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A KeePass database's nested groups in the real program's tree: a group
# inside another shows as a row of its own below its parent's accounts,
# labelled with its own name, and opens to show what it holds. Renamed in
# place, it keeps the group inside it: after File > Save keepassxc-cli
# finds the innermost entry under the new name and nothing under the old.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/view_lib.sh"
e2e_begin kdbx_nested_groups
view_start_a11y

mkdir -p "$E2E_DIR/files"
database="$E2E_DIR/files/Vault.kdbx"
cat >"$E2E_DIR/vault.xml" <<'XML'
<?xml version="1.0" encoding="utf-8" standalone="yes"?>
<KeePassFile><Meta><Generator>e2e</Generator></Meta><Root><Group>
<UUID>AQEBAQEBAQEBAQEBAQEBAQ==</UUID><Name>Root</Name><Group>
<UUID>AgICAgICAgICAgICAgICAg==</UUID><Name>Work</Name><Entry>
<UUID>EREREREREREREREREREREQ==</UUID>
<String><Key>Title</Key><Value>Mail</Value></String>
<String><Key>UserName</Key><Value>mailer</Value></String>
</Entry><Group>
<UUID>AwMDAwMDAwMDAwMDAwMDAw==</UUID><Name>Projects</Name><Entry>
<UUID>IiIiIiIiIiIiIiIiIiIiIg==</UUID>
<String><Key>Title</Key><Value>Tracker</Value></String>
</Entry><Group>
<UUID>BAQEBAQEBAQEBAQEBAQEBA==</UUID><Name>Old</Name><Entry>
<UUID>MzMzMzMzMzMzMzMzMzMzMw==</UUID>
<String><Key>Title</Key><Value>Legacy</Value></String>
<String><Key>Password</Key><Value>legacy-pw</Value></String>
</Entry></Group></Group></Group></Group></Root></KeePassFile>
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

rows() {
    /usr/bin/python3 "$(dirname "$0")/a11y_rows.py" "$VIEW_APP" Accounts 2>>"$E2E_DIR/a11y.log"
}
# The rows below the file item, joined by "|".
rows_below_file() { rows | tail -n +2 | paste -sd '|'; }
e2e_until 10 e2e_output_is "Work|Mail|Projects" rows_below_file ||
    e2e_fail "the tree shows \"$(rows_below_file)\", not Work's account and inner group"

where=$(view_centre "$(A11Y_CELLS=1 view_wait_control "$VIEW_APP" Projects)")
view_click_at "$where"
e2e_key Right
e2e_until 5 e2e_output_is "Work|Mail|Projects|Tracker|Old" rows_below_file ||
    e2e_fail "Projects opened to \"$(rows_below_file)\""
e2e_screenshot nested

# A second click, later than a double click would be, opens the label.
sleep 1
view_click_at "$where"
sleep 1
xdotool type --delay 60 -- "Archive"
e2e_key Return
e2e_until 5 e2e_output_is "Work|Mail|Archive|Tracker|Old" rows_below_file ||
    e2e_fail "the renamed group shows \"$(rows_below_file)\""

e2e_key ctrl+s
question=$(e2e_wait_dialog "Keyhaven")
view_click_at "$(view_centre "$(view_wait_control "$VIEW_APP" Yes "push button")")"
e2e_wait_gone "$question"
legacy() { printf 'e2e-pw\n' | keepassxc-cli show -q -s "$database" 'Work/Archive/Old/Legacy' 2>&1; }
legacy_saved() { legacy | grep -x 'Password: legacy-pw' >/dev/null; }
e2e_until 15 legacy_saved || e2e_fail "keepassxc-cli does not find Legacy in the renamed group: $(legacy)"
listing=$(printf 'e2e-pw\n' | keepassxc-cli ls -q -R -f "$database")
grep -q Projects <<<"$listing" && e2e_fail "the old group is still there: $listing"
e2e_app_running "$VIEW_APP" || e2e_fail "the program ended"
e2e_log "PASS"
