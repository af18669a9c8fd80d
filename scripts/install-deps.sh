#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian 12 packages that building and testing Keyhaven need.
# Only missing packages are installed; root or sudo is required for that.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-svg-dev libgtest-dev libbenchmark-dev libxcb1-dev libsodium-dev
  clang libclang-rt-14-dev libbotan-2-dev libexpat1-dev zlib1g-dev libzxcvbn-dev
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n # lupdate, lrelease; Qt's own translations
  clang-format clang-tidy fonts-dejavu-core git
  xvfb xauth xdotool xclip imagemagick icewm poppler-utils
  x11-utils dbus at-spi2-core python3 python3-dbus python3-gi
  weston qt6-wayland
  appstream desktop-file-utils help2man bash-completion zsh
  devscripts lintian debhelper dpkg-dev
  keepassxc # tests only: keepassxc-cli makes and reads back KeePass databases
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
