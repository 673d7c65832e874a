#!/usr/bin/env bash
# Every clock hidden in the tray for 20 s: not one wake-up of the program's main thread and not one
# nanosecond of CPU in any of its threads, counted from Wine's relay log as the benchmark counts them.
#   tests/e2e/asleep_in_the_tray.sh path/to/Tellurane.exe
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
counts=$("$root/bench/count_calls.sh" "$1" 20 12 tray)
printf '%s\n' "$counts"
figures=$(head -n1 <<<"$counts")
for want in wakeups_per_min=0.0 messages_per_min=0.0 cpu_ns_per_min=0; do
  if ! tr ' ' '\n' <<<"$figures" | grep -qx "$want"; then
    echo "asleep_in_the_tray: expected $want" >&2
    exit 1
  fi
done
