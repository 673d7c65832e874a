#!/usr/bin/env bash
# Builds Tellurane.exe and starts it under Wine: on your display when there is one, otherwise on
# a virtual display, where it takes a screenshot and says where it is.
# Installs what is missing first (Debian 12; as root or with sudo).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)

scripts/install-deps.sh
# The clock runs until it is closed: no time limit, which the tests' runs have.
export TELLURANE_WINE_TIMEOUT=0
cmake --preset windows >/dev/null
cmake --build --preset windows --target Tellurane

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  # A prefix of its own: one Wine session never mixes displays.
  export TELLURANE_USE_OWN_DISPLAY=1 TELLURANE_WINEPREFIX="$root/build/wine-user"
  echo "Starting Tellurane on $DISPLAY; close its window to end it."
  exec scripts/wine-run "$root/build/windows/Tellurane.exe"
fi

# A session of its own, so that the tests never meet this clock in theirs.
export TELLURANE_SESSION=quick-start
source scripts/wine-env.sh
scripts/wine-session start
setsid scripts/wine-run "$root/build/windows/Tellurane.exe" </dev/null >/dev/null 2>&1 &
sleep 4  # time to open the window and show the first ticks
mkdir -p build/screenshots
shot="$root/build/screenshots/quick-start.png"
import -display "$DISPLAY" -window root "$shot"
echo "Tellurane is running on the virtual display $DISPLAY."
echo "Screenshot: $shot"
echo "Stop it with: TELLURANE_SESSION=quick-start scripts/wine-session stop"
