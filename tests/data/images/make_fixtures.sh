#!/usr/bin/env bash
# Makes the image fixtures of the codec tests from one small reference picture,
# and ImageMagick's own decode of each as raw pixels, which the tests compare
# with the program's decode byte for byte:
#   X.rgb   width × height × (red, green, blue)          convert X -depth 8 rgb:X.rgb
#   X.rgba  the same with alpha, for pictures with transparency
# Variants ImageMagick does not write (RLE4, top-down rows, a plain 16-bit
# bitmap, 16-colour PCX bit planes) are made from its files by the small
# Python filters below. ImageMagick reads a 1-bit PCX with bit 0 as white
# whatever the header palette says (and writes it so); netpbm's pcxtoppm,
# like the program, shows bit 0 in the palette's first colour, black: it gives
# the reference of that one file. Needs ImageMagick 6, netpbm and python3;
# run it from anywhere:
#   tests/data/images/make_fixtures.sh
set -euo pipefail
cd "$(dirname "$0")"

# The reference: 23 × 11 (odd sizes, so rows need padding), a colour gradient,
# solid blocks (runs for the run-length codecs) and single pixels.
convert -size 23x11 gradient:"rgb(255,0,0)-rgb(0,0,255)" \
  \( -size 11x23 gradient:"rgb(0,255,0)-rgb(0,0,0)" -rotate 90 \) -compose plus -composite \
  -fill white -draw "rectangle 2,2 9,5" -fill black -draw "rectangle 12,6 20,9" \
  -fill "rgb(255,255,0)" -draw "point 0,0" -draw "point 22,10" \
  -define png:exclude-chunks=date,time ref.png
# The same with transparent pixels: a block at the top right and one pixel.
convert ref.png -alpha set -channel A -fx "(i>=17 && j<3) || (i==5 && j==8) ? 0 : 1" +channel \
  -define png:exclude-chunks=date,time refa.png

# ---- BMP --------------------------------------------------------------------
convert ref.png -monochrome BMP3:bmp1.bmp
convert ref.png +dither -colors 16 -compress none BMP3:bmp4.bmp
convert ref.png +dither -colors 200 -compress none BMP3:bmp8.bmp
convert ref.png +dither -colors 200 -compress RLE BMP3:bmp8_rle.bmp
convert ref.png -type truecolor BMP3:bmp24.bmp
convert ref.png +dither -colors 200 -compress none BMP:bmp8_v5.bmp    # 124-byte header
convert ref.png +dither -colors 200 BMP2:bmp8_core.bmp                # 12-byte header, 3-byte palette
convert ref.png -type truecolor BMP2:bmp24_core.bmp
convert ref.png -define bmp:subtype=RGB565 BMP:bmp16_565.bmp          # bit fields
convert ref.png -define bmp:subtype=RGB555 BMP:bmp16_555.bmp
convert ref.png -alpha set -channel A -evaluate set 50% +channel BMP:bmp32.bmp

python3 - <<'PY'
import struct

def read(name):
    return bytearray(open(name, 'rb').read())

def info(d):
    off = struct.unpack_from('<I', d, 10)[0]
    w, h, planes, bpp, comp, size = struct.unpack_from('<iiHHII', d, 18)
    return off, w, h, bpp, comp

def row_bytes(w, bpp):
    return (w * bpp + 31) // 32 * 4

# Top-down copies: rows in reverse order and a negative height.
for name in ('bmp24', 'bmp8'):
    d = read(name + '.bmp')
    off, w, h, bpp, comp = info(d)
    rb = row_bytes(w, bpp)
    rows = [bytes(d[off + r * rb: off + (r + 1) * rb]) for r in range(h)]
    d[off:off + rb * h] = b''.join(reversed(rows))
    struct.pack_into('<i', d, 22, -h)
    open(name + '_topdown.bmp', 'wb').write(d)

# A 16-bit bitmap without bit fields (5-5-5 implied) and a 40-byte header.
d = read('bmp16_555.bmp')
off, w, h, bpp, comp = info(d)
pixels = d[off:off + row_bytes(w, 16) * h]
header = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 16, 0, len(pixels), 2835, 2835, 0, 0)
body = header + pixels
open('bmp16_plain.bmp', 'wb').write(b'BM' + struct.pack('<IHHI', 14 + len(body), 0, 0, 54) + body)

# RLE4 from the 4-bit bitmap: encoded runs for repeats, absolute runs for the rest.
d = read('bmp4.bmp')
off, w, h, bpp, comp = info(d)
rb = row_bytes(w, 4)
palette = d[54:off]
out = bytearray()
for r in range(h):
    row = d[off + r * rb: off + (r + 1) * rb]
    idx = [(row[x // 2] >> (4 if x % 2 == 0 else 0)) & 15 for x in range(w)]
    x = 0
    while x < w:
        n = 1
        while x + n < w and n < 255 and idx[x + n] == idx[x]:
            n += 1
        if n >= 3:
            out += bytes([n, (idx[x] << 4) | idx[x]])
            x += n
            continue
        # gather a literal stretch up to the next run of 3
        start = x
        while x < w and x - start < 255:
            if x + 2 < w and idx[x] == idx[x + 1] == idx[x + 2]:
                break
            x += 1
        lit = idx[start:x]
        if len(lit) < 3:
            for v in lit:
                out += bytes([1, v << 4])
            continue
        packed = bytearray()
        for i in range(0, len(lit), 2):
            hi = lit[i]
            lo = lit[i + 1] if i + 1 < len(lit) else 0
            packed.append((hi << 4) | lo)
        if len(packed) % 2:
            packed.append(0)
        out += bytes([0, len(lit)]) + packed
    out += bytes([0, 0])
out += bytes([0, 1])
header = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 4, 2, len(out), 2835, 2835, 16, 0)
body = header + palette + out
open('bmp4_rle.bmp', 'wb').write(b'BM' + struct.pack('<IHHI', 14 + len(body), 0, 0, 14 + 40 + len(palette)) + body)

# A 16-colour PCX in four 1-bit planes, from the 4-bit bitmap's indices.
def pcx_pack(data):
    out = bytearray()
    i = 0
    while i < len(data):
        n = 1
        while i + n < len(data) and n < 63 and data[i + n] == data[i]:
            n += 1
        if n > 1 or data[i] >= 0xC0:
            out += bytes([0xC0 | n, data[i]])
        else:
            out.append(data[i])
        i += n
    return out

bpl = ((w + 7) // 8 + 1) // 2 * 2
colors = [palette[i * 4: i * 4 + 4] for i in range(16)]
header = bytearray(128)
header[0:4] = bytes([10, 5, 1, 1])
struct.pack_into('<HHHHHH', header, 4, 0, 0, w - 1, h - 1, 72, 72)
for i, c in enumerate(colors):
    header[16 + i * 3: 19 + i * 3] = bytes([c[2], c[1], c[0]])
header[65] = 4
struct.pack_into('<HH', header, 66, bpl, 1)
body = bytearray()
for r in reversed(range(h)):
    row = d[off + r * rb: off + (r + 1) * rb]
    idx = [(row[x // 2] >> (4 if x % 2 == 0 else 0)) & 15 for x in range(w)]
    for p in range(4):
        plane = bytearray(bpl)
        for x in range(w):
            if (idx[x] >> p) & 1:
                plane[x // 8] |= 0x80 >> (x % 8)
        body += pcx_pack(plane)
open('pcx4_planes.pcx', 'wb').write(header + body)
PY

# ---- ICO --------------------------------------------------------------------
convert refa.png +dither -colors 15 ico4.ico       # 16 entries, one left for the mask
convert refa.png +dither -colors 200 ico8.ico      # 256 colours: colour count 0 in the directory
convert refa.png ico32.ico
# 256 × 256: ImageMagick stores it as a PNG inside the icon.
convert -size 256x256 xc:"rgb(30,60,90)" -fill "rgb(250,200,0)" -draw "rectangle 20,30 120,200" \
  -alpha set -channel A -fx "(i<10 && j<10) ? 0 : 1" +channel ico256_png.ico
# Two icons, 8-bit then 4-bit, joined as they are (ImageMagick would rewrite them).
python3 - <<'PY'
import struct
icons = [open(name, 'rb').read() for name in ('ico8.ico', 'ico4.ico')]
images = [icon[struct.unpack_from('<I', icon, 18)[0]:] for icon in icons]
directory = struct.pack('<HHH', 0, 1, len(icons))
offset = 6 + 16 * len(icons)
for icon, image in zip(icons, images):
    directory += icon[6:18] + struct.pack('<I', offset)
    offset += len(image)
open('ico_two.ico', 'wb').write(directory + b''.join(images))
PY

# ---- PCX --------------------------------------------------------------------
convert ref.png -type truecolor pcx24.pcx
convert ref.png +dither -colors 200 pcx8.pcx
convert ref.png -monochrome gif:- | convert gif:- pcx1.pcx   # 1 bit, 1 plane
convert ref.png -alpha set -channel A -evaluate set 50% +channel pcx32.pcx   # 4 planes

# A 32-bit bitmap whose masks put red in the low byte and blue in the third
# (ImageMagick's 32-bit file with each pixel's bytes exchanged to match).
python3 - <<'PY'
import struct
d = bytearray(open('bmp32.bmp', 'rb').read())
off = struct.unpack_from('<I', d, 10)[0]
w, h = struct.unpack_from('<ii', d, 18)
struct.pack_into('<III', d, 54, 0x000000FF, 0x0000FF00, 0x00FF0000)
for i in range(off, off + w * abs(h) * 4, 4):
    d[i], d[i + 2] = d[i + 2], d[i]
open('bmp32_masks.bmp', 'wb').write(d)
PY

# ---- ImageMagick's decodes --------------------------------------------------
for f in *.bmp *.pcx; do
  case "$f" in
    pcx32.pcx) convert "$f" -depth 8 "rgba:${f%.*}.rgba" ;;
    *) convert "$f" -depth 8 "rgb:${f%.*}.rgb" ;;
  esac
done
for f in ico4 ico8 ico32; do convert "$f.ico" -depth 8 "rgba:$f.rgba"; done
pcxtoppm pcx1.pcx | convert ppm:- -depth 8 rgb:pcx1.rgb
convert 'ico_two.ico[1]' -depth 8 rgba:ico_two_1.rgba
