#!/usr/bin/env bash
# Builds Tellurane.exe and packs it with the user guide into dist/Tellurane-<version>.zip, the version
# being the one CMake gives the version resource.
# Installs what is missing first (Debian 12; as root or with sudo).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Tellurane
version=$(sed -n 's/^#define TELLURANE_VERSION_TEXT "\(.*\)"$/\1/p' build/windows/generated/tellurane_version.h)
staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT
mkdir -p "$staging/Tellurane" dist
cp build/windows/Tellurane.exe "$staging/Tellurane/"
# Windows editors expect CRLF line ends.
sed 's/$/\r/' docs/user-guide.txt > "$staging/Tellurane/User guide.txt"
rm -f "dist/Tellurane-$version.zip"
(cd "$staging" && zip -q -X -r "$OLDPWD/dist/Tellurane-$version.zip" Tellurane)
echo "Package: $(pwd)/dist/Tellurane-$version.zip"
unzip -l "dist/Tellurane-$version.zip"
