# Sourced: the environment of the project's Wine session for the DPI in TELLURANE_DPI (96 by default).
# TELLURANE_SESSION=languages: a session of its own for programs run under another LANG, since Wine
# rewrites a prefix's regional settings to the LANG of each process it starts.
# TELLURANE_SESSION=quick-start: the clock scripts/run.sh leaves running, kept apart from the tests' sessions
# (a second clock there would put a second icon in the notification area the tests look at).
tellurane_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export TELLURANE_DPI=${TELLURANE_DPI:-96}
tellurane_session=${TELLURANE_SESSION:+-$TELLURANE_SESSION}
export WINEPREFIX=${TELLURANE_WINEPREFIX:-$tellurane_root/build/wine-$TELLURANE_DPI$tellurane_session}
# Wine takes the UI language and the regional settings from LANG: the program speaks English in the
# usual sessions whatever the machine's LANG, and only the languages session runs under another.
if [ -z "$tellurane_session" ]; then
  export LANG=C.UTF-8
  unset LC_ALL LC_MESSAGES
fi
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
  case "$tellurane_session" in
    "") ;;
    -quick-start) export DISPLAY=:$((${DISPLAY#:} + 2000)) ;;
    *) export DISPLAY=:$((${DISPLAY#:} + 1000)) ;;
  esac
fi
