#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from a copy of the source tree as a distribution
# would, lints it, unpacks it into a scratch root and runs both programs from
# there; the binaries carry the distribution's hardening.
#   package_test.sh SOURCE_DIR WORK_DIR VERSION
set -uo pipefail
source_dir=$1
work=$2
version=$3
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

rm -rf "$work"
mkdir -p "$work/keyhaven-$version"
tree=$work/keyhaven-$version
tar -C "$source_dir" --exclude='./build*' --exclude=./.git --exclude='./obj-*' \
    --exclude='./debian/keyhaven' --exclude='./debian/.debhelper' -cf - . | tar -C "$tree" -xf -

# ccache, where installed, spares a rebuild of what the cache has seen.
export PATH=/usr/lib/ccache:$PATH
if ! (cd "$tree" && DEB_BUILD_OPTIONS="parallel=$(nproc)" dpkg-buildpackage -us -uc -b) \
    > "$work/build.log" 2>&1; then
    tail -n 60 "$work/build.log"
    echo "FAIL: dpkg-buildpackage"
    exit 1
fi
deb=$(ls "$work"/keyhaven_"$version"_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || { echo "FAIL: no keyhaven_${version}_*.deb (is debian/changelog at $version?)"; exit 1; }

lintian --fail-on error "$deb" > "$work/lintian.log" 2>&1 ||
    fail "lintian: $(cat "$work/lintian.log")"

root=$work/root
dpkg-deb -x "$deb" "$root"
for program in keyhaven-cli keyhaven; do
    out=$("$root/usr/bin/$program" --version 2>&1) || fail "$program --version exits $?"
    [[ $out == *" $version" ]] || fail "$program --version says \"$out\""
done
# The build asks for control-flow protection too (debian/rules), but Debian
# 12's C library start files carry no such marking, so no program linked
# there is marked as a whole; hardening-check is told not to look for it.
hardening-check --quiet --nocfprotection "$root/usr/bin/keyhaven" "$root/usr/bin/keyhaven-cli" \
    > "$work/hardening.log" 2>&1 ||
    fail "hardening-check: $(cat "$work/hardening.log")"

for file in usr/share/applications/org.keyhaven.Keyhaven.desktop \
    usr/share/metainfo/org.keyhaven.Keyhaven.metainfo.xml \
    usr/share/man/man1/keyhaven.1.gz usr/share/man/man1/keyhaven-cli.1.gz \
    usr/share/bash-completion/completions/keyhaven-cli \
    usr/share/zsh/vendor-completions/_keyhaven-cli \
    usr/share/fish/vendor_completions.d/keyhaven-cli.fish \
    usr/share/icons/hicolor/scalable/apps/org.keyhaven.Keyhaven.svg \
    usr/share/mime/packages/keyhaven.xml usr/share/keyhaven/help/index.html \
    usr/share/doc/keyhaven/copyright; do
    [ -e "$root/$file" ] || fail "the package lacks /$file"
done
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libsodium23 libc6; do
    [[ $depends == *"$library"* ]] || fail "Depends lacks $library: $depends"
done

[ "$failures" -eq 0 ] || { echo "$failures package check(s) failed"; exit 1; }
echo "package checks passed: $(basename "$deb")"
