#!/usr/bin/env bash
# The pictures of the Images pane tests, made by ImageMagick: a very wide one,
# a small one shown at its own size, a tall one, one with transparency.
# Run from anywhere: tests/data/images/make_thumbnail_fixtures.sh
set -euo pipefail
cd "$(dirname "$0")"
convert -size 10000x100 xc:"rgb(255,0,0)" -define png:exclude-chunks=date,time thumb-wide.png
convert -size 50x40 xc:"rgb(0,0,255)" -quality 95 thumb-small.jpg
convert -size 100x300 xc:"rgb(0,255,0)" -type truecolor BMP3:thumb-tall.bmp
convert -size 200x200 xc:"rgba(0,0,0,0)" -fill "rgb(255,0,0)" -draw "rectangle 50,50 149,149" \
  -define png:exclude-chunks=date,time thumb-alpha.png
# JPEGs large enough to be decoded at a reduced scale: colour halves, and grey.
convert -size 2000x1000 xc:"rgb(200,40,40)" -fill "rgb(40,40,200)" -draw "rectangle 1000,0 1999,999" -quality 92 thumb-large.jpg
convert -size 300x240 xc:gray50 -colorspace Gray -quality 92 thumb-grey.jpg
