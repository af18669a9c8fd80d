#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian 12 packages that Keyhaven needs:
#   scripts/install-deps.sh --run   building and running the program (scripts/run.sh)
#   scripts/install-deps.sh         also every test (scripts/test.sh, CI)
# Only missing packages are installed, as root or through sudo; without
# either it says what to run as root.
set -euo pipefail

run_packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-svg-dev qt6-tools-dev qt6-l10n-tools # lupdate, lrelease
  libxcb1-dev libsodium-dev libbotan-2-dev libexpat1-dev zlib1g-dev libzxcvbn-dev libicu-dev
  qt6-translations-l10n qt6-wayland # Qt's own translations; Wayland without XWayland
)
test_packages=(
  libgtest-dev libbenchmark-dev clang libclang-rt-14-dev clang-format clang-tidy fonts-dejavu-core git
  xvfb xauth xdotool xclip imagemagick icewm poppler-utils
  x11-utils dbus at-spi2-core python3 python3-dbus python3-gi weston
  appstream desktop-file-utils bash-completion zsh fish # the checks of the installed files
  devscripts lintian debhelper dpkg-dev
  keepassxc # keepassxc-cli makes and reads back KeePass databases
)

case "${1:-}" in
--run) packages=("${run_packages[@]}") ;;
"") packages=("${run_packages[@]}" "${test_packages[@]}") ;;
*)
  echo "usage: scripts/install-deps.sh [--run]" >&2
  exit 2
  ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

# sudo starts the command with a clean environment: the variable that keeps
# apt from asking questions is handed over through env.
if [ "$(id -u)" -eq 0 ]; then
  as_root=(env)
elif command -v sudo > /dev/null; then
  as_root=(sudo env)
else
  cat >&2 << TEXT
Keyhaven needs these Debian packages, and installing them needs root:
  ${missing[*]}
There is no sudo here: install them as root, for instance with
  su -c 'apt-get install --no-install-recommends ${missing[*]}'
or run this script as root.
TEXT
  exit 1
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
