#!/usr/bin/env bash
# Installs everything the build and the tests need on Debian 12 (i386 Wine, MinGW-w64, Xvfb).
# Safe to run again: it does nothing when every package is already there.
set -euo pipefail

packages=(cmake ninja-build g++ g++-mingw-w64-i686-posix googletest
          wine wine32:i386 xvfb xdotool x11-utils imagemagick fonts-wine fonts-liberation
          python3 zip unzip librsvg2-bin psmisc nsis fonts-dejavu-core
          clang lld clang-tidy clang-format)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
