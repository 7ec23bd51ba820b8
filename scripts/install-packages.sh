#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need.
# Safe to run repeatedly: only missing packages are installed.
set -euo pipefail

packages=(
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  mingw-w64-x86-64-dev libz-mingw-w64-dev
  cmake make ccache dpkg-dev autoconf automake libtool nasm
  wine wine64 fonts-wine xvfb xauth x11-utils googletest
  # faces with Arial's, Times New Roman's and Courier New's metrics, which the
  # labels use: without them wine lays text out in a wider substitute
  fonts-liberation
  # image codec tests (independent decoders) and the host-built fuzz targets
  imagemagick netpbm clang libclang-rt-14-dev
  # the JPEG and PNG fuzz targets link the host's libraries; scripts/bench.sh
  # times libjpeg-turbo's own djpeg and cjpeg
  libjpeg62-turbo-dev libpng-dev libjpeg-turbo-progs
  # album-source fixtures made and checked by other programs: CD-Text packs by
  # libburn (cdrskin's library), disc ids by libdiscid, MP3 files by lame, sox
  # and ffmpeg, their play times by ffprobe and mp3info, their tags by id3v2
  libburn-dev cdrskin libdiscid0 lame sox ffmpeg mp3info id3v2 python3
  # the printing tests: a private CUPS server whose queue writes PDF (the
  # generic PDF printer description comes with cups-filters), and Ghostscript
  # to render the printed pages for measuring
  cups cups-client cups-filters ghostscript
  # the help file: chmcmd compiles help/ into Sleevory.chm, chmls reads it back
  # in the tests; zip packs the program for Windows users (scripts/package.sh)
  fp-utils zip unzip
  # scripts/bench.sh clicks in the running program on a private X display
  xdotool
)

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then SUDO="sudo"; else
    echo "Installing packages needs root: run as root or install sudo." >&2; exit 1
  fi
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
