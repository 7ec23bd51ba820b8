#!/usr/bin/env bash
# Makes the pictures of the help pages (help/images/*.png) from the running
# program, on a private Xvfb display in a fresh Wine prefix: its first start
# shows the Change Label Paper dialog, then the main window with the default
# label. Run it after a window the pictures show has changed, look at the
# pictures and commit them; the build uses the committed pictures and needs
# no display.
#   scripts/help-pictures.sh [--no-build]
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
build="${SLEEVORY_BUILD_DIR:-$repo/build}"
images="$repo/help/images"

for tool in xdotool; do
  command -v "$tool" >/dev/null 2>&1 || {
    SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
    $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$tool" >/dev/null
  }
done
[ "${1:-}" = "--no-build" ] || "$repo/scripts/build.sh"

work=$(mktemp -d)
xvfb_pid=""
cleanup() {
  WINEPREFIX="$work/prefix" wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

for n in $(seq 70 99); do [ -e "/tmp/.X11-unix/X$n" ] || break; done
Xvfb ":$n" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":$n" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEPREFIX="$work/prefix"
sleep 1
. "$repo/cmake/wine-prefix.sh"
prepare_wine_prefix
# No window manager: wine places the windows itself.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1

mkdir -p "$WINEPREFIX/drive_c/Sleevory"
cp "$build/Sleevory.exe" "$build/Sleevory.chm" "$WINEPREFIX/drive_c/Sleevory/"
(cd "$WINEPREFIX/drive_c/Sleevory" && wine 'C:\Sleevory\Sleevory.exe' >/dev/null 2>&1 &)

# Waits for a visible window whose title matches; prints its id.
wait_for() {
  for _ in $(seq 1 300); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.2
  done
  echo "no window '$1' appeared" >&2
  return 1
}
shoot() { sleep 1.5; import -window "$1" "$2"; echo "wrote $2"; }

paper=$(wait_for '^ Change Label Paper$')
shoot "$paper" "$images/change-label-paper.png"
xdotool key --window "$paper" Return

# After the label paper the first start opens the help; it is put away so
# that the main window is seen alone.
help=$(wait_for '^Sleevory Help$')
xdotool windowunmap "$help" || true
main=$(wait_for 'Sleevory$')
shoot "$main" "$work/main.png"
convert "$work/main.png" -resize 800x "$images/main-window.png"
echo "wrote $images/main-window.png"
