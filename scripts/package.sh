#!/usr/bin/env bash
# Makes Sleevory-<version>-win64.zip for Windows users from the build: the
# program, its help file, the default labels.ini and templates it keeps beside
# itself, and a short text on installing it and the settings it keeps.
#   scripts/package.sh [--no-build] [output folder]
# Builds first (unless --no-build); the zip goes to the output folder, by
# default the build folder. The default files are written by the program's own
# code under Wine (tools/MakeDefaultFiles.cpp), in a scratch Wine prefix unless
# SLEEVORY_PACKAGE_WINEPREFIX names one.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
build="${SLEEVORY_BUILD_DIR:-$repo/build}"

do_build=1
if [ "${1:-}" = "--no-build" ]; then do_build=0; shift; fi
out=$(realpath -m "${1:-$build}")
[ $do_build -eq 1 ] && "$repo/scripts/build.sh"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "no project version in $build/CMakeCache.txt: build first" >&2; exit 1; }
for f in Sleevory.exe Sleevory.chm MakeDefaultFiles.exe; do
  [ -f "$build/$f" ] || { echo "$build/$f is missing: build first" >&2; exit 1; }
done

name="Sleevory-$version-win64"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
stage="$work/$name"
mkdir -p "$stage"
cp "$build/Sleevory.chm" "$stage/"
# Without the debugging information the build keeps.
x86_64-w64-mingw32-strip -o "$stage/Sleevory.exe" "$build/Sleevory.exe"

# The default label papers and templates, as the program itself writes them.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX="${SLEEVORY_PACKAGE_WINEPREFIX:-$work/wineprefix}"
unset DISPLAY
. "$repo/cmake/wine-prefix.sh"
if [ ! -f "$WINEPREFIX/.sleevory-ready" ]; then
  prepare_wine_prefix wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1 || true
fi
wine "$build/MakeDefaultFiles.exe" "$(winepath -w "$stage")\\"
[ -z "${SLEEVORY_PACKAGE_WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1 || true

sed "s/@VERSION@/$version/g" "$repo/scripts/package-readme.txt" | sed 's/$/\r/' > "$stage/README.txt"

mkdir -p "$out"
rm -f "$out/$name.zip"
(cd "$work" && zip -q -r -X "$out/$name.zip" "$name")
echo "$out/$name.zip"
