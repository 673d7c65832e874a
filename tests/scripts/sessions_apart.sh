#!/usr/bin/env bash
# The Wine sessions never share a prefix or a display: a clock left running by scripts/run.sh would
# otherwise put a second icon in the notification area the tray tests look at. And the test command
# stops every session its tests run in, so nothing it started is left running.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
failed=0

declare -A prefix_of display_of
for session in "" languages quick-start; do
  for dpi in 96 144 192; do
    read -r prefix display < <(env -i PATH="$PATH" TELLURANE_DPI=$dpi TELLURANE_SESSION="$session" \
      bash -c 'source "$1/scripts/wine-env.sh"; echo "$WINEPREFIX $DISPLAY"' _ "$root")
    name="${dpi}${session:+-$session}"
    for other in "${!prefix_of[@]}"; do
      if [ "${prefix_of[$other]}" = "$prefix" ] || [ "${display_of[$other]}" = "$display" ]; then
        echo "sessions $other and $name share a prefix or a display ($prefix, $display)"
        failed=1
      fi
    done
    prefix_of[$name]=$prefix
    display_of[$name]=$display
  done
done

# Every session a test names is stopped by the test command; the quick start's is not a test's.
grep -q 'TELLURANE_SESSION=quick-start' "$root/scripts/run.sh" || { echo "run.sh starts the clock in a tests' session"; failed=1; }
# wine-run ends a test's program after ten minutes; the user's clock runs until it is closed.
grep -q 'TELLURANE_WINE_TIMEOUT=0' "$root/scripts/run.sh" || { echo "run.sh's clock would end after ten minutes"; failed=1; }
for session in $(grep -rhoE 'TELLURANE_SESSION=[a-z-]+' "$root/tests" --include=CMakeLists.txt | sort -u | cut -d= -f2); do
  grep -q "TELLURANE_SESSION=$session scripts/wine-session stop" "$root/scripts/test.sh" ||
    { echo "scripts/test.sh leaves the $session session running"; failed=1; }
done
exit $failed
