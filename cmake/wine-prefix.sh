# Sourced by cmake/wine-env.sh (tests, benchmarks) and scripts/run.sh.
#   prepare_wine_prefix [command...]
# Creates the Wine prefix $WINEPREFIX once: the command (if any) runs first,
# before the prefix is made and booted, then wine's own fonts are copied in and the
# prefix is marked ready. A prefix wine could not set up is not marked, so the
# next start tries again instead of running in a broken one.
prepare_wine_prefix() {
  [ -f "$WINEPREFIX/.sleevory-ready" ] && return 0
  if [ $# -gt 0 ]; then "$@"; fi
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  # Debian's wine doesn't find its own fonts: copy them into the prefix.
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  wineserver -w || true
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wineboot could not create the prefix $WINEPREFIX" >&2
    return 1
  fi
  touch "$WINEPREFIX/.sleevory-ready"
}
