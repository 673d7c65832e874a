#!/usr/bin/env bash
# Installs everything the build and the tests need on Debian 12 (i386 Wine, MinGW-w64, Xvfb).
# Safe to run again: it does nothing when every package is already there.
set -euo pipefail

packages=(cmake ninja-build g++ g++-mingw-w64-i686-posix googletest
          wine wine32:i386 xvfb xdotool x11-utils imagemagick fonts-wine fonts-liberation
          python3 python3-yaml zip unzip librsvg2-bin psmisc nsis fonts-dejavu-core fonts-wqy-microhei locales
          clang lld clang-tidy clang-format
          # Thai and Devanagari, which no font above draws: Loma (Arial's metrics) and Lohit Devanagari,
          # about 280 kB together; Persian needs none, DejaVu Sans has its letters.
          fonts-tlwg-loma-ttf fonts-lohit-deva)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
# The locales the tests run the program under (Wine takes the UI language from LANG).
make_locales() {
  local wanted=(de_DE ja_JP ar_EG) need=()
  for l in "${wanted[@]}"; do
    locale -a 2>/dev/null | grep -qix "${l}.utf8" || need+=("$l")
  done
  [ ${#need[@]} -eq 0 ] && return 0
  for l in "${need[@]}"; do
    grep -q "^${l}.UTF-8 UTF-8" /etc/locale.gen 2>/dev/null ||
      echo "${l}.UTF-8 UTF-8" | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  done
  "${sudo_cmd[@]}" locale-gen >/dev/null
}

if [ ${#missing[@]} -eq 0 ]; then
  make_locales
  exit 0
fi

echo "Installing: ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
# A mirror caught mid-sync fails one index now and then: what the others give is enough to install from,
# and a package that cannot be found still fails below.
"${sudo_cmd[@]}" apt-get update -qq || echo "install-deps: some package lists could not be updated; going on" >&2
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
make_locales
