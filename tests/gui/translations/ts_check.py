#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks the finished translations of translation files for what a reader
would take for a fault, and names each one:

- a translation that drops or adds a mark of its source ("%1", "%n", "%d"),
  or has no "&" where its source has one (or one where it has none);
- a count text with a form left empty;
- in French, ":", ";", "?" and "!" without a non-breaking space before them
  (a plain space lets the line break before the sign).

usage: ts_check.py FILE.ts...
"""
import re
import sys
import xml.etree.ElementTree as ET

MARKS = re.compile(r"%(?:\d+|n|L\d+|Ln|[-+ #0-9.]*[dsuflxc])")
NO_BREAK = "\u00a0\u202f"


def marks(text):
    return sorted(MARKS.findall(text.replace("%%", "")))


def accelerators(text):
    return len(re.findall(r"&(?!&)", text.replace("&&", "")))


def french_spacing(text):
    """The signs that lack the non-breaking space French sets before them."""
    faults = []
    for at, sign in enumerate(text):
        if sign not in ":;?!":
            continue
        after = text[at + 1 : at + 2]
        # A sign inside a word or an address ("http://", "12:30", "?!") is no
        # punctuation of a sentence.
        if after and not after.isspace() and after not in "\"»)":
            continue
        before = text[at - 1 : at]
        if before in ":;?!":
            continue
        if before not in NO_BREAK:
            faults.append(text[max(0, at - 12) : at + 1])
    return faults


def forms(translation):
    found = translation.findall("numerusform")
    return [f.text or "" for f in found] if found else [translation.text or ""]


def check(path):
    faults = []
    root = ET.parse(path).getroot()
    french = root.get("language", "").startswith("fr")
    for message in root.iter("message"):
        source = message.find("source").text or ""
        translation = message.find("translation")
        if translation.get("type") in ("unfinished", "vanished", "obsolete"):
            continue
        numerus = message.get("numerus") == "yes"
        for form in forms(translation):
            where = f"{path}: {source!r} -> {form!r}"
            if not form:
                faults.append(f"{where}: a form is empty")
                continue
            want = marks(source)
            if numerus:
                # A form for one may write the word instead of the number.
                got = marks(form)
                if [m for m in got if m != "%n"] != [m for m in want if m != "%n"]:
                    faults.append(f"{where}: marks {got} for {want}")
            elif marks(form) != want:
                faults.append(f"{where}: marks {marks(form)} for {want}")
            if accelerators(form) != min(accelerators(source), 1):
                faults.append(f"{where}: accelerators differ")
            if french:
                for bad in french_spacing(form):
                    faults.append(f"{where}: no non-breaking space in {bad!r}")
    return faults


def main(paths):
    faults = []
    for path in paths:
        faults += check(path)
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1:]))
