#!/usr/bin/env bash
# Fuzzes the skin file reader with libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer, natively.
#   scripts/fuzz-skin.sh [seconds]     (60 by default; FUZZ_OUT=folder to work elsewhere than build/fuzz)
# The seed corpus (tests/fuzz/corpus and the shipped skins) is copied, never written; an input that crashes or hangs the
# reader is kept in tests/fuzz/crashes, where the unit tests run it from then on, and the script fails.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
seconds=${1:-60}
out=${FUZZ_OUT:-build/fuzz}

if ! command -v clang++ >/dev/null; then
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends clang
fi

mkdir -p "$out"
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -I. \
  logic/skin_file.cpp logic/skin_text.cpp tests/fuzz/skin_fuzz.cpp -o "$out/skin_fuzz"
rm -rf "$out/corpus" "$out/findings"
mkdir -p "$out/corpus" "$out/findings"
cp tests/fuzz/corpus/* skins/*.cjs "$out/corpus/"

# New inputs go to the first folder only: the past crashes are read, not written.
status=0
"$out/skin_fuzz" "$out/corpus" tests/fuzz/crashes -dict=tests/fuzz/skin.dict -max_total_time="$seconds" \
  -max_len=70000 -timeout=5 -rss_limit_mb=2048 -artifact_prefix="$out/findings/" -print_final_stats=1 \
  >"$out/fuzz.log" 2>&1 || status=$?
grep -E '^#[0-9]+[[:space:]]+(INITED|DONE)|^stat::(number_of_executed_units|average_exec_per_sec)|ERROR|SUMMARY' "$out/fuzz.log" || true

if compgen -G "$out/findings/*" >/dev/null; then
  cp "$out"/findings/* tests/fuzz/crashes/
  echo "fuzz-skin: $(ls "$out/findings" | wc -l) finding(s) copied to tests/fuzz/crashes; see $out/fuzz.log" >&2
  exit 1
fi
if [ "$status" -ne 0 ]; then echo "fuzz-skin: the fuzzer failed ($status); see $out/fuzz.log" >&2; fi
exit "$status"
