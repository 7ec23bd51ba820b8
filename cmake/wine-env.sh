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

case "$action" in
  setup)
    if [ ! -f "$WINEPREFIX/.sleevory-ready" ]; then
      rm -rf "$WINEPREFIX"
      mkdir -p "$WINEPREFIX"
      # Without a display, wineboot must not try to open windows.
      ( unset DISPLAY; wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1 || true )
      wineboot -i >/dev/null 2>&1 || true
      # Debian's wine doesn't find its own fonts: copy them into the prefix.
      mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
      cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
      wineserver -w || true
      # A prefix wine could not set up must not be taken as ready next time.
      if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "wineboot could not create the prefix $WINEPREFIX" >&2
        exit 1
      fi
      touch "$WINEPREFIX/.sleevory-ready"
    fi
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
