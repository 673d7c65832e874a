#!/usr/bin/env bash
# Builds Tellurane's setup program around one Tellurane.exe:
#   installer/make-setup.sh path/to/Tellurane.exe path/to/tellurane_version.h OUT-setup.exe
# The version header is the one CMake generates, so the setup carries the program's own version.
set -euo pipefail
exe=$1
header=$2
out=$3
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

define() { sed -n "s/^#define $1 \"\{0,1\}\([^\"]*\)\"\{0,1\}\$/\1/p" "$header"; }
version=$(define TELLURANE_VERSION_TEXT)
numbers=$(define TELLURANE_VERSION_NUMBERS | tr ',' '.')
year=$(define TELLURANE_COPYRIGHT_YEAR)
[ -n "$version" ] && [ -n "$numbers" ] && [ -n "$year" ] || { echo "no version in $header" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$here/payload.sh" "$exe" "$work/payload"
# The skins by name: those this release installs, and every one any release shipped, which setup and
# the uninstaller remove.
shipped=$(grep -v '^#' "$here/shipped-skins.txt" | grep . | LC_ALL=C sort -u)
for skin in "$work"/payload/skins/*.cjs; do
  name=$(basename "$skin")
  grep -qxF "$name" <<<"$shipped" || { echo "$name is not in installer/shipped-skins.txt" >&2; exit 1; }
done
nsh_list() { LC_ALL=C sort | while read -r name; do printf '!insertmacro ${OP} "%s"\n' "$name"; done |
  { echo "!macro $1 OP"; cat; echo '!macroend'; }; }
{
  for skin in "$work"/payload/skins/*.cjs; do basename "$skin"; done | nsh_list TELLURANE_SKINS
  nsh_list TELLURANE_SHIPPED_SKINS <<<"$shipped"
} > "$work/skins.nsh"

mkdir -p "$(dirname "$out")"
out=$(cd "$(dirname "$out")" && pwd)/$(basename "$out")
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DVERSION_NUMBERS="$numbers" -DCOPYRIGHT_YEAR="$year" \
  -DPAYLOAD="$work/payload" -DSKINS_LIST="$work/skins.nsh" -DOUTFILE="$out" "$here/tellurane.nsi"
