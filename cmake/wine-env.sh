#!/usr/bin/env bash
# Runs a command in the tests' private Wine prefix.
#   wine-env.sh PREFIX setup|cleanup|run [program args...]
# setup: creates the prefix when missing (fonts copied in, null display driver
#        unless SLEEVORY_TEST_DISPLAY is set), then starts a persistent wine server
#        detached, so later runs don't each wait for one to start and stop.
# cleanup: stops the wine server.
# run: runs a Windows program with the prefix's environment.
set -euo pipefail
export WINEPREFIX="$1"; shift
action="$1"; shift
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# Run on a private X display when asked (screenshots), else on no display at all.
if [ -n "${SLEEVORY_TEST_DISPLAY:-}" ]; then export DISPLAY="$SLEEVORY_TEST_DISPLAY"; else unset DISPLAY; fi

set_graphics() {
  if [ -n "${SLEEVORY_TEST_DISPLAY:-}" ]; then
    wine reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f >/dev/null 2>&1 || true
    # A bare X server has no window manager: unmanaged windows don't wait for one.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  else
    wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
  fi
}

# The tests' prefix is private to the build folder: a half-made one is thrown
# away. Without a display, wineboot must not try to open windows.
fresh_prefix_without_display() {
  rm -rf "$WINEPREFIX"
  ( unset DISPLAY; wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1 || true )
}
. "$(dirname "$0")/wine-prefix.sh"

case "$action" in
  setup)
    prepare_wine_prefix fresh_prefix_without_display
    set_graphics
    # Detached, with its output away from CTest's pipe.
    setsid wineserver -p >/dev/null 2>&1 < /dev/null &
    sleep 0.5
    ;;
  cleanup)
    wineserver -k >/dev/null 2>&1 || true
    ;;
  run)
    exec wine "$@"
    ;;
  *) echo "unknown action $action" >&2; exit 2 ;;
esac
