#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, where missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libgl-dev qt6-translations-l10n
  libgtest-dev libbenchmark-dev
  fontconfig libfontconfig-dev libxcb1-dev fonts-dejavu-core
  clang clang-format libclang-rt-14-dev llvm
  xvfb xdotool x11-utils imagemagick openbox xfwm4 xfconf dbus-daemon xclip ffmpeg libx11-dev
  libxdamage-dev libxtst-dev
  desktop-file-utils appstream dpkg-dev file lintian gdb
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  sudo=()
else
  sudo=(sudo)
fi
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
