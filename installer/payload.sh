#!/usr/bin/env bash
# Lays out what Tellurane ships, as it lands next to the program:
#   installer/payload.sh path/to/Tellurane.exe DIR
# DIR gets Tellurane.exe, skins/*.cjs, "User guide.txt" (CRLF) and skins.md. Every file and folder
# gets the same time (SOURCE_DATE_EPOCH, else the last commit's) and plain permissions, so what is
# packed from DIR does not depend on when or by whom it was built.
set -euo pipefail
exe=$1
dir=$2
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 315532800)}

rm -rf "$dir"
mkdir -p "$dir/skins"
cp "$exe" "$dir/Tellurane.exe"
cp "$root"/skins/*.cjs "$dir/skins/"
# Notepad on older Windows shows LF-only text as one line.
sed 's/\r*$/\r/' "$root/docs/user-guide.txt" > "$dir/User guide.txt"
cp "$root/docs/skins.md" "$dir/skins.md"
find "$dir" -type d -exec chmod 755 {} + -o -type f -exec chmod 644 {} +
chmod 755 "$dir/Tellurane.exe"
find "$dir" -exec touch -h -d "@$epoch" {} +
