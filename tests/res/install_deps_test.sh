#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# scripts/install-deps.sh with stand-ins for apt, dpkg, id and sudo: it
# installs only what is missing, keeps apt from asking through sudo (which
# clears the environment), says what to do where neither root nor sudo can
# install, and installs for running only what running needs.
#   install_deps_test.sh SOURCE_DIR
set -uo pipefail
script=$1/scripts/install-deps.sh
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
bin=$work/bin
mkdir "$bin"
for tool in bash env grep cat; do ln -s "$(command -v "$tool")" "$bin/$tool"; done
cat > "$bin/dpkg-query" <<STUB
#!/bin/bash
grep -qx -e ALL -e "\${@: -1}" "$work/installed" && echo 'install ok installed'
STUB
cat > "$bin/id" <<STUB
#!/bin/bash
cat "$work/uid"
STUB
cat > "$bin/apt-get" <<STUB
#!/bin/bash
echo "DEBIAN_FRONTEND=\${DEBIAN_FRONTEND:-} \$*" >> "$work/apt.log"
STUB
# As sudo does: the command starts with a clean environment.
cat > "$work/sudo" <<STUB
#!/bin/bash
echo sudo >> "$work/apt.log"
exec env -i PATH="\$PATH" "\$@"
STUB
chmod +x "$bin"/* "$work/sudo"

# run UID SUDO(yes|no) INSTALLED ARGS...: INSTALLED the packages there
# already (ALL: every one); the exit status, with the apt log
# in $work/apt.log and the messages in $work/out.
run() {
    echo "$1" > "$work/uid"
    rm -f "$bin/sudo" "$work/apt.log"
    touch "$work/apt.log"
    [ "$2" = yes ] && ln -s "$work/sudo" "$bin/sudo"
    tr ' ' '\n' <<<"$3" > "$work/installed"
    shift 3
    PATH=$bin bash "$script" "$@" > "$work/out" 2>&1
}
install_line() { grep -- ' install ' "$work/apt.log"; }

run 1000 yes "cmake zsh" || fail "with sudo: exit status $?: $(cat "$work/out")"
grep -qx sudo "$work/apt.log" || fail "with sudo: apt-get was not run through sudo"
[[ $(install_line) == DEBIAN_FRONTEND=noninteractive* ]] ||
    fail "through sudo apt-get may ask questions: $(install_line)"
for package in qt6-base-dev libgtest-dev fish qt6-wayland; do
    [[ " $(install_line) " == *" $package "* ]] || fail "the full install lacks $package"
done
for package in cmake zsh; do
    [[ " $(install_line) " != *" $package "* ]] || fail "$package is installed again"
done

run 0 no "" || fail "as root: exit status $?"
[[ $(install_line) == DEBIAN_FRONTEND=noninteractive* ]] || fail "as root: $(install_line)"

run 1000 no "cmake" && fail "without root or sudo it claims success"
[ -s "$work/apt.log" ] && fail "without root or sudo it ran: $(cat "$work/apt.log")"
grep -q "as root" "$work/out" && grep -q "qt6-base-dev" "$work/out" && ! grep -q " cmake" "$work/out" ||
    fail "without root or sudo it says: $(cat "$work/out")"

run 0 no "" --run || fail "--run: exit status $?"
for package in qt6-base-dev libsodium-dev libicu-dev libxcb1-dev qt6-translations-l10n; do
    [[ " $(install_line) " == *" $package "* ]] || fail "--run lacks $package"
done
for package in libgtest-dev libbenchmark-dev clang-format xvfb lintian keepassxc weston zsh; do
    [[ " $(install_line) " != *" $package "* ]] || fail "--run installs $package, which only the tests need"
done

run 1000 no ALL || fail "with everything installed: exit status $?: $(cat "$work/out")"
[ -s "$work/apt.log" ] && fail "with everything installed it ran: $(cat "$work/apt.log")"

run 0 no "" --bogus
[ $? -eq 2 ] || fail "an unknown option is not a usage error"

[ "$failures" -eq 0 ] || { echo "$failures install-deps check(s) failed"; exit 1; }
echo "install-deps checks passed"
