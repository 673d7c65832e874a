#!/usr/bin/env bash
# The second compiler's checks: Tellurane.exe, its tests and benchmarks built with clang for 32-bit Windows (warnings
# are errors), clang-tidy over the sources of the program, the tests and the benchmarks (.clang-tidy; any finding
# fails), and the tree's format (.clang-format, enforced with clang-format 14 only). Runs every check and fails if
# any failed.
# Installs what is missing first (Debian; as root or with sudo). GCC still builds the release.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.." || exit 1

clang_tidy=${CLANG_TIDY:-clang-tidy}
clang_format=${CLANG_FORMAT:-clang-format}
format_major=14  # the version the tree is formatted with: others break lines differently
jobs=2
failed=()

step_start=0
begin() {
    echo "== $1"
    step_start=$EPOCHREALTIME
}
# Prints how long the step took and notes a failure.
end() {
    local status=$1 name=$2
    local seconds
    seconds=$(awk -v a="$step_start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.1f", b - a }')
    if [ "$status" -eq 0 ]; then
        echo "-- $name: ok (${seconds} s)"
    else
        echo "-- $name: FAILED (${seconds} s)"
        failed+=("$name")
    fi
}

begin "dependencies"
scripts/install-deps.sh
end $? "dependencies"
[ ${#failed[@]} -eq 0 ] || exit 1

begin "configure (preset windows-clang)"
cmake --preset windows-clang >/dev/null
end $? "configure"
[ ${#failed[@]} -eq 0 ] || exit 1

begin "build: Tellurane, the tests and the benchmarks with clang, warnings as errors"
cmake --build --preset windows-clang
end $? "build"

# The build folder's compile commands give clang-tidy the same flags; the generated headers exist after configure,
# so a failed build still gets its clang-tidy findings. --system-headers: GoogleTest's headers are system headers,
# and TEST() spells a test's function inside its own text, so clang would drop every finding about a test's body
# (a 100-line test would pass the 60-line rule) as one of a system macro. The header filter of .clang-tidy still
# keeps out the findings in GoogleTest's, MinGW-w64's and the standard library's own headers.
tidy_one() {
    local out
    if ! out=$("$clang_tidy" --quiet --system-headers -p build/clang "$1" 2>&1); then
        printf '%s\n' "$out"
        return 1
    fi
}
export -f tidy_one
export clang_tidy
begin "clang-tidy ($("$clang_tidy" --version | grep -o 'version [0-9.]*')) over logic/ win32/ app/ tests/ bench/, -j$jobs"
# The fuzz target, built apart by scripts/fuzz-skin.sh, has no compile command of its own: clang-tidy takes the
# nearest source's (a unit test's), for the same target.
# shellcheck disable=SC2016  # $1 is the inner shell's
find logic win32 app tests bench -name '*.cpp' -print0 | sort -z | xargs -0 -r -n1 -P"$jobs" bash -c 'tidy_one "$1"' _
end $? "clang-tidy"

begin "clang-format over logic/ win32/ app/ tests/ bench/"
version=$("$clang_format" --version)
major=$(printf '%s' "$version" | sed -n 's/.*version \([0-9][0-9]*\).*/\1/p')
if [ "$major" = "$format_major" ]; then
    find logic win32 app tests bench \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z |
        xargs -0 -r "$clang_format" --dry-run --Werror
    end $? "clang-format"
else
    echo "note: $version is not clang-format $format_major, which the tree is formatted with; format not checked"
    end 0 "clang-format (skipped)"
fi

if [ ${#failed[@]} -ne 0 ]; then
    echo "check-clang: failed: ${failed[*]}"
    exit 1
fi
echo "check-clang: all passed"
