#!/usr/bin/env bash
# Writes the PNG and JPEG fixtures of the image tests with ImageMagick, from one
# small reference picture, and next to each ImageMagick's own decode of it:
#   NAME.rgb    8-bit red, green, blue, rows top first (convert X -depth 8 rgb:)
#   NAME.rgba   the same with alpha, for files with an alpha channel
#   NAME.rgb16  16-bit big-endian red, green, blue, for 16-bit files (ImageMagick
#               cuts 16-bit samples to 8 bits its own way, so the tests scale these)
#   NAME.rgba16 the same with alpha
# The tests decode each file with the program and compare with these.
#
# Run from anywhere; the files land beside this script. Needs imagemagick.
set -euo pipefail
cd "$(dirname "$0")"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# No optional chunks, so the files are small and the same at every run: no
# gamma (the tests blend stored values), no background unless a case asks, no dates.
plain=(-strip -define png:exclude-chunk=bKGD,cHRM,gAMA,sRGB,pHYs,iCCP,date,time,tIME,tEXt,zTXt,iTXt,vpAg)

# The reference picture, 37 x 29 (odd sizes, so rows need padding and every
# interlace pass has pixels): smooth ramps and waves with two hard-edged
# blocks, in 16 bits so the 16-bit files carry more than 8-bit values.
convert -size 37x29 xc:black \
  -channel R -fx 'i/(w-1)' -channel G -fx 'j/(h-1)' -channel B -fx '0.5+0.5*sin(i*0.7)*cos(j*0.5)' +channel \
  +antialias -fill white -draw 'rectangle 28,2 34,8' -fill black -draw 'rectangle 28,20 34,26' \
  -depth 16 "$work/ref.miff"
# With alpha: clear on the left, a ramp, then opaque.
convert "$work/ref.miff" -alpha set -channel A -fx 'i<5 ? 0 : (i<15 ? (i-4)/11 : 1)' +channel \
  -depth 16 "$work/ref-alpha.miff"
# With binary transparency: a clear block.
convert "$work/ref.miff" -alpha set -channel A -fx '(i>=3 && i<9 && j>=3 && j<12) ? 0 : 1' +channel \
  -depth 16 "$work/ref-cutout.miff"

raw() {  # file: ImageMagick's decode beside it
  local base=${1%.*}
  convert "$1" -depth 8 "rgb:$base.rgb"
}
raw_alpha() {
  local base=${1%.*}
  convert "$1" -depth 8 "rgba:$base.rgba"
}
raw16() {
  local base=${1%.*}
  convert "$1" -depth 16 -endian MSB "rgb:$base.rgb16"
}
raw_alpha16() {
  local base=${1%.*}
  convert "$1" -depth 16 -endian MSB "rgba:$base.rgba16"
}

# ---- PNG: every colour type and depth, interlaced and not ----------------------
png() {  # name source coder-prefix options...   (prefix: PNG24: and the like, or "")
  local name=$1 source=$2 prefix=$3; shift 3
  convert "$work/$source" "${plain[@]}" "$@" "${prefix}png-$name.png"
  raw "png-$name.png"
}

png rgb8 ref.miff PNG24: -depth 8
png rgb8-interlaced ref.miff PNG24: -depth 8 -interlace PNG
png rgb16 ref.miff PNG48: -depth 16
raw16 png-rgb16.png
png rgba8 ref-alpha.miff PNG32: -depth 8
raw_alpha png-rgba8.png
png rgba8-interlaced ref-alpha.miff PNG32: -depth 8 -interlace PNG
raw_alpha png-rgba8-interlaced.png
png rgba16 ref-alpha.miff PNG64: -depth 16
raw_alpha16 png-rgba16.png
# The same with a background colour in bKGD: blended onto it instead of grey.
convert "$work/ref-alpha.miff" -strip -define png:exclude-chunk=cHRM,gAMA,sRGB,pHYs,iCCP,date,time,tIME,tEXt,zTXt,iTXt,vpAg \
  -background '#336699' -depth 16 PNG64:png-rgba16-bkgd.png
raw png-rgba16-bkgd.png
raw_alpha16 png-rgba16-bkgd.png
png grey8 ref.miff "" -colorspace Gray -depth 8 -define png:color-type=0 -define png:bit-depth=8
png grey8-interlaced ref.miff "" -colorspace Gray -depth 8 -interlace PNG -define png:color-type=0 -define png:bit-depth=8
png grey16 ref.miff "" -colorspace Gray -depth 16 -define png:color-type=0 -define png:bit-depth=16
raw16 png-grey16.png
png grey4 ref.miff "" -colorspace Gray -posterize 16 -depth 4 -define png:color-type=0 -define png:bit-depth=4
png grey2 ref.miff "" -colorspace Gray -posterize 4 -depth 2 -define png:color-type=0 -define png:bit-depth=2
png grey2-interlaced ref.miff "" -colorspace Gray -posterize 4 -depth 2 -interlace PNG -define png:color-type=0 -define png:bit-depth=2
png grey1 ref.miff "" -colorspace Gray -threshold 50% -depth 1 -define png:color-type=0 -define png:bit-depth=1
png greyalpha8 ref-alpha.miff "" -colorspace Gray -depth 8 -define png:color-type=4 -define png:bit-depth=8
raw_alpha png-greyalpha8.png
png greyalpha16 ref-alpha.miff "" -colorspace Gray -depth 16 -define png:color-type=4 -define png:bit-depth=16
raw_alpha16 png-greyalpha16.png
png palette8 ref.miff "" -dither None -colors 200 -depth 8 -define png:color-type=3 -define png:bit-depth=8
png palette8-interlaced ref.miff "" -dither None -colors 200 -depth 8 -interlace PNG -define png:color-type=3 -define png:bit-depth=8
png palette4 ref.miff "" -dither None -colors 16 -depth 8 -define png:color-type=3 -define png:bit-depth=4
png palette2 ref.miff "" -dither None -colors 4 -depth 8 -define png:color-type=3 -define png:bit-depth=2
png palette1 ref.miff "" -dither None -colors 2 -depth 8 -define png:color-type=3 -define png:bit-depth=1
# Palette with one clear entry (a single tRNS value 0), and with levels of alpha.
png palette-cutout ref-cutout.miff PNG8: -dither None -colors 64 -depth 8
raw_alpha png-palette-cutout.png
convert "$work/ref-alpha.miff" -dither None -colors 48 "${plain[@]}" -depth 8 -type PaletteAlpha png-palette-alpha.png
raw png-palette-alpha.png
raw_alpha png-palette-alpha.png
# RGB with one transparent colour (tRNS), blended onto grey 192.
png rgb8-cutout ref-cutout.miff "" -depth 8 -define png:color-type=2 -define png:bit-depth=8
raw_alpha png-rgb8-cutout.png

# ---- JPEG: baseline, progressive, greyscale, CMYK, arithmetic, dots per cm ------
jpeg() {  # name options...
  local name=$1; shift
  convert "$work/ref.miff" -strip -depth 8 "$@" "jpeg-$name.jpg"
  raw "jpeg-$name.jpg"
}
jpeg baseline -sampling-factor 2x2 -quality 90
jpeg progressive -sampling-factor 2x2 -quality 90 -interlace JPEG
jpeg grey -colorspace Gray -quality 90
jpeg cmyk -colorspace CMYK -quality 95
jpeg arithmetic -sampling-factor 1x1 -quality 90 -define jpeg:arithmetic-coding=true
jpeg dpcm -sampling-factor 1x1 -quality 90 -units PixelsPerCentimeter -density 28

echo "fixtures written to $(pwd)"
