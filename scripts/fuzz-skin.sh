#!/usr/bin/env bash
# Fuzzes the skin file reader with libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer, natively.
#   scripts/fuzz-skin.sh [seconds]     (60 by default)
# The seed corpus in tests/fuzz/corpus is copied, never written; an input that crashes the reader is
# kept in tests/fuzz/crashes, where the unit tests run it from then on, and the script fails.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
seconds=${1:-60}
if ! command -v clang++ >/dev/null; then
  sudo_cmd=(); [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends clang
fi
mkdir -p build/fuzz
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -I. \
  core/skin_file.cpp tests/fuzz/skin_fuzz.cpp -o build/fuzz/skin_fuzz
rm -rf build/fuzz/corpus build/fuzz/findings && mkdir -p build/fuzz/corpus build/fuzz/findings
cp tests/fuzz/corpus/* build/fuzz/corpus/
status=0
build/fuzz/skin_fuzz build/fuzz/corpus -max_total_time="$seconds" -max_len=70000 -timeout=5 -rss_limit_mb=2048 \
  -artifact_prefix=build/fuzz/findings/ -print_final_stats=1 2>&1 | tail -n 25 || status=$?
if compgen -G "build/fuzz/findings/*" >/dev/null; then
  cp build/fuzz/findings/* tests/fuzz/crashes/
  echo "fuzz-skin: findings copied to tests/fuzz/crashes" >&2
  exit 1
fi
exit $status
