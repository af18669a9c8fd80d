#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian source and binary packages from a copy of the source
# tree as a distribution would, running the core and CLI tests on the way
# (and not with "nocheck"), lints both, unpacks the binary package into a
# scratch root and runs both programs and the package's own smoke test from
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

# "nocheck", as a build option or a build profile, neither builds nor runs
# the tests (the build only reads debian/rules; make -n shows its steps).
rules() { (cd "$tree" && env "$@" make -s -n -f debian/rules override_dh_auto_configure override_dh_auto_test); }
for setting in DEB_BUILD_OPTIONS=nocheck DEB_BUILD_PROFILES=nocheck; do
    steps=$(rules "$setting")
    [[ $steps == *"-DKEYHAVEN_TESTS=OFF"* && $steps != *ctest* ]] || fail "with $setting debian/rules does: $steps"
done
steps=$(rules DEB_BUILD_OPTIONS=)
[[ $steps == *"-DKEYHAVEN_TESTS=ON"* && $steps == *"ctest"*"-L core"* ]] || fail "debian/rules does: $steps"

# ccache, where installed, spares a rebuild of what the cache has seen.
export PATH=/usr/lib/ccache:$PATH
if ! (cd "$tree" && DEB_BUILD_OPTIONS="parallel=$(nproc)" dpkg-buildpackage -us -uc) \
    > "$work/build.log" 2>&1; then
    tail -n 60 "$work/build.log"
    echo "FAIL: dpkg-buildpackage"
    exit 1
fi
deb=$(ls "$work"/keyhaven_"$version"_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || { echo "FAIL: no keyhaven_${version}_*.deb (is debian/changelog at $version?)"; exit 1; }
changes=$(ls "$work"/keyhaven_"$version"_*.changes | head -n 1)
[ -e "$work/keyhaven_$version.dsc" ] || fail "no source package keyhaven_$version.dsc"

# The tests ran during the build: hundreds of cases, none failed.
summary=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+' "$work/build.log")
[[ $summary =~ ^100%.*out\ of\ ([0-9]+) ]] && [ "${BASH_REMATCH[1]}" -ge 300 ] ||
    fail "the build's tests: ${summary:-none ran}"

# The source package and the binary package, both.
lintian --fail-on error --display-info "$changes" > "$work/lintian.log" 2>&1 ||
    fail "lintian: $(cat "$work/lintian.log")"
grep -q '^[EW]: keyhaven source' "$work/lintian.log" && fail "lintian on the source: $(grep '^[EW]: keyhaven source' "$work/lintian.log")"

root=$work/root
dpkg-deb -x "$deb" "$root"
for program in keyhaven-cli keyhaven; do
    out=$("$root/usr/bin/$program" --version 2>&1) || fail "$program --version exits $?"
    [[ ${out%%$'\n'*} == *" $version" && $out == *"GPL-3.0-or-later"*"NO WARRANTY"* ]] ||
        fail "$program --version says \"$out\""
done
# The package's autopkgtest, on the unpacked programs.
mkdir "$work/smoke"
PATH=$root/usr/bin:$PATH AUTOPKGTEST_TMP=$work/smoke "$tree/debian/tests/smoke" > "$work/smoke.log" 2>&1 ||
    fail "debian/tests/smoke: $(cat "$work/smoke.log")"
grep -qx 'Tests: smoke' "$tree/debian/tests/control" || fail "debian/tests/control does not run smoke"
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
# Without its Wayland plugin Qt falls back to XWayland.
[[ $(dpkg-deb -f "$deb" Recommends) == *qt6-wayland* ]] || fail "Recommends: $(dpkg-deb -f "$deb" Recommends)"
[ -z "$(dpkg-deb -f "$deb" Suggests)" ] || fail "Suggests: $(dpkg-deb -f "$deb" Suggests)"
# One desktop entry, one name for the program's icon.
entries=$(cd "$root/usr/share/applications" && echo *.desktop)
[ "$entries" = org.keyhaven.Keyhaven.desktop ] || fail "desktop entries: $entries"
others=$(find "$root/usr/share/icons" -path '*/apps/*' ! -name 'org.keyhaven.Keyhaven.*')
[ -z "$others" ] || fail "program icons of another name: $others"

[ "$failures" -eq 0 ] || { echo "$failures package check(s) failed"; exit 1; }
echo "package checks passed: $(basename "$deb")"
