#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes a KeePass database (KDBX 3.1) whose AES-KDF asks for ROUNDS rounds.

    slow_kdbx.py OUT ROUNDS

Only the header is a real one: a reader spends the rounds before it can
tell that the encrypted part holds nothing but random bytes, which is all a
test of a long key derivation needs (2^31 rounds keep a core busy for
minutes, whatever the password).
"""
import os
import struct
import sys

AES256 = bytes.fromhex("31c1f2e6bf714350be5805216afc5aff")


def field(number, data):
    return struct.pack("<BH", number, len(data)) + data


def main(argv):
    if len(argv) != 3:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    rounds = int(argv[2])
    header = struct.pack("<IIHH", 0x9AA2D903, 0xB54BFB67, 1, 3)
    header += field(2, AES256)
    header += field(3, struct.pack("<I", 1))
    header += field(4, os.urandom(32))
    header += field(5, os.urandom(32))
    header += field(6, struct.pack("<Q", rounds))
    header += field(7, os.urandom(16))
    header += field(8, os.urandom(32))
    header += field(9, os.urandom(32))
    header += field(10, struct.pack("<I", 2))
    header += field(0, b"\r\n\r\n")
    with open(argv[1], "wb") as out:
        out.write(header + os.urandom(64))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
