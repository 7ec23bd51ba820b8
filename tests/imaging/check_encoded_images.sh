#!/usr/bin/env bash
# Reads the image files the program's encoders wrote under Wine (imaging_tests,
# LeaveForImageMagick) with ImageMagick, an independent decoder, and compares
# its pixels with the pixels the program meant to write.
#   check_encoded_images.sh FOLDER
# Each file X comes with X.<width>x<height>.rgba: the expected pixels, top row
# first, alpha 0 where the picture is transparent. Both sides are put on black
# before comparing, so transparent pixels compare equal whatever their colour.
# ImageMagick reads a 1-bit PCX with bit 0 as white whatever its header palette
# says; netpbm's pcxtoppm, like the program, uses the palette: it reads those.
set -euo pipefail
folder="$1"
command -v convert >/dev/null || { echo "ImageMagick's convert is missing"; exit 1; }
command -v pcxtoppm >/dev/null || { echo "netpbm's pcxtoppm is missing"; exit 1; }

# True for a PCX file of one plane of 1 bit.
is_one_bit_pcx() {
  [ "$(head -c 1 "$1" | od -An -tu1 | tr -d ' ')" = 10 ] &&
    [ "$(od -An -tu1 -j3 -N1 "$1" | tr -d ' ')" = 1 ] &&
    [ "$(od -An -tu1 -j65 -N1 "$1" | tr -d ' ')" = 1 ]
}

shopt -s nullglob
expected_files=("$folder"/*.rgba)
if [ ${#expected_files[@]} -eq 0 ]; then
  echo "no encoded images in $folder: imaging_tests did not leave any"
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
checked=0
for expected in "${expected_files[@]}"; do
  size=${expected%.rgba}
  size=${size##*.}
  image=${expected%.*.rgba}
  name=$(basename "$image")
  if [ ! -f "$image" ]; then
    echo "FAIL $name: file missing"; failed=$((failed + 1)); continue
  fi
  # ImageMagick must see the format by content, at the size the program wrote.
  if ! info=$(identify -format '%m %wx%h\n' "$image" 2>"$work/err" | head -n 1); then
    echo "FAIL $name: ImageMagick cannot read it: $(cat "$work/err")"; failed=$((failed + 1)); continue
  fi
  if [ "${info#* }" != "$size" ]; then
    echo "FAIL $name: ImageMagick sees $info, expected $size"; failed=$((failed + 1)); continue
  fi
  if is_one_bit_pcx "$image"; then
    pcxtoppm "$image" 2>/dev/null | convert ppm:- -depth 8 "rgb:$work/actual.rgb"
  else
    convert "$image" -background black -alpha remove -alpha off -depth 8 "rgb:$work/actual.rgb"
  fi
  convert -size "$size" -depth 8 "rgba:$expected" -background black -alpha remove -alpha off -depth 8 "rgb:$work/expected.rgb"
  if cmp -s "$work/actual.rgb" "$work/expected.rgb"; then
    echo "ok   $name ($info)"
    checked=$((checked + 1))
  else
    echo "FAIL $name: ImageMagick's pixels differ ($(cmp "$work/actual.rgb" "$work/expected.rgb" | head -n 1))"
    failed=$((failed + 1))
  fi
done
echo "$checked read back the same, $failed failed"
[ $failed -eq 0 ]
