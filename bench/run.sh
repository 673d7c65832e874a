#!/usr/bin/env bash
# Benchmarks under Wine, side by side with a bare reference run the same way, printed as figures
# and ratios. Not part of the tests: absolute times on a shared machine vary, ratios hold.
#   bench/run.sh [wait] [ticks]     (all when none is named)
#   BENCH_TICK_SECONDS=600 bench/run.sh ticks
set -euo pipefail
sections=${*:-wait ticks}
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Tellurane wait_cost reference_clock tick_accuracy desktop_keeper >/dev/null
source scripts/wine-env.sh
scripts/wine-session start

ticks=$(getconf CLK_TCK)
server_cpu() {  # CPU seconds of this session's wineserver
  local pid total=0
  for pid in $(pgrep -f wineserver); do
    if [[ "$(readlink "/proc/$pid/cwd")" == */$(printf 'server-%x-%x' "$(stat -c %d "$WINEPREFIX")" "$(stat -c %i "$WINEPREFIX")") ]]; then
      total=$(awk '{print $14 + $15}' "/proc/$pid/stat")
    fi
  done
  echo "$total"
}

# One run of wait_cost; prints "program wineserver" CPU seconds.
measure_wait() {
  local mode=$1 before after program
  before=$(server_cpu)
  program=$(wine build/windows/bench/wait_cost.exe "$mode" | tr -d '\r' | sed -n 's/.*program_cpu=//p')
  after=$(server_cpu)
  echo "$program $(awk -v a="$after" -v b="$before" -v t="$ticks" 'BEGIN{printf "%.4f", (a-b)/t}')"
}

bench_wait() {
runs=5
echo "== A one-second wait: CPU seconds, median of $runs runs (program + wineserver)"
for mode in sleep wait spin; do
  results=()
  for _ in $(seq 1 $runs); do
    read -r program server < <(measure_wait "$mode")
    results+=("$(awk -v p="$program" -v s="$server" 'BEGIN{printf "%.4f", p+s}') $program $server")
  done
  median=$(printf '%s\n' "${results[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p")
  read -r total program server <<<"$median"
  printf '%-6s total %.3f s  (program %.3f s, wineserver %.3f s)\n' "$mode" "$total" "$program" "$server"
  eval "total_$mode=$total"
done
awk -v w="$total_wait" -v s="$total_sleep" -v p="$total_spin" 'BEGIN{
  printf "WaitSeconds(1) costs %.3f s of CPU beyond Sleep(1000) (goal: under 0.05 s in all); a spinning wait costs %.3f s\n", w - s, p - s }'
}

bench_ticks() {
  local seconds=${BENCH_TICK_SECONDS:-120} exe
  echo "== Tick accuracy over $seconds s, the face sampled every 10 ms (delay: after the wall-clock second began)"
  exe=$(winepath -w build/windows/Tellurane.exe)
  printf 'Tellurane  %s\n' "$(wine build/windows/bench/tick_accuracy.exe "$exe" Tellurane.Form1 "$seconds" | tr -d '\r')"
  exe=$(winepath -w build/windows/bench/reference_clock.exe)
  printf 'reference  %s\n' "$(wine build/windows/bench/tick_accuracy.exe "$exe" Tellurane.Reference "$seconds" | tr -d '\r')"
}

for section in $sections; do
  "bench_$section"
done
