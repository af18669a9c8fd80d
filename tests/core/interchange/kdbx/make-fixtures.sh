#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the KeePass databases the reader's tests open, with keepassxc-cli
# (Debian's keepassxc), from contents.xml. Run it from anywhere; it rewrites
# the *.kdbx and key files beside it. Every database's password is "pw"
# unless it has none.
set -euo pipefail
cd "$(dirname "$0")"
command -v keepassxc-cli >/dev/null || { echo "keepassxc-cli is missing" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Custom data on an entry makes keepassxc-cli write KDBX 4 (with AES-KDF,
# the only key derivation it offers here).
sed 's#<Entry>#<Entry><CustomData><Item><Key>k</Key><Value>v</Value></Item></CustomData>#' \
    contents.xml > "$work/contents4.xml"

# The key files: 64 hex digits, 32 raw bytes, an XML key file of version 2.0
# (key 00..1f, its hash the first 4 bytes of the key's SHA-256), and any
# other file, which is hashed.
printf '%s' 000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f > hex64.key
printf '%s' 'keyhaven raw key file, 32 bytes' | head -c 32 > raw32.key
printf 'x' >> raw32.key
cat > xml2.keyx <<'KEY'
<?xml version="1.0" encoding="utf-8"?>
<KeyFile>
	<Meta>
		<Version>2.0</Version>
	</Meta>
	<Key>
		<Data Hash="630DCD29">
			00010203 04050607 08090A0B 0C0D0E0F
			10111213 14151617 18191A1B 1C1D1E1F
		</Data>
	</Key>
</KeyFile>
KEY
printf 'any file at all can be a key file\n' > other.key

make() { # name xml password(-|pw) [key file]
    local name=$1 xml=$2 pw=$3 key=${4:-}
    local args=(import -q -t 100)
    [ "$pw" = - ] || args+=(-p)
    [ -z "$key" ] || args+=(--set-key-file "$key")
    rm -f "$name"
    if [ "$pw" = - ]; then
        keepassxc-cli "${args[@]}" "$xml" "$name" </dev/null
    else
        printf '%s\n%s\n' "$pw" "$pw" | keepassxc-cli "${args[@]}" "$xml" "$name"
    fi
}

make v3-password.kdbx contents.xml pw
make v3-xmlkey.kdbx contents.xml pw xml2.keyx
make v3-otherkey.kdbx contents.xml - other.key
make v4-password.kdbx "$work/contents4.xml" pw
make v4-hexkey.kdbx "$work/contents4.xml" pw hex64.key
make v4-rawkey.kdbx "$work/contents4.xml" - raw32.key
ls -l ./*.kdbx
