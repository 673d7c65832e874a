#!/usr/bin/env bash
# Builds Tellurane.exe and makes the release from it, named after the version CMake gives the version
# resource:
#   dist/Tellurane-<version>-setup.exe     the installer (installer/tellurane.nsi)
#   dist/Tellurane-<version>-portable.zip  a Tellurane folder: the program, its skins and the guides
#   dist/winget/, dist/scoop/              what winget and Scoop install them from (scripts/manifests.py)
#   dist/SHA256SUMS                        the checksums of all of them
# The manifests download from TELLURANE_RELEASE_URL, the folder of a release's files with {version} in it
# (default https://github.com/marrowick/tellurane/releases/download/v{version}). The script fails when
# tests/packaging/check_manifests.py finds fault with what it wrote, so no release goes out unchecked.
# Two runs on one commit give the same bytes: every file carries the last commit's time (or
# SOURCE_DATE_EPOCH's), and the archive is made the same way wherever it is made.
# Installs what is missing first (Debian 12; as root or with sudo). BUILD_DIR picks another build folder.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/install-deps.sh
build=${BUILD_DIR:-build/windows}
cmake --preset windows -B "$build" >/dev/null
cmake --build "$build" --target Tellurane
header=$build/generated/tellurane_version.h
version=$(sed -n 's/^#define TELLURANE_VERSION_TEXT "\(.*\)"$/\1/p' "$header")

setup=Tellurane-$version-setup.exe
portable=Tellurane-$version-portable.zip
mkdir -p dist
rm -f "dist/$setup" "dist/$portable" dist/SHA256SUMS "dist/Tellurane-$version.zip"
rm -rf dist/winget dist/scoop

installer/make-setup.sh "$build/Tellurane.exe" "$header" "dist/$setup"

staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT
installer/payload.sh "$build/Tellurane.exe" "$staging/Tellurane"
# The zip alone has a settings file beside the program: the program then keeps its settings there, not in
# the registry. Same time as the rest, the folder's too, which the new file changed.
: > "$staging/Tellurane/Tellurane.ini"
chmod 644 "$staging/Tellurane/Tellurane.ini"
touch -h -r "$staging/Tellurane/Tellurane.exe" "$staging/Tellurane/Tellurane.ini" "$staging/Tellurane"
# Names in one order, no extra fields (owners, access times), DOS times taken in UTC.
(cd "$staging" && find Tellurane | LC_ALL=C sort | TZ=UTC zip -q -X -@ "$OLDPWD/dist/$portable")

python3 scripts/manifests.py "$header" dist
python3 tests/packaging/check_manifests.py dist
echo "Release of Tellurane $version in $(pwd)/dist:"
cat dist/SHA256SUMS
unzip -l "dist/$portable"
