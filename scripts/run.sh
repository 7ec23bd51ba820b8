#!/usr/bin/env bash
# Installs what is missing, builds and starts Sleevory under Wine on your display.
#   scripts/run.sh [document.slv]
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
build="${SLEEVORY_BUILD_DIR:-$repo/build}"

if [ -z "${DISPLAY:-}" ]; then
  cat >&2 <<MSG
Sleevory is a Windows desktop program and needs an X display to show its window,
but DISPLAY is not set. Run this from a desktop session, or start a virtual one:
  Xvfb :1 -screen 0 1600x1200x24 &   then   DISPLAY=:1 scripts/run.sh
(ssh -X, or a VNC session, work too.)
MSG
  exit 1
fi

"$repo/scripts/build.sh"

export WINEPREFIX="${SLEEVORY_WINEPREFIX:-$HOME/.local/share/sleevory/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
. "$repo/cmake/wine-prefix.sh"
if [ ! -f "$WINEPREFIX/.sleevory-ready" ]; then
  echo "Preparing a Wine prefix in $WINEPREFIX (first start only)..."
  prepare_wine_prefix
fi

# A bare X server (Xvfb, say) has no window manager to carry out wine's
# requests to maximise or move a window: there wine places its windows itself.
managed=Y
if ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; then managed=N; fi
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$managed" /f >/dev/null 2>&1 || true

args=()
if [ $# -gt 0 ]; then args+=("$(winepath -w "$(realpath "$1")")"); fi
cd "$build"
exec wine ./Sleevory.exe "${args[@]}"
