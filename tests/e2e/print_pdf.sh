#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# File > Print through the real print dialog, printing into a PDF file: the
# PDF holds every line of the printout (every account with its password),
# on as many pages as its lines need, and only its owner may read it.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/view_lib.sh"
e2e_begin print_pdf
view_start_a11y

view_open_demo Demo.pwd
pdf="$E2E_DIR/files/demo-print.pdf"

e2e_activate "$VIEW_MAIN"
e2e_key alt+f p
dialog=$(e2e_wait_dialog "Print")
e2e_screenshot print-dialog "$(e2e_frame "$dialog")"
# Without a print server the desktop offers one printer: the PDF file. Its
# output name is a text field labelled "Output file:".
view_wait_control "$VIEW_APP" "Output file:" "text" >/dev/null
# Its label's mnemonic puts the cursor into it.
e2e_activate "$dialog"
e2e_key alt+f ctrl+a BackSpace
xdotool type --delay 30 -- "$pdf"
sleep 0.3
e2e_screenshot print-dialog-filled "$(e2e_frame "$dialog")"
e2e_expect_eq "$(view_control_text "$VIEW_APP" "Output file:" "text")" "$pdf" "output file field"
e2e_key Return
e2e_wait_gone "$dialog" 20
e2e_until 20 test -s "$pdf" || e2e_fail "no PDF was printed"
# The job ends before the program goes back to its loop; wait for a whole file.
e2e_until 10 grep -q '%%EOF' "$pdf" || e2e_fail "the PDF is not complete"

# Every password in plain text: the new file is its owner's alone.
e2e_expect_eq "$(stat -c %a "$pdf")" "600" "mode of the PDF"

text="$E2E_DIR/print.txt"
pdftotext -layout "$pdf" "$text" || e2e_fail "pdftotext could not read the PDF"
expected="$E2E_DIR/expected-export.txt"
printf 'demo\n' | "$KEYHAVEN_CLI" export "$E2E_DEMO_FILE" -o "$expected"

# Every account, user name and password of the file is printed.
missing=0
while IFS= read -r value; do
    grep -qF -- "$value" "$text" || { e2e_log "not printed: $value"; missing=1; }
done < <(awk -F '\t' '($1 == "Account" || $1 == "User Name" || $1 == "Password") && $NF != "" { print $NF }' "$expected")
[ "$missing" -eq 0 ] || e2e_fail "lines are missing from the printout"
groups=$(grep -c '^=============' "$expected")
e2e_expect_eq "$(grep -c '=============' "$text")" "$groups" "group banners printed"

# The printout has the export's lines (the comments' line ends included).
# At 1200 dots per inch a line takes 136 dots, and lines start from half an
# inch below the printable top down to half an inch above its bottom: the
# pages must be what the paper holds with margins between none and an inch.
lines=$(wc -l <"$expected")
pages=$(pdfinfo "$pdf" | awk '/^Pages:/ { print $2 }')
height_pt=$(pdfinfo "$pdf" | awk '/^Page size:/ { print int($5) }')
dots=$((height_pt * 1200 / 72))
most=$(((dots - 1200) / 136 + 1))
least=$(((dots - 2 * 1200 - 1200) / 136 + 1))
fewest=$(((lines + most - 1) / most))
greatest=$(((lines + least - 1) / least))
e2e_log "$lines lines, page height $height_pt pt: $pages pages ($fewest to $greatest expected)"
((pages >= fewest && pages <= greatest)) || e2e_fail "$pages pages for $lines lines"
((pages >= 2)) || e2e_fail "the demo file's printout should take two pages, not $pages"
# pdftotext ends each page with a form feed.
e2e_expect_eq "$(tr -cd '\f' <"$text" | wc -c)" "$pages" "pages read back"
e2e_app_running "$VIEW_APP" || e2e_fail "the program ended"
e2e_log "PASS"
