# Sourced: the environment of the project's Wine session for the DPI in TELLURANE_DPI (96 by default).
tellurane_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export TELLURANE_DPI=${TELLURANE_DPI:-96}
export WINEPREFIX=${TELLURANE_WINEPREFIX:-$tellurane_root/build/wine-$TELLURANE_DPI}
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
# Each checkout and DPI has its own virtual display, so two sessions never share a screen.
if [ -z "${TELLURANE_USE_OWN_DISPLAY:-}" ]; then
  tellurane_display_base=$(( 100 + 3 * ($(printf '%s' "$tellurane_root" | cksum | cut -d' ' -f1) % 300) ))
  case "$TELLURANE_DPI" in
    96) export DISPLAY=:$tellurane_display_base ;;
    144) export DISPLAY=:$((tellurane_display_base + 1)) ;;
    *) export DISPLAY=:$((tellurane_display_base + 2)) ;;
  esac
fi
