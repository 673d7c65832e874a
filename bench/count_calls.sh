#!/usr/bin/env bash
# What an idle program asks of the system, counted from Wine's relay log of that program alone:
# registry calls, file checks, and the wake-ups of its main thread, per minute, over SECONDS after
# SKIP seconds of start-up (reading the settings then is expected), in a STATE of the clock's: seen (as
# started), or, from 4 s after the start, hidden in the tray, locked or with the display off
# (bench/clock_state.exe sends what Windows would; the tray's first balloon then stays 5 s: SKIP 12 lets
# it go before the counting starts). Also the CPU time of all its threads over those
# seconds, in nanoseconds (/proc/PID/task/*/schedstat): the relay log itself costs most of it while the
# program calls anything, so it is a figure for a program that calls nothing.
#   bench/count_calls.sh program.exe [seconds=60] [skip=5] [state=seen]
#   COUNT_CALLS_RELAY=0 bench/count_calls.sh ...   the CPU alone, without the relay log's cost
# Prints one line of key=value figures, then one line per group naming the calls counted.
# Runs in the project's Wine session (started if needed); the mouse pointer is moved off the clocks.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
program=$(realpath "$1") seconds=${2:-60} skip=${3:-5} state=${4:-seen}
clock_state=$here/build/windows/bench/clock_state.exe
# shellcheck source=../scripts/wine-env.sh
source "$here/scripts/wine-env.sh"
"$here/scripts/wine-session" start

# Under Wine a repaint beneath the pointer costs any program far more than the clock itself.
xdotool mousemove 1 1

work=$(mktemp -d)
wine_pid=
trap '[ -n "$wine_pid" ] && kill -KILL "$wine_pid" 2>/dev/null; rm -rf "$work"' EXIT
mkfifo "$work/log"

# The log runs to some 400,000 lines in a program's first second: it is counted as it comes, never
# stored. Lines read "ticks:process:thread:Call module.Function(arguments) ret=caller" or
# "ticks:process:thread:Ret  module.Function() retval=value ret=caller" (ticks in ms, hex ids).
awk -v skip="$skip" -v seconds="$seconds" -v state="$state" '
BEGIN { FS = ":" }
function classify(name,   f, c) {
  f = name; sub(/^[^.]*\./, "", f)
  c = ""
  if (f ~ /^Reg[A-Z]/ ||
      f ~ /^(Nt|Zw)(CreateKey|CreateKeyTransacted|OpenKey|OpenKeyEx|OpenKeyTransacted|OpenKeyTransactedEx|QueryKey|QueryValueKey|QueryMultipleValueKey|EnumerateKey|EnumerateValueKey|SetValueKey|SetInformationKey|DeleteKey|DeleteValueKey|FlushKey|RenameKey|SaveKey|LoadKey|NotifyChangeKey|NotifyChangeMultipleKeys)$/ ||
      f ~ /^Rtl(QueryRegistryValues|QueryRegistryValuesEx|OpenCurrentUser|CheckRegistryKey|WriteRegistryValue|DeleteRegistryValue|CreateRegistryKey)$/ ||
      f ~ /^SH(Reg|GetValue|SetValue|QueryValue|DeleteKey|DeleteEmptyKey|DeleteValue|EnumKey|EnumValue|QueryInfoKey|CopyKey|OpenRegStream)/)
    c = "registry"
  else if (f ~ /^(Nt|Zw)(QueryAttributesFile|QueryFullAttributesFile|CreateFile|OpenFile)$/ ||
           f ~ /^(GetFileAttributes|FindFirstFile|CreateFile|PathFileExists|PathIsDirectory)/)
    c = "files"
  else if (name ~ /^user32\.(GetMessage[AW]|MsgWaitForMultipleObjects|MsgWaitForMultipleObjectsEx|WaitMessage)$/)
    c = "wait"
  else if (name ~ /^user32\.PeekMessage[AW]$/)
    c = "peek"
  kind[name] = c
  return c
}
NF >= 4 && $1 ~ /^ *[0-9]+\.[0-9]+$/ {
  if (process == "") {
    # The first line comes from the main thread, loading the program.
    process = $2; main = $3; from = $1 + skip; to = from + seconds
  }
  if ($2 != process) next  # a process it started: not its own calls
  t = $1 + 0
  what = substr($4, 1, 4)
  if (what != "Call" && what != "Ret ") next
  name = substr($4, 6); sub(/\(.*/, "", name)
  c = (name in kind) ? kind[name] : classify(name)
  if (c == "") next
  last = t
  counting = t >= from && t < to
  if (c == "registry" || c == "files") {
    # Only the outermost call: RegOpenKeyExW and the NtOpenKeyEx it makes are one call.
    if (what == "Call") {
      if (counting && open[$3, c] == 0) { count[c]++; names[c, name]++ }
      open[$3, c]++
    } else if (open[$3, c] > 0) {
      open[$3, c]--
    }
    next
  }
  if (what != "Ret " || $3 != main || !counting) next
  retval = $0; sub(/.* retval=/, "", retval); sub(/ .*/, "", retval)
  if (c == "wait") count["wakeups"]++
  # A message taken: GetMessage gives nonzero but -1, PeekMessage nonzero.
  if ((c == "wait" && name ~ /GetMessage/ && retval != "00000000" && retval != "ffffffff") ||
      (c == "peek" && retval != "00000000"))
    count["messages"]++
}
END {
  if (process == "") { print "count_calls: the program wrote no log" > "/dev/stderr"; exit 1 }
  # A program that sleeps logs nothing: only one that was seen is expected to log to the end.
  if (last < to - 2 && state == "seen")
    printf "count_calls: the log stopped %.1f s before the end of the counted time\n", to - last > "/dev/stderr"
  per = 60 / seconds
  printf "registry_per_min=%.1f file_checks_per_min=%.1f wakeups_per_min=%.1f messages_per_min=%.1f\n",
         count["registry"] * per, count["files"] * per, count["wakeups"] * per, count["messages"] * per
  split("registry files", groups, " ")
  for (g = 1; g <= 2; g++) {
    line = ""
    for (key in names) {
      split(key, part, SUBSEP)
      if (part[1] == groups[g]) line = line sprintf(" %s=%.1f", part[2], names[key] * per)
    }
    print groups[g] ":" (line == "" ? " none" : line)
  }
}' < "$work/log" > "$work/counts" &
counter=$!

# Only this program logs: the session's wineserver, started earlier with WINEDEBUG=-all, keeps quiet.
# Started from its own folder, as a user's shortcut would.
relay=${COUNT_CALLS_RELAY:-1}
debug=+relay,+timestamp,+pid
[ "$relay" = 0 ] && debug=-all
(cd "$(dirname "$program")" && WINEDEBUG=$debug exec wine "$program" </dev/null >/dev/null 2>"$work/log" 9>&-) &
wine_pid=$!
cpu_ns() { cat /proc/"$wine_pid"/task/*/schedstat 2>/dev/null | awk '{ n += $1 } END { printf "%d", n }'; }
sleep 4
if [ "$state" != seen ]; then
  WINEDEBUG=-all wine "$clock_state" "$state" </dev/null >/dev/null 2>&1 9>&- || echo "count_calls: no $state" >&2
fi
sleep "$(awk -v a="$skip" 'BEGIN { print (a > 4 ? a - 4 : 0) }')"
cpu_from=$(cpu_ns)
sleep "$seconds"
cpu_to=$(cpu_ns)
sleep 2
if ! kill -0 "$wine_pid" 2>/dev/null; then
  echo "count_calls: $program ended before the counted time was over" >&2
  wait "$counter" || true
  exit 1
fi
kill -KILL "$wine_pid"  # as a terminated process: the log ends here
wait "$wine_pid" 2>/dev/null || true
wine_pid=
cpu=$(awk -v a="$cpu_from" -v b="$cpu_to" -v s="$seconds" 'BEGIN { printf "%d", (b - a) * 60 / s }')
if [ "$relay" = 0 ]; then
  wait "$counter" 2>/dev/null || true  # it read no log
  echo "cpu_ns_per_min=$cpu"
  exit 0
fi
wait "$counter"
sed "1s/\$/ cpu_ns_per_min=$cpu/" \
  "$work/counts"
