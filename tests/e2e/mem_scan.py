#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""mem_scan.py PID SECRETS: looks for each line of SECRETS, as UTF-8 and as
UTF-16 (the toolkit's texts), in every readable mapping of the process PID
that the process can write (a read-only mapping of a file holds that file's
own bytes: a library's constant texts may spell a short field by chance).
Needs the superuser: the program forbids ptrace. Prints each one found;
exit status 0 none found, 1 some found, 2 memory unreadable."""
import re
import sys

CHUNK = 1 << 22


def mappings(pid):
    with open(f"/proc/{pid}/maps") as maps:
        for line in maps:
            fields = line.split(maxsplit=5)
            start, end = (int(x, 16) for x in fields[0].split("-"))
            name = fields[5].strip() if len(fields) > 5 else "[anon]"
            if "r" not in fields[1] or name == "[vvar]":
                continue
            if name.startswith("/") and "w" not in fields[1]:
                continue
            yield start, end, name


def main():
    pid = int(sys.argv[1])
    with open(sys.argv[2], encoding="utf-8") as f:
        secrets = [line.rstrip("\n") for line in f if line.strip()]
    needles = []
    for number, secret in enumerate(secrets, 1):
        for name, codec in (("utf-8", "utf-8"), ("utf-16", "utf-16-le")):
            needles.append((number, name, secret.encode(codec)))
    longest = max(len(n[2]) for n in needles)
    found = set()
    read_any = False
    with open(f"/proc/{pid}/mem", "rb", 0) as mem:
        for start, end, name in mappings(pid):
            tail = b""
            pos = start
            while pos < end:
                size = min(CHUNK, end - pos)
                try:
                    mem.seek(pos)
                    block = mem.read(size)
                except (OSError, ValueError):
                    break
                read_any = True
                data = tail + block
                for number, codec, needle in needles:
                    if (number, codec) not in found and needle in data:
                        found.add((number, codec))
                        print(f"secret {number} ({codec}) in {name}")
                tail = data[-(longest - 1):] if longest > 1 else b""
                pos += size
    if not read_any:
        print("could not read the process's memory", file=sys.stderr)
        return 2
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
