#!/usr/bin/env bash
# Benchmarks under Wine, side by side with a bare reference clock (one button showing the time,
# refreshed by a plain one-second timer, built the same way), printed as figures and ratios.
# Not part of the tests: absolute times on a shared machine vary, ratios hold.
#   bench/run.sh [wait] [idle] [launch] [actions] [tickcost] [ticks] [skin]     (all when none is named)
#   BENCH_IDLE_SECONDS=60 BENCH_TICK_SECONDS=600 bench/run.sh
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
sections=${*:-wait idle launch actions tickcost ticks skin}
scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Tellurane wait_cost reference_clock tick_accuracy action_cost tick_cost \
  desktop_keeper >/dev/null
source scripts/wine-env.sh
scripts/wine-session start

server_pid() {  # this session's wineserver
  local pid want
  want=$(printf 'server-%x-%x' "$(stat -c %d "$WINEPREFIX")" "$(stat -c %i "$WINEPREFIX")")
  for pid in $(pgrep -f wineserver); do
    [[ "$(readlink "/proc/$pid/cwd")" == */$want ]] && echo "$pid" && return
  done
}
server=$(server_pid)
tellurane=$(winepath -w build/windows/Tellurane.exe)
reference=$(winepath -w build/windows/bench/reference_clock.exe)
median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
field() { tr ' ' '\n' | sed -n "s/^$1=//p" | tr -d '\r'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }'; }

bench_wait() {
  local runs=5 mode
  echo "== A one-second wait: CPU seconds of program and wineserver together, around the wait alone, median of $runs runs"
  for mode in sleep wait spin; do
    for _ in $(seq 1 $runs); do
      wine build/windows/bench/wait_cost.exe "$mode" "$server" | tr -d '\r' |
        awk '{ split($2, p, "="); split($3, s, "="); printf "%.3f\n", p[2] + s[2] }'
    done | median > "/tmp/tellurane-wait-$mode"
    printf '  %-6s %s s\n' "$mode" "$(cat "/tmp/tellurane-wait-$mode")"
  done
  echo "  (sleep: Sleep(1000), the floor; wait: WaitSeconds(1); spin: a wait that handles messages without sleeping)"
}

# One action of action_cost for one program; prints its figures.
act() { wine build/windows/bench/action_cost.exe "$1" "$2" "$3" "$server" "${4:-}" | tr -d '\r'; }

bench_idle() {
  local seconds=${BENCH_IDLE_SECONDS:-60} t r
  echo "== Idle over $seconds s, the mouse pointer away from the clocks (program + wineserver CPU, working set)"
  t=$(act idle "$tellurane" Tellurane.Form1 "$seconds")
  r=$(act idle "$reference" Tellurane.Reference "$seconds")
  echo "  Tellurane  $t"
  echo "  reference  $r"
  local tc rc
  tc=$(awk -v a="$(echo "$t" | field program_cpu)" -v b="$(echo "$t" | field wineserver_cpu)" 'BEGIN{print a+b}')
  rc=$(awk -v a="$(echo "$r" | field program_cpu)" -v b="$(echo "$r" | field wineserver_cpu)" 'BEGIN{print a+b}')
  echo "  ratio: CPU $(ratio "$tc" "$rc"), working set $(ratio "$(echo "$t" | field working_set_mb)" "$(echo "$r" | field working_set_mb)")"
}

bench_launch() {
  local runs=5 t r
  echo "== Launch to the first time text on the face, median of $runs runs"
  t=$(for _ in $(seq 1 $runs); do act launch "$tellurane" Tellurane.Form1 | field first_time_text_ms; done | median)
  r=$(for _ in $(seq 1 $runs); do act launch "$reference" Tellurane.Reference | field first_time_text_ms; done | median)
  echo "  Tellurane ${t} ms, reference ${r} ms, ratio $(ratio "$t" "$r")"
}

bench_actions() {
  local action t r
  echo "== CPU of single actions (program + wineserver), after the program has settled"
  for action in close minimise; do
    t=$(act "$action" "$tellurane" Tellurane.Form1)
    r=$(act "$action" "$reference" Tellurane.Reference)
    echo "  $action  Tellurane: $t   reference: $r"
  done
  echo "  (close includes Tellurane's one-second wait; minimise its first balloon and the wait beside it;"
  echo "   net: less what the running clock costs anyway over the same time)"
}

bench_tickcost() {
  echo "== 10,000 ticks in one clock window (wall time per tick, and the working set before and after)"
  echo "  $(wine build/windows/bench/tick_cost.exe | tr -d '\r' | tail -1)"
}

bench_ticks() {
  local seconds=${BENCH_TICK_SECONDS:-120}
  echo "== Tick accuracy over $seconds s, both clocks side by side, each face sampled every 10 ms"
  echo "   (delay: how long after the wall-clock second began the face showed it)"
  wine build/windows/bench/tick_accuracy.exe "$tellurane" Tellurane.Form1 "$seconds" | tr -d '\r' > /tmp/tellurane-ticks &
  wine build/windows/bench/tick_accuracy.exe "$reference" Tellurane.Reference "$seconds" | tr -d '\r' > /tmp/reference-ticks
  wait
  echo "  Tellurane  $(cat /tmp/tellurane-ticks)"
  echo "  reference  $(cat /tmp/reference-ticks)"
}

bench_skin() {
  # The heaviest shipped skin (outline, shadow, translucent window) beside the program and the bench.
  local skin=skins/glass.cjs folder
  echo "== With the skin $skin: idle, one tick, and applying the skin"
  for folder in build/windows/x build/windows/bench/x; do mkdir -p "$folder" && cp "$skin" "$folder/o.cjs"; done
  bench_idle
  bench_tickcost
  wine build/windows/bench/tick_cost.exe | tr -d '\r' | grep apply_skin
  rm -rf build/windows/x build/windows/bench/x
}

for section in $sections; do
  "bench_$section"
done
