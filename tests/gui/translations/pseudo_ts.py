#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes a pseudo-language translation file: every text of IN.ts becomes
itself between the marks U+27E6 and U+27E7, so a window shown with it tells
translated texts (marked) from texts that escaped translation (unmarked).

Each line and each tab-separated part is marked on its own, as the program
splits texts there (status prompt and tool tip, name and version); a
keyboard shortcut after the last tab ("\\tCtrl+E") stays outside the marks,
so menus keep their keys. Accelerators ("&") and placeholders ("%1", "%d")
stay inside, untouched.

usage: pseudo_ts.py IN.ts OUT.ts
"""
import re
import sys
import xml.etree.ElementTree as ET

OPEN, CLOSE = "\u27e6", "\u27e7"
SHORTCUT = re.compile(r"^((Ctrl|Shift|Alt|Meta)\+)*([A-Z0-9]|F[0-9]{1,2}|Del|Ins|Esc|Tab)$")


def mark(part):
    return OPEN + part + CLOSE if part.strip() else part


def pseudo(source):
    lines = []
    for line in source.split("\n"):
        parts = line.split("\t")
        shortcut = parts.pop() if len(parts) > 1 and SHORTCUT.match(parts[-1]) else None
        marked = [mark(p) for p in parts]
        if shortcut is not None:
            marked.append(shortcut)
        lines.append("\t".join(marked))
    return "\n".join(lines)


def main(path_in, path_out):
    tree = ET.parse(path_in)
    root = tree.getroot()
    root.set("language", "en_XA")
    count = 0
    for message in root.iter("message"):
        source = message.find("source").text or ""
        translation = message.find("translation")
        translation.attrib.pop("type", None)
        forms = translation.findall("numerusform")
        # A count text: every form of the language is the marked source.
        for form in forms:
            form.text = pseudo(source)
        if not forms:
            translation.text = pseudo(source)
        count += 1
    if count == 0:
        sys.exit(f"{path_in} holds no texts")
    tree.write(path_out, encoding="utf-8", xml_declaration=True)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
