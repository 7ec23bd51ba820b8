#!/usr/bin/env bash
# The package for Windows users: scripts/package.sh makes the zip from the
# build; unpacked into a folder of a fresh Wine prefix, the program starts,
# answers its first start with its main window, and its help viewer opens the
# help file that came with it.
#   check_package.sh REPO BUILD WatchFirstStart.exe
set -euo pipefail
repo=$1 build=$2 watcher=$3
work=$(mktemp -d)
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY
cleanup() { WINEPREFIX="$work/prefix" wineserver -k >/dev/null 2>&1 || true; rm -rf "$work"; }
trap cleanup EXIT

zip=$(SLEEVORY_BUILD_DIR="$build" "$repo/scripts/package.sh" --no-build "$work" | tail -n 1)
echo "package: $(basename "$zip")"
unzip -l "$zip" | tee "$work/listing.txt"
for f in Sleevory.exe Sleevory.chm labels.ini Default1.slv Default2.slv README.txt; do
  grep -q "/$f\$" "$work/listing.txt" || { echo "FAIL: $f is not in the package"; exit 1; }
done

export WINEPREFIX="$work/prefix"
. "$repo/cmake/wine-prefix.sh"
prepare_wine_prefix wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
unzip -q "$zip" -d "$WINEPREFIX/drive_c/"
folder=$(basename "$zip" .zip)

# A fresh prefix: the first start asks for the label paper, then opens the help.
(cd "$WINEPREFIX/drive_c/$folder" && wine "C:\\$folder\\Sleevory.exe" >/dev/null 2>&1 &)
if wine "$watcher" 90; then
  echo "the unpacked program started and found its help"
else
  echo "FAIL: the unpacked program did not show its main window and its help"
  exit 1
fi
