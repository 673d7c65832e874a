#!/usr/bin/env bash
# Builds everything and runs every test: the host unit tests (with sanitizers), then the unit tests,
# the Win32 kit's and the program's classes' tests and the end-to-end tests under Wine, at 96 DPI and on
# 144 and 192 DPI desktops.
# Installs what is missing first (Debian 12; as root or with sudo).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

scripts/install-deps.sh

echo "== host: portable logic with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset host >/dev/null
cmake --build --preset host
ctest --preset host -j2

echo "== windows: Tellurane.exe and the tests under Wine"
# The Wine sessions (a wineserver, the desktop and its keeper) and the virtual displays end with the
# command, whatever ends it; TELLURANE_KEEP_SESSION=1 keeps them, to run single tests again at once.
stop_sessions() {
  [ "${TELLURANE_KEEP_SESSION:-}" = 1 ] && return 0
  for dpi in 96 144 192; do TELLURANE_DPI=$dpi scripts/wine-session stop || true; done
  TELLURANE_SESSION=languages scripts/wine-session stop || true
}
trap stop_sessions EXIT
cmake --preset windows >/dev/null
cmake --build --preset windows
scripts/wine-session start
TELLURANE_DPI=144 scripts/wine-session start
TELLURANE_DPI=192 scripts/wine-session start
# An end-to-end test that fails once is run again (and shows in the log): a busy 2-core machine
# sometimes starts a desktop late; a real fault fails twice.
ctest --preset windows -j2 --repeat until-pass:2
echo "Screenshots of the end-to-end tests: $(pwd)/build/screenshots"
