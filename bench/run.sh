#!/usr/bin/env bash
# Benchmarks under Wine, side by side with a bare reference clock (one button showing the time,
# refreshed by a plain one-second timer, built the same way), printed as figures and ratios.
# Not part of the tests: absolute times on a shared machine vary, ratios hold.
#   bench/run.sh [wait] [idle] [launch] [actions] [tickcost] [ticks] [skin] [calls] [clocks] [aside] [states]
#   (all when none is named)
#   BENCH_RUNS=5 BENCH_IDLE_SECONDS=60 BENCH_TICK_SECONDS=600 BENCH_CALLS_SECONDS=60 bench/run.sh
#   BENCH_STATE_SECONDS=120 BENCH_STATES="minutes tray" bench/run.sh states
# The figures also go to build/bench/results.txt (each section replaces its own), drawn into docs/bench.png
# and, for several clocks, docs/bench-clocks.png.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
sections=${*:-wait idle launch actions tickcost ticks skin calls clocks aside states}
scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Tellurane wait_cost reference_clock tick_accuracy action_cost tick_cost \
  desktop_keeper clock_state >/dev/null
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

results=build/bench/results.txt
mkdir -p build/bench
touch "$results"
# A section run again replaces its figures and keeps the other sections' from earlier runs.
forget() { local rest; rest=$(grep -v "^$1\\." "$results" || true); printf '%s\n' "$rest" | sed '/^$/d' > "$results"; }
record() { echo "$1=$2" >> "$results"; }

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

# One action of action_cost for one program (with the program's arguments, if any); prints its figures.
act() { wine build/windows/bench/action_cost.exe "$1" "$2" "$3" "$server" "${4:-}" ${5:+"$5"} | tr -d '\r'; }

bench_idle() {
  # Alternating runs: a slow minute of the machine or of the shared wineserver then hits both programs,
  # and the medians leave out the odd run of either. clocks: how many clocks each shows, when it is not one.
  local key=${1:-idle} clocks=${2:-} seconds=${BENCH_IDLE_SECONDS:-60} runs=${BENCH_RUNS:-5} pairs i t r shown
  echo "== Idle over $seconds s, $runs pairs run in turn, the mouse pointer away from the clocks"
  echo "   (CPU seconds of the program alone, and with the wineserver's; working set)"
  pairs=$(mktemp)
  for i in $(seq 1 "$runs"); do
    t=$(act idle "$tellurane" Tellurane.Form1 "$seconds")
    r=$(act idle "$reference" Tellurane.Reference "$seconds" "$clocks")
    if [ -n "$clocks" ]; then
      for shown in "Tellurane $(echo "$t" | field clock_windows)" "reference $(echo "$r" | field clock_windows)"; do
        [ "${shown#* }" = "$clocks" ] || echo "  pair $i: ${shown% *} showed ${shown#* } clock windows, not $clocks"
      done
    fi
    # One line a pair: each program's own CPU, with the wineserver's, and working set.
    echo "$t|$r" | awk -F'|' '
      function figures(text,   n, i, kv, v) {
        n = split(text, part, " ")
        for (i = 1; i <= n; i++) { split(part[i], kv, "="); v[kv[1]] = kv[2] }
        return v["program_cpu"] " " v["program_cpu"] + v["wineserver_cpu"] " " v["working_set_mb"]
      }
      { print figures($1), figures($2) }' >> "$pairs"
    tail -1 "$pairs" | awk -v i="$i" '{
      printf "  pair %d  Tellurane %.2f (%.2f) %.1f MB   reference %.2f (%.2f) %.1f MB\n", i, $1, $2, $3, $4, $5, $6 }'
  done
  # Medians of each program's own figures, the ratio of the medians, and the spread of the pairs' ratios.
  local summary
  summary=$(awk '
    function median(column,   n, i, j, v, x) {
      for (i = 1; i <= NR; i++) v[i] = value[i, column]
      for (i = 2; i <= NR; i++) { x = v[i]; for (j = i - 1; j >= 1 && v[j] > x; j--) v[j + 1] = v[j]; v[j + 1] = x }
      return NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    }
    function spread(name, a, b,   i, q, lo, hi, n) {
      for (i = 1; i <= NR; i++) {
        if (value[i, b] <= 0) continue
        q = value[i, a] / value[i, b]; n++
        if (n == 1 || q < lo) lo = q
        if (n == 1 || q > hi) hi = q
      }
      if (n) printf "ratio_%s_min=%.2f\nratio_%s_max=%.2f\nratio_%s_pairs=%d\n", name, lo, name, hi, name, n
    }
    function ratio(name, a, b) { if (b > 0) printf "ratio_%s=%.2f\n", name, a / b }
    { for (c = 1; c <= 6; c++) value[NR, c] = $c }
    END {
      for (c = 1; c <= 6; c++) m[c] = median(c)
      printf "tellurane_program_cpu=%.3f\ntellurane_total_cpu=%.3f\ntellurane_working_set_mb=%.1f\n", m[1], m[2], m[3]
      printf "reference_program_cpu=%.3f\nreference_total_cpu=%.3f\nreference_working_set_mb=%.1f\n", m[4], m[5], m[6]
      ratio("program_cpu", m[1], m[4]); spread("program_cpu", 1, 4)
      ratio("total_cpu", m[2], m[5]); spread("total_cpu", 2, 5)
      ratio("working_set", m[3], m[6])
    }' "$pairs")
  rm -f "$pairs"
  get() { echo "$summary" | sed -n "s/^$1=//p" | grep . || echo n/a; }
  printf '  median  Tellurane %s (%s) %s MB   reference %s (%s) %s MB\n' \
    "$(get tellurane_program_cpu)" "$(get tellurane_total_cpu)" "$(get tellurane_working_set_mb)" \
    "$(get reference_program_cpu)" "$(get reference_total_cpu)" "$(get reference_working_set_mb)"
  # A pair whose reference used no measurable CPU (10 ms steps, short runs) has no ratio of its own.
  spread() {
    local n; n=$(get "ratio_$1_pairs")
    if [ "$n" = n/a ]; then echo "no pair measurable"; return; fi
    echo "pairs $(get "ratio_$1_min") to $(get "ratio_$1_max")$([ "$n" -lt "$runs" ] && echo ", $n of $runs measurable")"
  }
  echo "  ratio of the medians: program $(get ratio_program_cpu) ($(spread program_cpu)), with the wineserver" \
    "$(get ratio_total_cpu) ($(spread total_cpu)), working set $(get ratio_working_set)"
  forget "$key"
  record "$key.seconds" "$seconds"
  record "$key.runs" "$runs"
  echo "$summary" | sed "s/^/$key./" >> "$results"
}

bench_launch() {
  local runs=5 t r
  echo "== Launch to the first time text on the face, median of $runs runs"
  t=$(for _ in $(seq 1 $runs); do act launch "$tellurane" Tellurane.Form1 | field first_time_text_ms; done | median)
  r=$(for _ in $(seq 1 $runs); do act launch "$reference" Tellurane.Reference | field first_time_text_ms; done | median)
  echo "  Tellurane ${t} ms, reference ${r} ms, ratio $(ratio "$t" "$r")"
  forget launch
  record launch.tellurane_ms "$t"
  record launch.reference_ms "$r"
  record launch.ratio "$(ratio "$t" "$r")"
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
  local key=${1:-tickcost} out line
  echo "== 10,000 ticks in one clock window (wall time per tick, and the working set before and after)"
  out=$(wine build/windows/bench/tick_cost.exe | tr -d '\r')
  line=$(echo "$out" | tail -1)
  echo "  $line"
  # With a skin beside the program, the same run also times applying it.
  echo "$out" | grep -E 'apply_skin|redrawn_by_a_tick' || true
  forget "$key"
  echo "$line $(echo "$out" | grep -o 'apply_skin_ms=[0-9.]*')" | tr ' ' '\n' | grep = | sed "s/^/$key./" >> "$results"
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
  bench_idle skin.idle
  bench_tickcost skin.tickcost
  rm -rf build/windows/x build/windows/bench/x
}

bench_calls() {
  local seconds=${BENCH_CALLS_SECONDS:-60} skip=5 name exe out
  echo "== Calls while idle, per minute over $seconds s after $skip s of start-up (Wine's relay log of the program alone)"
  forget calls
  record calls.seconds "$seconds"
  for name in Tellurane reference; do
    exe=build/windows/Tellurane.exe
    [ "$name" = reference ] && exe=build/windows/bench/reference_clock.exe
    out=$(bench/count_calls.sh "$exe" "$seconds" "$skip")
    echo "$out" | head -1 | awk -v n="$name" '{
      for (i = 1; i <= NF; i++) { split($i, kv, "="); v[kv[1]] = kv[2] }
      printf "  %-10s registry %s, file checks %s, wake-ups %s (messages taken %s)\n", n,
        v["registry_per_min"], v["file_checks_per_min"], v["wakeups_per_min"], v["messages_per_min"] }'
    echo "$out" | tail -n +2 | sed 's/^/               /'
    echo "$out" | head -1 | tr ' ' '\n' | sed "s/^/calls.${name,,}./" >> "$results"
  done
  echo "  (registry: Reg* and the Nt*Key calls beneath; file checks: attribute queries, opens and searches;"
  echo "   wake-ups: returns from GetMessage, MsgWaitForMultipleObjects(Ex) or WaitMessage on the main thread)"
}

# Clocks after the first in the program's settings (Clocks\N below its key), count - 1 of them, each in
# a zone of its own, where bench/clock_places.h puts the reference's windows; the Clocks key is emptied
# first, so 1 leaves none. The zones and labels are tick_cost's.
seed_clocks() {
  local count=$1 reg=build/bench/clocks.reg key='HKEY_CURRENT_USER\Software\Marrowick\Tellurane\Clocks'
  local zones=("Tokyo Standard Time|Tokyo" "UTC|UTC" "|Here" "Pacific Standard Time|Los Angeles"
    "GMT Standard Time|London" "W. Europe Standard Time|Berlin" "India Standard Time|Delhi"
    "AUS Eastern Standard Time|Sydney" "Eastern Standard Time|New York" "China Standard Time|Shanghai"
    "Russian Standard Time|Moscow" "E. South America Standard Time|Sao Paulo"
    "South Africa Standard Time|Johannesburg" "New Zealand Standard Time|Auckland" "Nepal Standard Time|Kathmandu")
  local places=() row column n zone x y
  for row in 0 1 2 3 4 5 6; do
    for column in 0 1 2; do
      [ "$row" = 3 ] || { [ "$row" = 2 ] && [ "$column" = 1 ]; } && continue
      places+=("$((401 * column)) $((100 + 97 * row))")
    done
  done
  {
    printf 'REGEDIT4\r\n\r\n[-%s]\r\n' "$key"
    for ((n = 1; n < count; n++)); do
      zone=${zones[(n - 1) % ${#zones[@]}]}
      read -r x y <<< "${places[(n - 1) % ${#places[@]}]}"
      printf '\r\n[%s\\%d]\r\n' "$key" "$n"
      printf '"%s"="%s"\r\n' TimeZone "${zone%|*}" Label "${zone#*|}" Check4 1 Open 1 \
        Form1Top $((y * 15)) Form1Left $((x * 15)) Form1Height 855 Form1Width 6915
    done
  } > "$reg"
  wine regedit /S "$(winepath -w "$reg")"
}

bench_clocks() {
  local counts=(1 4 16) runs=${BENCH_RUNS:-5} n line pass passes figure
  echo "== Several clocks in one program: idle and one tick with ${counts[*]} clocks, beside the reference"
  echo "   showing as many windows from its one timer"
  forget clocks
  # Whether the program's key was there before: what the section adds to it goes again afterwards.
  local had_key=yes
  wine reg query 'HKCU\Software\Marrowick\Tellurane' >/dev/null 2>&1 || had_key=
  for n in "${counts[@]}"; do
    echo "-- $n clock$([ "$n" = 1 ] || echo s)"
    seed_clocks "$n"
    bench_idle "clocks.$n.idle" "$n"
  done
  # Later sections measure one clock again, in the key as it was.
  seed_clocks 1
  [ -n "$had_key" ] || wine reg delete 'HKCU\Software\Marrowick\Tellurane' /f >/dev/null 2>&1 || true
  # One tick: passes over the counts in turn, so that a slow minute of the machine hits every count,
  # and the median pass of each (tick_cost keeps its clocks in its own key).
  echo "-- One tick of all the clocks, $runs passes over ${counts[*]} clocks in turn"
  passes=$(mktemp)
  for pass in $(seq 1 "$runs"); do
    for n in "${counts[@]}"; do
      line=$(wine build/windows/bench/tick_cost.exe "$n" | tr -d '\r' | tail -1)
      echo "  pass $pass: $line"
      [ "$(echo "$line" | field opened)" = "$n" ] || echo "  pass $pass: not all of $n clocks opened"
      echo "$line" >> "$passes"
    done
  done
  for n in "${counts[@]}"; do
    record "clocks.$n.tick.passes" "$runs"
    record "clocks.$n.tick.opened" "$(grep "^clocks=$n " "$passes" | field opened | sort -n | head -1)"
    for figure in tick_us reference_tick_us; do
      record "clocks.$n.tick.$figure" "$(grep "^clocks=$n " "$passes" | field "$figure" | median)"
    done
    record "clocks.$n.tick.ratio" \
      "$(ratio "$(sed -n "s/^clocks\.$n\.tick\.tick_us=//p" "$results")" \
        "$(sed -n "s/^clocks\.$n\.tick\.reference_tick_us=//p" "$results")")"
  done
  rm -f "$passes"
  clocks_summary "${counts[@]}"
}

bench_aside() {
  # A clock on top that steps aside for full-screen programs (event hooks on the foreground) beside the
  # same clock with that turned off (no hooks): idle, in alternating runs, nothing in full screen.
  local seconds=${BENCH_IDLE_SECONDS:-60} runs=${BENCH_RUNS:-5} key='HKCU\Software\Marrowick\Tellurane' i mode
  local figures
  figures=$(mktemp)
  echo "== Stepping aside for full-screen programs, on and off: idle over $seconds s, $runs pairs in turn"
  forget aside
  wine reg add "$key" /v Check1 /d 1 /f >/dev/null 2>&1
  for i in $(seq 1 "$runs"); do
    for mode in 1 0; do
      wine reg add "$key" /v StepAside /d "$mode" /f >/dev/null 2>&1
      act idle "$tellurane" Tellurane.Form1 "$seconds" |
        awk -v mode="$mode" '{ for (f = 1; f <= NF; f++) { split($f, kv, "="); v[kv[1]] = kv[2] }
          print mode, v["program_cpu"], v["program_cpu"] + v["wineserver_cpu"] }' >> "$figures"
    done
    tail -2 "$figures" | awk -v i="$i" '{ a[$1] = $2 " (" $3 ")" } END { print "  pair " i "  on " a[1] "   off " a[0] }'
  done
  wine reg delete "$key" /v StepAside /f >/dev/null 2>&1 || true
  wine reg delete "$key" /v Check1 /f >/dev/null 2>&1 || true
  local summary
  summary=$(awk '
    function median(list, n,   i, j, x) {
      for (i = 2; i <= n; i++) { x = list[i]; for (j = i - 1; j >= 1 && list[j] > x; j--) list[j + 1] = list[j]; list[j + 1] = x }
      return n % 2 ? list[(n + 1) / 2] : (list[n / 2] + list[n / 2 + 1]) / 2
    }
    { if ($1 == 1) { on[++a] = $2; onAll[a] = $3 } else { off[++b] = $2; offAll[b] = $3 } }
    END {
      p1 = median(on, a); t1 = median(onAll, a); p0 = median(off, b); t0 = median(offAll, b)
      printf "on_program_cpu=%.3f\non_total_cpu=%.3f\noff_program_cpu=%.3f\noff_total_cpu=%.3f\n", p1, t1, p0, t0
      if (p0 > 0) printf "ratio_program_cpu=%.2f\n", p1 / p0
      if (t0 > 0) printf "ratio_total_cpu=%.2f\n", t1 / t0
    }' "$figures")
  rm -f "$figures"
  echo "$summary" | sed 's/^/  /'
  echo "$summary" | sed "s/^/aside./" >> "$results"
}

# Wake-ups and CPU per minute in each state: seen with seconds, seen without (a time picture of hours
# and minutes), hidden in the tray, the session locked, the display off (bench/clock_state.exe sends what
# Windows would; the reference, which knows none of them, only minimises). Wake-ups from the relay log
# (they do not vary); CPU from schedstat without it, the median of alternating runs.
bench_states() {
  local seconds=${BENCH_STATE_SECONDS:-30} runs=${BENCH_RUNS:-3} skip=12 state how name exe run cpu
  local key='HKCU\Software\Marrowick\Tellurane'
  echo "== Wake-ups and CPU per minute in each state, over $seconds s ($runs alternating runs for the CPU)"
  echo "  state              wake-ups/min: Tellurane  reference   CPU ms/min: Tellurane  reference"
  for state in ${BENCH_STATES:-seconds minutes tray locked display-off}; do
    forget "states\\.$state"
    record "states.$state.seconds" "$seconds"
    how=$state
    [ "$state" = seconds ] || [ "$state" = minutes ] && how=seen
    if [ "$state" = minutes ]; then
      wine reg add "$key" /v TimePicture /d HH:mm /f >/dev/null 2>&1
    else
      wine reg delete "$key" /v TimePicture /f >/dev/null 2>&1 || true
    fi
    declare -A wakes=() cpus=()
    for name in tellurane reference; do
      exe=build/windows/Tellurane.exe
      [ "$name" = reference ] && exe=build/windows/bench/reference_clock.exe
      wakes[$name]=$(bench/count_calls.sh "$exe" "$seconds" "$skip" "$how" 2>/dev/null | head -1 | field wakeups_per_min)
    done
    for ((run = 0; run < runs; run++)); do
      for name in tellurane reference; do
        exe=build/windows/Tellurane.exe
        [ "$name" = reference ] && exe=build/windows/bench/reference_clock.exe
        cpu=$(COUNT_CALLS_RELAY=0 bench/count_calls.sh "$exe" "$seconds" "$skip" "$how" 2>/dev/null | field cpu_ns_per_min)
        cpus[$name]+="$cpu "
      done
    done
    for name in tellurane reference; do
      record "states.$state.$name.wakeups_per_min" "${wakes[$name]}"
      record "states.$state.$name.cpu_ms_per_min" \
        "$(tr ' ' '\n' <<<"${cpus[$name]}" | sed '/^$/d' | median | awk '{ printf "%.2f", $1 / 1e6 }')"
    done
    printf '  %-18s %25s %10s %23s %10s\n' "$state" "${wakes[tellurane]}" "${wakes[reference]}" \
      "$(sed -n "s/^states\.$state\.tellurane\.cpu_ms_per_min=//p" "$results")" \
      "$(sed -n "s/^states\.$state\.reference\.cpu_ms_per_min=//p" "$results")"
    unset wakes cpus
  done
  wine reg delete "$key" /v TimePicture /f >/dev/null 2>&1 || true
}

clocks_summary() {
  local n
  clock_figure() { sed -n "s/^clocks\.$1=//p" "$results" | tail -1 | grep . || echo n/a; }
  echo "  clocks  idle CPU s, program (with wineserver)                  one tick, ms"
  echo "          Tellurane       reference       Tellurane/reference    Tellurane  reference  Tellurane/reference"
  for n in "$@"; do
    awk -v n="$n" -v tp="$(clock_figure "$n.idle.tellurane_program_cpu")" \
      -v tt="$(clock_figure "$n.idle.tellurane_total_cpu")" -v rp="$(clock_figure "$n.idle.reference_program_cpu")" \
      -v rt="$(clock_figure "$n.idle.reference_total_cpu")" -v tk="$(clock_figure "$n.tick.tick_us")" \
      -v rk="$(clock_figure "$n.tick.reference_tick_us")" '
      function q(a, b) { return b > 0 ? sprintf("%.2f", a / b) : "n/a" }
      BEGIN { printf "  %5d   %.3f (%.3f)   %.3f (%.3f)   %-4s (%-4s)%17.3f%11.3f  %s\n",
                     n, tp, tt, rp, rt, q(tp, rp), q(tt, rt), tk / 1000, rk / 1000, q(tk, rk) }'
  done
  # How each program grows from the fewest clocks to the most.
  local first=$1 last=${*: -1} who tick figure growth
  for who in tellurane reference; do
    tick=tick_us
    [ "$who" = reference ] && tick=reference_tick_us
    for figure in "idle_program idle.${who}_program_cpu" "idle_total idle.${who}_total_cpu" "tick tick.$tick"; do
      record "clocks.$who.${last}_per_${first}.${figure% *}" \
        "$(ratio "$(clock_figure "$last.${figure#* }")" "$(clock_figure "$first.${figure#* }")")"
    done
    growth=clocks.$who.${last}_per_${first}
    printf '  %s clocks / %s clock, %-9s idle %s (with the wineserver %s), one tick %s%s\n' "$last" "$first" \
      "$([ "$who" = tellurane ] && echo Tellurane: || echo reference:)" \
      "$(clock_figure "${growth#clocks.}.idle_program")" "$(clock_figure "${growth#clocks.}.idle_total")" \
      "$(clock_figure "${growth#clocks.}.tick")" "$([ "$who" = tellurane ] && echo '   (goal: at most 8)')"
  done
}

for section in $sections; do
  "bench_$section"
done
if [ -s "$results" ]; then
  bench/chart.py "$results" docs/bench.png docs/bench-clocks.png docs/bench-states.png
fi
