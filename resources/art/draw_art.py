#!/usr/bin/env python3
"""Draws Sleevory's bitmaps, icons and cursors.

Run from anywhere: the files are written next to this script. The build
uses the committed output, so Python is only needed to change the artwork.
Standard library only: BMP, ICO and CUR bytes are written by hand.
"""

import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

MAGENTA = (255, 0, 255)
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
OUTLINE = (64, 64, 64)
PAGE_LINE = (150, 170, 205)
PANEL_GREY = (185, 185, 185)


# ----------------------------------------------------------------------------
# Canvas: straight-alpha RGBA pixels; shapes are sampled ss x ss per pixel so
# large artwork gets smooth edges while 16 x 16 glyphs stay crisp (ss = 1).
# ----------------------------------------------------------------------------

def _colour_at(colour, x, y):
    c = colour(x, y) if callable(colour) else colour
    return c if len(c) == 4 else (c[0], c[1], c[2], 1.0)


class Canvas:
    def __init__(self, w, h, ss=1):
        self.w, self.h, self.ss = w, h, ss
        self.pixels = [[0.0, 0.0, 0.0, 0.0] for _ in range(w * h)]

    # -- compositing ---------------------------------------------------------
    def blend(self, x, y, c, cover=1.0):
        if not (0 <= x < self.w and 0 <= y < self.h):
            return
        a = c[3] * cover if len(c) == 4 else cover
        if a <= 0:
            return
        d = self.pixels[y * self.w + x]
        out_a = a + d[3] * (1 - a)
        if out_a <= 0:
            return
        for i in range(3):
            d[i] = (c[i] * a + d[i] * d[3] * (1 - a)) / out_a
        d[3] = out_a

    def clear_pixel(self, x, y):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.pixels[y * self.w + x] = [0.0, 0.0, 0.0, 0.0]

    def get(self, x, y):
        return self.pixels[y * self.w + x]

    def fill(self, inside, colour, bbox=None):
        """Fills every sample where inside(x, y) holds (continuous coordinates,
        pixel i spans [i, i + 1))."""
        x0, y0, x1, y1 = bbox if bbox else (0, 0, self.w, self.h)
        x0, y0 = max(0, int(math.floor(x0))), max(0, int(math.floor(y0)))
        x1, y1 = min(self.w, int(math.ceil(x1))), min(self.h, int(math.ceil(y1)))
        ss = self.ss
        offsets = [(i + 0.5) / ss for i in range(ss)]
        n = float(ss * ss)
        for py in range(y0, y1):
            for px in range(x0, x1):
                hits = 0
                for oy in offsets:
                    for ox in offsets:
                        if inside(px + ox, py + oy):
                            hits += 1
                if hits:
                    c = _colour_at(colour, px + 0.5, py + 0.5)
                    self.blend(px, py, c, hits / n)

    # -- shapes (continuous coordinates) --------------------------------------
    def rect(self, x0, y0, x1, y1, colour):
        self.fill(lambda x, y: x0 <= x < x1 and y0 <= y < y1, colour, (x0, y0, x1, y1))

    def circle(self, cx, cy, r, colour):
        r2 = r * r
        self.fill(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r2, colour,
                  (cx - r - 1, cy - r - 1, cx + r + 1, cy + r + 1))

    def ring(self, cx, cy, r_in, r_out, colour):
        a, b = r_in * r_in, r_out * r_out
        self.fill(lambda x, y: a <= (x - cx) ** 2 + (y - cy) ** 2 <= b, colour,
                  (cx - r_out - 1, cy - r_out - 1, cx + r_out + 1, cy + r_out + 1))

    def ellipse(self, cx, cy, rx, ry, colour):
        self.fill(lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0, colour,
                  (cx - rx - 1, cy - ry - 1, cx + rx + 1, cy + ry + 1))

    def polygon(self, points, colour):
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]

        def inside(x, y):
            result = False
            j = len(points) - 1
            for i in range(len(points)):
                xi, yi = points[i]
                xj, yj = points[j]
                if (yi > y) != (yj > y):
                    if x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                        result = not result
                j = i
            return result

        self.fill(inside, colour, (min(xs) - 1, min(ys) - 1, max(xs) + 1, max(ys) + 1))

    def segment(self, x0, y0, x1, y1, width, colour):
        dx, dy = x1 - x0, y1 - y0
        length2 = dx * dx + dy * dy or 1e-9
        half = width / 2.0

        def inside(x, y):
            t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
            ex, ey = x0 + t * dx - x, y0 + t * dy - y
            return ex * ex + ey * ey <= half * half

        self.fill(inside, colour, (min(x0, x1) - half - 1, min(y0, y1) - half - 1,
                                   max(x0, x1) + half + 1, max(y0, y1) + half + 1))

    def arc(self, cx, cy, r_in, r_out, start_deg, end_deg, colour):
        """Ring sector from start to end angle, degrees counter-clockwise from
        the positive x axis with y pointing up on screen."""
        a, b = r_in * r_in, r_out * r_out

        def inside(x, y):
            d = (x - cx) ** 2 + (y - cy) ** 2
            if not a <= d <= b:
                return False
            ang = math.degrees(math.atan2(cy - y, x - cx)) % 360
            s, e = start_deg % 360, end_deg % 360
            return s <= ang <= e if s <= e else (ang >= s or ang <= e)

        self.fill(inside, colour, (cx - r_out - 1, cy - r_out - 1, cx + r_out + 1, cy + r_out + 1))

    # -- pixel-exact helpers (inclusive integer coordinates) ------------------
    def pset(self, x, y, c):
        self.blend(x, y, c if len(c) == 4 else (c[0], c[1], c[2], 1.0))

    def hline(self, x0, x1, y, c):
        for x in range(min(x0, x1), max(x0, x1) + 1):
            self.pset(x, y, c)

    def vline(self, x, y0, y1, c):
        for y in range(min(y0, y1), max(y0, y1) + 1):
            self.pset(x, y, c)

    def box(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            self.hline(x0, x1, y, c)

    def frame(self, x0, y0, x1, y1, c):
        self.hline(x0, x1, y0, c)
        self.hline(x0, x1, y1, c)
        self.vline(x0, y0, y1, c)
        self.vline(x1, y0, y1, c)

    def line(self, x0, y0, x1, y1, c):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.pset(x0, y0, c)
            if x0 == x1 and y0 == y1:
                break
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def outline_polygon(self, points, c):
        for i in range(len(points)):
            x0, y0 = points[i]
            x1, y1 = points[(i + 1) % len(points)]
            self.line(x0, y0, x1, y1, c)

    def blit(self, other, ox, oy):
        for y in range(other.h):
            for x in range(other.w):
                p = other.get(x, y)
                if p[3] > 0:
                    self.blend(ox + x, oy + y, (p[0], p[1], p[2], p[3]))

    def text(self, x, y, s, c, font=None, scale=1):
        font = font or FONT3
        gw, gh, glyphs = font
        for ch in s:
            rows = glyphs.get(ch.upper(), glyphs.get('?'))
            for ry, row in enumerate(rows):
                for rx, bit in enumerate(row):
                    if bit == '#':
                        for sy in range(scale):
                            for sx in range(scale):
                                self.pset(x + rx * scale + sx, y + ry * scale + sy, c)
            x += (gw + 1) * scale

    def ascii_art(self, x, y, rows, palette):
        for ry, row in enumerate(rows):
            for rx, ch in enumerate(row):
                if ch in palette:
                    self.pset(x + rx, y + ry, palette[ch])


def text_width(s, font=None, scale=1):
    gw = (font or FONT3)[0]
    return len(s) * (gw + 1) * scale - scale if s else 0


# ----------------------------------------------------------------------------
# Bitmap fonts for the captions drawn into the tool-bar pictures.
# ----------------------------------------------------------------------------

def _font(width, height, table):
    glyphs = {}
    for key, rows in table.items():
        rows = rows.split()
        assert len(rows) == height and all(len(r) == width for r in rows), key
        glyphs[key] = rows
    glyphs[' '] = ['.' * width] * height
    return (width, height, glyphs)


FONT3 = _font(3, 5, {
    'A': '.#. #.# ### #.# #.#', 'B': '##. #.# ##. #.# ##.', 'C': '.## #.. #.. #.. .##',
    'D': '##. #.# #.# #.# ##.', 'E': '### #.. ##. #.. ###', 'F': '### #.. ##. #.. #..',
    'G': '.## #.. #.# #.# .##', 'H': '#.# #.# ### #.# #.#', 'I': '### .#. .#. .#. ###',
    'J': '..# ..# ..# #.# .#.', 'K': '#.# #.# ##. #.# #.#', 'L': '#.. #.. #.. #.. ###',
    'M': '#.# ### ### #.# #.#', 'N': '##. #.# #.# #.# #.#', 'O': '.#. #.# #.# #.# .#.',
    'P': '##. #.# ##. #.. #..', 'Q': '.#. #.# #.# ##. .##', 'R': '##. #.# ##. #.# #.#',
    'S': '.## #.. .#. ..# ##.', 'T': '### .#. .#. .#. .#.', 'U': '#.# #.# #.# #.# ###',
    'V': '#.# #.# #.# #.# .#.', 'W': '#.# #.# ### ### #.#', 'X': '#.# #.# .#. #.# #.#',
    'Y': '#.# #.# .#. .#. .#.', 'Z': '### ..# .#. #.. ###',
    '0': '### #.# #.# #.# ###', '1': '.#. ##. .#. .#. ###', '2': '##. ..# .#. #.. ###',
    '3': '##. ..# .#. ..# ##.', '4': '#.# #.# ### ..# ..#', '5': '### #.. ##. ..# ##.',
    '6': '.## #.. ### #.# ###', '7': '### ..# .#. .#. .#.', '8': '### #.# ### #.# ###',
    '9': '### #.# ### ..# ##.', '-': '... ... ### ... ...', '+': '... .#. ### .#. ...',
    '.': '... ... ... ... .#.', '?': '##. ..# .#. ... .#.', ':': '... .#. ... .#. ...',
})

FONT5 = _font(5, 7, {
    'A': '.###. #...# #...# ##### #...# #...# #...#',
    'B': '####. #...# #...# ####. #...# #...# ####.',
    'C': '.###. #...# #.... #.... #.... #...# .###.',
    'D': '####. #...# #...# #...# #...# #...# ####.',
    'E': '##### #.... #.... ####. #.... #.... #####',
    'F': '##### #.... #.... ####. #.... #.... #....',
    'G': '.###. #...# #.... #.### #...# #...# .####',
    'H': '#...# #...# #...# ##### #...# #...# #...#',
    'I': '.###. ..#.. ..#.. ..#.. ..#.. ..#.. .###.',
    'J': '..### ...#. ...#. ...#. ...#. #..#. .##..',
    'K': '#...# #..#. #.#.. ##... #.#.. #..#. #...#',
    'L': '#.... #.... #.... #.... #.... #.... #####',
    'M': '#...# ##.## #.#.# #.#.# #...# #...# #...#',
    'N': '#...# #...# ##..# #.#.# #..## #...# #...#',
    'O': '.###. #...# #...# #...# #...# #...# .###.',
    'P': '####. #...# #...# ####. #.... #.... #....',
    'Q': '.###. #...# #...# #...# #.#.# #..#. .##.#',
    'R': '####. #...# #...# ####. #.#.. #..#. #...#',
    'S': '.#### #.... #.... .###. ....# ....# ####.',
    'T': '##### ..#.. ..#.. ..#.. ..#.. ..#.. ..#..',
    'U': '#...# #...# #...# #...# #...# #...# .###.',
    'V': '#...# #...# #...# #...# #...# .#.#. ..#..',
    'W': '#...# #...# #...# #.#.# #.#.# #.#.# .#.#.',
    'X': '#...# #...# .#.#. ..#.. .#.#. #...# #...#',
    'Y': '#...# #...# .#.#. ..#.. ..#.. ..#.. ..#..',
    'Z': '##### ....# ...#. ..#.. .#... #.... #####',
    '0': '.###. #...# #..## #.#.# ##..# #...# .###.',
    '1': '..#.. .##.. ..#.. ..#.. ..#.. ..#.. .###.',
    '2': '.###. #...# ....# ...#. ..#.. .#... #####',
    '3': '####. ....# ....# .###. ....# ....# ####.',
    '4': '...#. ..##. .#.#. #..#. ##### ...#. ...#.',
    '5': '##### #.... ####. ....# ....# #...# .###.',
    '6': '..##. .#... #.... ####. #...# #...# .###.',
    '7': '##### ....# ...#. ..#.. .#... .#... .#...',
    '8': '.###. #...# #...# .###. #...# #...# .###.',
    '9': '.###. #...# #...# .#### ....# ...#. .##..',
    '.': '..... ..... ..... ..... ..... .##.. .##..',
    '-': '..... ..... ..... .###. ..... ..... .....',
    '+': '..... ..#.. ..#.. ##### ..#.. ..#.. .....',
    '?': '.###. #...# ....# ...#. ..#.. ..... ..#..',
})


# ----------------------------------------------------------------------------
# File writers.
# ----------------------------------------------------------------------------

def keyed_rows(canvas, key=MAGENTA):
    """Opaque RGB rows for a bitmap whose transparent pixels carry the key."""
    rows = []
    for y in range(canvas.h):
        row = []
        for x in range(canvas.w):
            r, g, b, a = canvas.get(x, y)
            if a < 0.5:
                row.append(key)
            else:
                c = (int(round(r)), int(round(g)), int(round(b)))
                if c == key:  # never let artwork read as transparent
                    c = (c[0], 1, c[2])
                row.append(c)
        rows.append(row)
    return rows


def opaque_rows(canvas, background):
    rows = []
    for y in range(canvas.h):
        row = []
        for x in range(canvas.w):
            r, g, b, a = canvas.get(x, y)
            row.append(tuple(int(round(c * a + bg * (1 - a))) for c, bg in zip((r, g, b), background)))
        rows.append(row)
    return rows


def write_bmp(name, rows):
    h, w = len(rows), len(rows[0])
    stride = (w * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        data += line + b'\0' * (stride - w * 3)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(data), 0, 0, 14 + len(info))
    with open(os.path.join(HERE, name), 'wb') as f:
        f.write(header + info + data)


def _icon_image(canvas):
    w, h = canvas.w, canvas.h
    xor = bytearray()
    mask = bytearray()
    mask_stride = ((w + 31) // 32) * 4
    for y in range(h - 1, -1, -1):
        bits = bytearray(mask_stride)
        for x in range(w):
            r, g, b, a = canvas.get(x, y)
            alpha = int(round(a * 255))
            if alpha == 0:
                r = g = b = 0
                bits[x // 8] |= 0x80 >> (x % 8)
            xor += bytes((int(round(b)), int(round(g)), int(round(r)), alpha))
        mask += bits
    info = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return info + xor + mask


def write_icon(name, canvases, hotspot=None):
    """An .ico file, or a .cur file when a hotspot is given."""
    kind = 2 if hotspot else 1
    images = [_icon_image(c) for c in canvases]
    out = bytearray(struct.pack('<HHH', 0, kind, len(images)))
    offset = 6 + 16 * len(images)
    for c, data in zip(canvases, images):
        a, b = (hotspot if hotspot else (1, 32))
        out += struct.pack('<BBBBHHII', c.w % 256, c.h % 256, 0, 0, a, b, len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    with open(os.path.join(HERE, name), 'wb') as f:
        f.write(out)


# ----------------------------------------------------------------------------
# Colour helpers.
# ----------------------------------------------------------------------------

def mix(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def hsv(h, s, v):
    i = int(h * 6) % 6
    f = h * 6 - int(h * 6)
    p, q, t = v * (1 - s), v * (1 - f * s), v * (1 - (1 - f) * s)
    r, g, b = [(v, t, p), (q, v, p), (p, v, t), (p, q, v), (t, p, v), (v, p, q)][i]
    return (int(r * 255), int(g * 255), int(b * 255))


def map_rows(rows, fn, key=MAGENTA):
    return [[c if c == key else fn(c) for c in row] for row in rows]


def muted(c):
    """The resting look of a tool-bar picture: a little paler than when hot."""
    luma = 0.299 * c[0] + 0.587 * c[1] + 0.114 * c[2]
    return tuple(int(round(luma + (v - luma) * 0.6 + (235 - luma) * 0.08)) for v in c)


def disabled(c):
    luma = 0.299 * c[0] + 0.587 * c[1] + 0.114 * c[2]
    g = int(round(118 + luma * 0.42))
    return (g, g, g)


def hstack(row_sets):
    out = [[] for _ in range(len(row_sets[0]))]
    for rows in row_sets:
        for y, row in enumerate(rows):
            out[y].extend(row)
    return out


# ----------------------------------------------------------------------------
# Shared motifs.
# ----------------------------------------------------------------------------

def disc_colour(cx, cy, r, label=None):
    """Colour function of a compact disc: silver with a faint rainbow, or a
    printed label when label gives its two gradient colours."""
    def colour(x, y):
        dx, dy = x - cx, y - cy
        d = math.hypot(dx, dy) / r
        ang = math.atan2(dy, dx)
        if label and 0.36 <= d <= 0.93:
            t = (dy / r + 1) / 2
            return mix(label[0], label[1], max(0.0, min(1.0, t)))
        shine = (math.cos(2 * ang + 0.6) + 1) / 2
        base = mix((165, 172, 188), (238, 241, 247), shine)
        if 0.40 < d < 0.97:
            base = mix(base, hsv((ang / (2 * math.pi) * 2 + 0.15) % 1.0, 0.55, 1.0), 0.18)
        return base
    return colour


def draw_disc(c, cx, cy, r, label=None, rim=(96, 102, 116)):
    hole = max(1.0, r * 0.14)
    c.ring(cx, cy, hole, r, disc_colour(cx, cy, r, label))
    clamp = r * 0.33
    c.ring(cx, cy, hole, clamp, (222, 228, 236))
    if r >= 10:
        c.ring(cx, cy, clamp - max(0.8, r * 0.03), clamp, (170, 176, 190))
        c.ring(cx, cy, hole, hole + max(0.8, r * 0.03), (150, 156, 170))
    c.ring(cx, cy, r - max(1.0, min(3.0, r * 0.05)), r, rim)


def draw_page(c, x0, y0, x1, y1, fold=3, fill=WHITE, line=OUTLINE, lines=()):
    """A sheet with a dog-eared top-right corner; inclusive pixel coordinates."""
    fx = x1 - fold
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            if x > fx and y < y0 + fold and (x - fx) > (y - y0):
                continue
            edge = x in (x0, x1) or y in (y0, y1)
            c.pset(x, y, line if edge else fill)
    for y in range(y0, y0 + fold + 1):
        for x in range(fx, x1 + 1):
            if x - fx <= y - y0:
                edge = x == fx or y == y0 + fold or x - fx == y - y0
                c.pset(x, y, line if edge else (214, 214, 214))
    for y in lines:
        c.hline(x0 + 2, x1 - 2 if y > y0 + fold else fx - 1, y, PAGE_LINE)


def draw_landscape(c, x0, y0, x1, y1, frame=(110, 80, 50)):
    """A framed picture: sky, sun and hills. Inclusive pixel coordinates."""
    h = y1 - y0
    for y in range(y0 + 1, y1):
        c.hline(x0 + 1, x1 - 1, y, mix((120, 180, 240), (200, 230, 255), (y - y0) / max(1, h)))
    sun_r = max(1.2, h * 0.16)
    c.circle(x1 - sun_r - 2.2, y0 + sun_r + 2.0, sun_r, (255, 205, 40))
    w = x1 - x0
    hill = [(x0 + 1, y1), (x0 + 1, y1 - h * 0.35), (x0 + w * 0.35, y1 - h * 0.62),
            (x0 + w * 0.65, y1 - h * 0.3), (x0 + w * 0.8, y1 - h * 0.42), (x1, y1 - h * 0.2), (x1, y1)]
    c.polygon(hill, (60, 150, 60))
    c.frame(x0, y0, x1, y1, frame)


def draw_magnifier(c, cx, cy, r, handle_len, glass=(200, 228, 255, 0.85), rim=(60, 60, 70), width=1.6):
    c.circle(cx, cy, r, glass)
    c.ring(cx, cy, r - width, r, rim)
    k = 1 / math.sqrt(2)
    c.segment(cx + r * k, cy + r * k, cx + (r + handle_len) * k, cy + (r + handle_len) * k,
              width * 1.7, (120, 70, 30))


def draw_arrow_up(c, cx, top, bottom, half_head, half_shaft, fill, line):
    head_base = top + half_head
    pts = [(cx, top), (cx + half_head, head_base), (cx + half_shaft, head_base),
           (cx + half_shaft, bottom), (cx - half_shaft, bottom), (cx - half_shaft, head_base),
           (cx - half_head, head_base)]
    c.polygon([(x + 0.5, y + 0.5) for x, y in pts], fill)
    c.outline_polygon([(int(x), int(y)) for x, y in pts], line)


def flipped_v(canvas):
    out = Canvas(canvas.w, canvas.h, canvas.ss)
    for y in range(canvas.h):
        for x in range(canvas.w):
            out.pixels[y * canvas.w + x] = list(canvas.get(x, canvas.h - 1 - y))
    return out


def flipped_h(canvas):
    out = Canvas(canvas.w, canvas.h, canvas.ss)
    for y in range(canvas.h):
        for x in range(canvas.w):
            out.pixels[y * canvas.w + x] = list(canvas.get(canvas.w - 1 - x, y))
    return out


def transposed(canvas):
    out = Canvas(canvas.h, canvas.w, canvas.ss)
    for y in range(canvas.h):
        for x in range(canvas.w):
            out.pixels[x * out.w + y] = list(canvas.get(x, y))
    return out


# ----------------------------------------------------------------------------
# The 16 x 16 menu and tool image strip (bitmap 360). The order is fixed by the
# code that picks images by index.
# ----------------------------------------------------------------------------

def g_new(c):
    draw_page(c, 3, 1, 12, 14, fold=3, lines=())
    c.pset(12, 0, (255, 210, 0))
    c.pset(13, 1, (255, 210, 0))
    c.pset(14, 0, (255, 235, 120))


def g_open(c):
    back, front, edge = (214, 160, 40), (250, 210, 90), (128, 90, 20)
    c.box(1, 3, 6, 4, back)
    c.box(1, 4, 13, 13, back)
    c.frame(1, 4, 13, 13, edge)
    c.hline(1, 6, 3, edge)
    c.vline(1, 3, 13, edge)
    pts = [(4, 7), (15, 7), (13, 13), (1, 13)]
    c.polygon([(x + 0.5, y + 0.5) for x, y in pts], front)
    c.outline_polygon(pts, edge)


def g_save(c):
    body, edge = (50, 90, 180), (20, 40, 100)
    c.box(1, 1, 14, 14, body)
    c.frame(1, 1, 14, 14, edge)
    c.clear_pixel(14, 1)
    c.pset(13, 2, edge)
    c.box(4, 2, 11, 5, (205, 210, 220))
    c.box(8, 3, 9, 4, (60, 60, 70))
    c.box(3, 8, 12, 14, WHITE)
    c.frame(3, 8, 12, 14, edge)
    c.hline(5, 10, 10, PAGE_LINE)
    c.hline(5, 10, 12, PAGE_LINE)


def g_print(c):
    edge = (60, 60, 70)
    c.box(4, 1, 11, 6, WHITE)
    c.frame(4, 1, 11, 6, edge)
    c.box(1, 6, 14, 11, (190, 192, 200))
    c.frame(1, 6, 14, 11, edge)
    c.hline(2, 13, 7, (230, 232, 238))
    c.pset(12, 8, (40, 200, 60))
    c.box(4, 10, 11, 14, WHITE)
    c.frame(4, 10, 11, 14, edge)
    c.hline(6, 9, 12, PAGE_LINE)


def g_cut(c):
    blade = (110, 115, 125)
    c.segment(5.5, 10.5, 11, 1.5, 1.6, blade)
    c.segment(10.5, 10.5, 5, 1.5, 1.6, blade)
    c.ring(4.5, 12.5, 1.2, 2.6, (200, 40, 40))
    c.ring(11.5, 12.5, 1.2, 2.6, (200, 40, 40))
    c.pset(8, 6, (40, 40, 40))


def g_copy(c):
    draw_page(c, 1, 1, 9, 11, fold=2, lines=(4, 6, 8))
    draw_page(c, 6, 4, 14, 15, fold=2, lines=(7, 9, 11, 13))


def g_paste(c):
    board, edge = (170, 115, 55), (100, 65, 25)
    c.box(2, 2, 12, 15, board)
    c.frame(2, 2, 12, 15, edge)
    c.box(5, 1, 9, 3, (200, 204, 212))
    c.frame(5, 1, 9, 3, (90, 90, 100))
    draw_page(c, 6, 6, 14, 15, fold=2, lines=(9, 11, 13))


def g_delete(c):
    c.segment(3.5, 3.5, 12.5, 12.5, 3.4, (130, 10, 10))
    c.segment(12.5, 3.5, 3.5, 12.5, 3.4, (130, 10, 10))
    c.segment(3.5, 3.5, 12.5, 12.5, 2.0, (230, 45, 40))
    c.segment(12.5, 3.5, 3.5, 12.5, 2.0, (230, 45, 40))


def g_undo(c):
    """A return arrow: head pointing left at the top, bending back below."""
    blue, dark = (40, 110, 215), (20, 60, 140)
    c.arc(9.5, 9.0, 2.5, 5.5, 270, 90, dark)
    c.arc(9.5, 9.0, 3.3, 4.7, 265, 95, blue)
    c.rect(5, 3.5, 10, 6.5, dark)
    c.rect(5, 4.3, 10, 5.7, blue)
    c.rect(4, 11.5, 10, 14.5, dark)
    c.rect(4, 12.3, 10, 13.7, blue)
    c.polygon([(0.6, 5.0), (6.2, 0.4), (6.2, 9.6)], dark)
    c.polygon([(2.2, 5.0), (5.4, 2.3), (5.4, 7.7)], blue)


def g_redo(c):
    tmp = Canvas(16, 16)
    g_undo(tmp)
    c.blit(flipped_h(tmp), 0, 0)


def g_contents(c):
    cover, spine = (45, 80, 170), (25, 45, 110)
    c.box(3, 1, 13, 14, cover)
    c.frame(3, 1, 13, 14, spine)
    c.vline(4, 1, 14, spine)
    c.hline(5, 12, 14, WHITE)
    c.hline(5, 12, 15, spine)
    c.text(6, 4, '?', (255, 220, 60), FONT5)


def g_print_preview(c):
    draw_page(c, 1, 1, 10, 14, fold=3, lines=(5, 7, 9, 11))
    draw_magnifier(c, 10.0, 9.0, 3.8, 4.2, width=1.3)


def g_check(c):
    c.segment(3.5, 8.5, 6.5, 11.5, 2.0, (20, 20, 20))
    c.segment(6.5, 11.5, 12.5, 4.5, 2.0, (20, 20, 20))


def g_center_horizontally(c):
    bar, edge = (80, 130, 220), (30, 60, 130)
    for x0, y0, x1, y1 in ((3, 1, 12, 4), (5, 6, 10, 9), (2, 11, 13, 14)):
        c.box(x0, y0, x1, y1, bar)
        c.frame(x0, y0, x1, y1, edge)
    for y in range(0, 16, 2):
        c.box(7, y, 8, y, (220, 30, 30))


def g_center_vertically(c):
    tmp = Canvas(16, 16)
    g_center_horizontally(tmp)
    c.blit(transposed(tmp), 0, 0)


def g_set_as_background(c):
    c.box(4, 1, 15, 10, (170, 175, 185))
    c.frame(4, 1, 15, 10, (100, 100, 110))
    draw_landscape(c, 0, 4, 11, 14)


def g_move_up(c):
    draw_arrow_up(c, 7.5, 1, 14, 6.5, 2.5, (60, 175, 75), (25, 100, 35))


def g_move_down(c):
    tmp = Canvas(16, 16)
    g_move_up(tmp)
    c.blit(flipped_v(tmp), 0, 0)


def g_program(c):
    draw_disc(c, 8, 8, 7.6)


def g_advanced_settings(c):
    track, knob, edge = (120, 120, 130), (80, 130, 220), (30, 60, 130)
    for y, kx in ((3, 9), (8, 4), (13, 11)):
        c.hline(1, 14, y, track)
        c.box(kx - 1, y - 2, kx + 1, y + 2, knob)
        c.frame(kx - 1, y - 2, kx + 1, y + 2, edge)


def g_stop(c):
    pts = []
    for i in range(8):
        a = math.radians(22.5 + 45 * i)
        pts.append((8 + 7.6 * math.cos(a), 8 + 7.6 * math.sin(a)))
    c.polygon(pts, (140, 10, 10))
    pts = [(8 + (px - 8) * 0.84, 8 + (py - 8) * 0.84) for px, py in pts]
    c.polygon(pts, (225, 40, 35))
    c.box(4, 7, 11, 8, WHITE)


def g_close(c):
    c.box(1, 2, 14, 13, WHITE)
    c.box(1, 2, 14, 4, (50, 90, 180))
    c.frame(1, 2, 14, 13, (40, 50, 80))
    c.segment(5.5, 6.5, 10.5, 11.5, 1.6, (220, 40, 35))
    c.segment(10.5, 6.5, 5.5, 11.5, 1.6, (220, 40, 35))


def g_bring_to_front(c):
    c.box(1, 1, 9, 9, (200, 202, 210))
    c.frame(1, 1, 9, 9, (110, 110, 120))
    c.box(6, 6, 14, 14, (80, 130, 220))
    c.frame(6, 6, 14, 14, (30, 60, 130))
    c.hline(7, 13, 7, (150, 185, 245))


def g_image_search(c):
    draw_landscape(c, 0, 1, 11, 10)
    draw_magnifier(c, 10.5, 10.5, 3.4, 3.6, width=1.3)


def g_change_label_paper(c):
    c.box(2, 0, 13, 15, WHITE)
    c.frame(2, 0, 13, 15, (90, 90, 100))
    for cy in (4.0, 11.6):
        c.circle(8.0, cy, 3.2, (60, 110, 210))
        c.circle(8.0, cy, 2.3, (170, 200, 245))
        c.circle(8.0, cy, 0.9, WHITE)


MENU_GLYPHS = [
    g_new, g_open, g_save, g_print, g_cut, g_copy, g_paste, g_delete, g_undo, g_redo,
    g_contents, g_print_preview, g_check, g_center_horizontally, g_center_vertically,
    g_set_as_background, g_move_up, g_move_down, g_program, g_advanced_settings,
    g_stop, g_close, g_bring_to_front, g_image_search, g_change_label_paper,
]


def glyph_rows(fn, size=16):
    c = Canvas(size, size)
    fn(c)
    return keyed_rows(c)


# ----------------------------------------------------------------------------
# View tool bar pictures (55 x 40): a pictogram over a caption.
# ----------------------------------------------------------------------------

VIEW_W, VIEW_H = 55, 40
CAPTION = (35, 35, 40)


def jewel_front(c, x0, y0, size):
    x1, y1 = x0 + size - 1, y0 + size - 1
    c.box(x0, y0, x1, y1, (60, 66, 80))
    for y in range(y0 + 2, y1 - 1):
        c.hline(x0 + 4, x1 - 2, y, mix((60, 90, 190), (150, 60, 160), (y - y0) / size))
    c.vline(x0 + 2, y0 + 1, y1 - 1, (150, 156, 170))
    c.box(x0 + 6, y0 + 4, x1 - 4, y0 + 6, WHITE)
    c.hline(x0 + 6, x1 - 8, y0 + 9, (230, 230, 250))
    draw_disc(c, x0 + size * 0.58, y0 + size * 0.66, size * 0.22)


def back_cover(c, x0, y0, w, h):
    x1, y1 = x0 + w - 1, y0 + h - 1
    c.box(x0, y0, x1, y1, (60, 66, 80))
    c.box(x0 + 1, y0 + 1, x1 - 1, y1 - 1, (232, 236, 246))
    c.box(x0 + 1, y0 + 1, x0 + 3, y1 - 1, (90, 110, 190))
    c.box(x1 - 3, y0 + 1, x1 - 1, y1 - 1, (90, 110, 190))
    for i, y in enumerate(range(y0 + 4, y1 - 2, 3)):
        c.hline(x0 + 7, x0 + 8, y, (90, 90, 110))
        c.hline(x0 + 11, x1 - 10 - (i % 3) * 3, y, (140, 150, 175))


def state_badge(c, on, x=46, y=23):
    if on:
        c.circle(x + 0.5, y + 0.5, 3.6, (40, 170, 60))
        c.line(x - 2, y, x - 1, y + 1, WHITE)
        c.line(x - 1, y + 1, x + 2, y - 2, WHITE)
    else:
        c.ring(x + 0.5, y + 0.5, 2.4, 3.6, (150, 150, 155))


def view_picture(index):
    c = Canvas(VIEW_W, VIEW_H, ss=2)
    cx = VIEW_W // 2
    captions = ['FRONT', 'BACK', 'DISC', 'ZOOM OUT', 'ZOOM IN', 'READ CD', 'GUIDES', 'GUIDES',
                'TEXT', 'TEXT', 'PROPERTIES', 'PROPERTIES', 'DISC 1', 'DISC 2', 'IMAGES', 'IMAGES']
    on = index % 2 == 0
    if index == 0:
        jewel_front(c, cx - 13, 3, 27)
    elif index == 1:
        back_cover(c, cx - 17, 5, 35, 24)
    elif index in (2, 12, 13):
        draw_disc(c, cx + 0.5, 16.5, 13.6, label=((70, 110, 220), (170, 70, 170)))
        if index != 2:
            c.circle(cx + 12.5, 25.5, 5.2, (250, 250, 250))
            c.ring(cx + 12.5, 25.5, 4.2, 5.2, (60, 70, 110))
            c.text(cx + 11, 23, '1' if index == 12 else '2', (40, 60, 160))
    elif index in (3, 4):
        draw_magnifier(c, cx - 3.0, 14.0, 10.0, 9.0, width=2.2)
        c.rect(cx - 9, 13, cx + 3, 15, (30, 60, 150))
        if index == 4:
            c.rect(cx - 4, 8, cx - 2, 20, (30, 60, 150))
    elif index == 5:
        draw_disc(c, cx - 10.5, 15.5, 11.6)
        draw_page(c, cx + 6, 4, cx + 20, 28, fold=4, lines=(10, 13, 16, 19, 22, 25))
        c.polygon([(cx - 0.5, 13), (cx + 4.5, 13), (cx + 4.5, 10), (cx + 9.5, 16), (cx + 4.5, 22),
                   (cx + 4.5, 19), (cx - 0.5, 19)], (40, 160, 60))
    elif index in (6, 7):
        guide = (0, 150, 220) if on else (150, 150, 160)
        c.box(cx - 15, 6, cx + 13, 27, WHITE)
        c.frame(cx - 15, 6, cx + 13, 27, (90, 90, 100))
        for x in range(cx - 20, cx + 19, 3):
            c.box(x, 10, x + 1, 10, guide)
            c.box(x, 23, x + 1, 23, guide)
        for y in range(2, 31, 3):
            c.box(cx - 11, y, cx - 11, y + 1, guide)
            c.box(cx + 9, y, cx + 9, y + 1, guide)
        state_badge(c, on)
    elif index in (8, 9):
        draw_page(c, cx - 12, 3, cx + 10, 29, fold=5, lines=(18, 21, 24))
        c.text(cx - 8, 6, 'A', (40, 60, 160) if on else (130, 130, 140), FONT5, 2)
        state_badge(c, on)
    elif index in (10, 11):
        c.box(cx - 15, 4, cx + 13, 28, WHITE)
        c.box(cx - 15, 4, cx + 13, 8, (80, 110, 190) if on else (160, 160, 170))
        for y in range(8, 29, 5):
            c.hline(cx - 15, cx + 13, y, (150, 155, 170))
        c.vline(cx - 2, 8, 28, (150, 155, 170))
        for y in range(10, 28, 5):
            c.hline(cx - 13, cx - 5, y + 1, (110, 110, 120))
            c.hline(cx, cx + 9 - (y % 3) * 2, y + 1, (60, 90, 170) if on else (150, 150, 160))
        c.frame(cx - 15, 4, cx + 13, 28, (80, 80, 90))
        state_badge(c, on)
    elif index in (14, 15):
        draw_landscape(c, cx - 15, 5, cx + 13, 27)
        if not on:
            for y in range(6, 27):
                for x in range(cx - 14, cx + 13):
                    p = c.get(x, y)
                    g = disabled((p[0], p[1], p[2]))
                    c.pixels[y * c.w + x] = [g[0], g[1], g[2], p[3]]
        state_badge(c, on)
    caption = captions[index]
    c.text((VIEW_W - text_width(caption)) // 2, 33, caption, CAPTION)
    return keyed_rows(c)


# ----------------------------------------------------------------------------
# Object tool bar pictures (44 x 16): a small glyph and a caption.
# ----------------------------------------------------------------------------

def o_artist(c):
    c.circle(7.5, 4.5, 3.0, (240, 195, 150))
    c.ring(7.5, 4.5, 2.2, 3.0, (150, 100, 60))
    c.ellipse(7.5, 14.5, 6.0, 6.0, (60, 100, 190))


def o_title(c):
    c.box(2, 2, 12, 4, (40, 60, 150))
    c.box(6, 4, 8, 14, (40, 60, 150))
    c.box(4, 13, 10, 14, (40, 60, 150))


def o_tracks(c):
    for y in (2, 6, 10, 14):
        c.box(1, y - 1, 2, y, (200, 60, 50))
        c.hline(4, 13 - (y % 3) * 2, y, (60, 70, 110))
        c.hline(4, 13 - (y % 3) * 2, y - 1, (150, 160, 190))


def o_year(c):
    c.box(1, 2, 13, 14, WHITE)
    c.box(1, 2, 13, 5, (210, 50, 45))
    c.frame(1, 2, 13, 14, (80, 80, 90))
    c.pset(4, 1, (80, 80, 90))
    c.pset(10, 1, (80, 80, 90))
    for y in (7, 9, 11):
        for x in range(3, 12, 2):
            c.pset(x, y, (90, 110, 170))


def o_time(c):
    c.circle(7.5, 8.0, 6.4, WHITE)
    c.ring(7.5, 8.0, 5.4, 6.4, (50, 70, 140))
    c.vline(7, 3, 8, (30, 30, 40))
    c.line(7, 8, 10, 10, (200, 40, 40))


def o_genre(c):
    ink = (60, 40, 120)
    c.ellipse(3.8, 12.5, 2.4, 1.8, ink)
    c.ellipse(10.8, 11.0, 2.4, 1.8, ink)
    c.box(5, 3, 5, 12, ink)
    c.box(12, 2, 12, 11, ink)
    c.polygon([(5, 3), (13, 1.2), (13, 3.6), (5, 5.4)], ink)


def o_text(c):
    c.text(2, 1, 'A', (40, 60, 150), FONT5, 2)


def o_image(c):
    draw_landscape(c, 0, 2, 13, 13)


OBJECT_GLYPHS = [(o_artist, 'ARTIST'), (o_title, 'TITLE'), (o_tracks, 'TRACKS'), (o_year, 'YEAR'),
                 (o_time, 'TIME'), (o_genre, 'GENRE'), (o_text, 'TEXT'), (o_image, 'IMAGE')]


def object_picture(index):
    fn, caption = OBJECT_GLYPHS[index]
    c = Canvas(44, 16)
    g = Canvas(14, 16)
    fn(g)
    c.blit(g, 1, 0)
    c.text(17, 6, caption, CAPTION)
    return keyed_rows(c)


# ----------------------------------------------------------------------------
# Document icons (bitmap 272, 32 x 32 each).
# ----------------------------------------------------------------------------

def jewel_case(c, x0, y0, x1, y1):
    c.box(x0, y0, x1, y1, (70, 76, 90))
    for y in range(y0 + 1, y1):
        c.hline(x0 + 3, x1 - 1, y, mix((70, 110, 210), (160, 70, 170), (y - y0) / (y1 - y0)))
    c.vline(x0 + 1, y0 + 1, y1 - 1, (170, 176, 190))
    c.box(x0 + 5, y0 + 3, x1 - 3, y0 + 4, WHITE)
    c.hline(x0 + 5, x1 - 6, y0 + 7, (220, 220, 245))


def label_sheet(c, x0, y0, x1, y1, muted_look=False):
    c.box(x0, y0, x1, y1, WHITE)
    c.frame(x0, y0, x1, y1, (90, 90, 100))
    ring = (150, 160, 185) if muted_look else (60, 120, 230)
    midx = (x0 + x1) / 2 + 0.5
    r = (x1 - x0) * 0.27
    c.ring(midx, y0 + r + 2.5, r * 0.3, r, ring)
    c.ring(midx, y1 - r - 1.5, r * 0.3, r, ring)


def doc_icon(index):
    c = Canvas(32, 32, ss=2)
    if index == 0:
        jewel_case(c, 1, 5, 22, 27)
        draw_disc(c, 21.5, 14.5, 10.2)
    elif index == 1:
        jewel_case(c, 4, 8, 24, 29)
        jewel_case(c, 1, 5, 21, 26)
        draw_disc(c, 21.5, 12.0, 9.0)
        draw_disc(c, 24.5, 21.0, 7.2, label=((70, 110, 220), (170, 70, 170)))
    elif index == 2:
        c.box(4, 1, 27, 30, WHITE)
        c.frame(4, 1, 27, 30, (90, 90, 100))
        c.frame(7, 4, 24, 14, (60, 120, 230))
        c.vline(15, 4, 14, (60, 120, 230))
        c.frame(7, 17, 24, 27, (60, 120, 230))
        c.vline(9, 17, 27, (60, 120, 230))
        c.vline(22, 17, 27, (60, 120, 230))
    elif index == 3:
        label_sheet(c, 5, 0, 26, 31)
    else:
        # the Select Paper button: lit while the mouse is over it (4), plain (5)
        if index == 4:
            c.box(3, 0, 28, 31, (255, 200, 60))
        label_sheet(c, 6, 2, 25, 29, muted_look=(index == 5))
    return keyed_rows(c)


# ----------------------------------------------------------------------------
# Textures.
# ----------------------------------------------------------------------------

class Noise:
    """A small fixed linear congruential generator: the textures must come out
    the same on every run."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF

    def next(self):
        self.state = (self.state * 1103515245 + 12345) & 0x7FFFFFFF
        return self.state / 0x7FFFFFFF


def texture(size, base, grain, streak, seed):
    """A seamless grey tile: per-pixel grain plus horizontal brushing made of a
    wrapped moving average, so the tile's edges meet."""
    rnd = Noise(seed)
    raw = [[rnd.next() - 0.5 for _ in range(size)] for _ in range(size)]
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            brushed = sum(raw[y][(x + k) % size] for k in range(-4, 5)) / 9.0
            v = base + raw[y][x] * grain + brushed * streak
            g = max(0, min(255, int(round(v))))
            row.append((g, g, min(255, g + 1)))
        rows.append(row)
    return rows


def surround_texture(size, seed):
    """The area round the label: a darker grey with a faint diagonal weave."""
    rnd = Noise(seed)
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            weave = 3 if ((x + y) // 4) % 2 == 0 else -3
            v = 128 + weave + (rnd.next() - 0.5) * 6
            g = max(0, min(255, int(round(v))))
            row.append((g, g, min(255, g + 2)))
        rows.append(row)
    return rows


# ----------------------------------------------------------------------------
# Larger pictures: splash, About pictures, small controls.
# ----------------------------------------------------------------------------

def splash():
    c = Canvas(300, 300, ss=2)
    cx = cy = 150.0
    draw_disc(c, cx, cy, 149.0, label=((40, 70, 170), (120, 40, 140)), rim=(70, 76, 92))
    title = 'SLEEVORY'
    c.text(int(cx - text_width(title, FONT5, 4) / 2) + 2, 52, title, (20, 20, 50), FONT5, 4)
    c.text(int(cx - text_width(title, FONT5, 4) / 2), 50, title, WHITE, FONT5, 4)
    line = 'CD INSERTS AND DISC LABELS'
    c.text(int(cx - text_width(line, FONT5, 1) / 2), 88, line, (230, 230, 255), FONT5, 1)
    version = 'VERSION 2.20'
    c.text(int(cx - text_width(version, FONT5, 1) / 2), 205, version, (230, 230, 255), FONT5, 1)
    return keyed_rows(c)


def about_picture_a():
    c = Canvas(91, 36, ss=2)
    draw_disc(c, 17.5, 18.0, 16.5, label=((70, 110, 220), (170, 70, 170)))
    c.text(38, 8, 'SLEEVORY', (30, 50, 140), FONT5)
    c.text(38, 20, 'CD LABELS', (80, 80, 90))
    return keyed_rows(c)


def about_picture_b():
    c = Canvas(98, 30, ss=1)
    word = 'SLEEVORY'
    x = (98 - text_width(word, FONT5, 2)) // 2
    c.text(x + 1, 3, word, (150, 150, 170), FONT5, 2)
    c.text(x, 2, word, (30, 50, 140), FONT5, 2)
    c.text((98 - text_width('VERSION 2.20')) // 2, 21, 'VERSION 2.20', (80, 80, 90))
    return keyed_rows(c)


def check_box_picture(state):
    """13 x 13 check boxes: 'clear', 'set' or 'disabled'."""
    c = Canvas(13, 13)
    face = (236, 236, 236) if state == 'disabled' else WHITE
    edge = (150, 150, 150) if state == 'disabled' else (70, 80, 100)
    c.box(0, 0, 12, 12, face)
    c.frame(0, 0, 12, 12, edge)
    c.hline(1, 11, 1, (200, 205, 215) if state != 'disabled' else face)
    if state in ('set', 'disabled'):
        ink = (150, 150, 150) if state == 'disabled' else (30, 120, 40)
        for x, y in ((3, 6), (4, 7), (5, 8), (6, 7), (7, 6), (8, 5), (9, 4)):
            c.vline(x, y, y + 2, ink)
    return keyed_rows(c)


def marker_picture(kind):
    """11 x 11 value markers on a white background (one of their lists has no
    mask, so nothing here may rely on transparency)."""
    c = Canvas(11, 11)
    c.box(0, 0, 10, 10, WHITE)
    if kind == 'no':
        c.frame(1, 1, 9, 9, (110, 115, 130))
    elif kind in ('yes', 'disabled_on'):
        ink = (30, 130, 45) if kind == 'yes' else (160, 160, 160)
        c.frame(1, 1, 9, 9, (110, 115, 130) if kind == 'yes' else (170, 170, 170))
        for x, y in ((3, 4), (4, 5), (5, 6), (6, 5), (7, 4), (8, 3)):
            c.vline(x, y, y + 1, ink)
    else:  # no choice offered
        c.box(1, 1, 9, 9, (228, 228, 232))
        c.frame(1, 1, 9, 9, (175, 175, 185))
        c.hline(3, 7, 5, (150, 150, 160))
    return opaque_rows(c, WHITE)


def arrow_heads():
    """Four 10 x 10 arrow heads on white (white is their mask): left, right,
    up, down."""
    ink = (20, 60, 200)
    right = Canvas(10, 10, ss=2)
    right.box(0, 0, 9, 9, WHITE)
    right.polygon([(1, 1), (9.5, 5), (1, 9)], ink)
    left = flipped_h(right)
    down = transposed(right)
    up = flipped_v(down)
    return hstack([opaque_rows(x, WHITE) for x in (left, right, up, down)])


def side_switch(front_selected):
    c = Canvas(145, 36)
    on_face, off_face = (70, 110, 200), (222, 224, 230)
    c.box(0, 0, 63, 35, on_face if front_selected else off_face)
    c.box(64, 0, 144, 35, off_face if front_selected else on_face)
    c.frame(0, 0, 144, 35, (70, 75, 90))
    c.vline(64, 0, 35, (70, 75, 90))
    for label, x0, x1, selected in (('FRONT', 0, 63, front_selected), ('BACK', 64, 144, not front_selected)):
        colour = WHITE if selected else (80, 80, 95)
        c.text((x0 + x1 + 1 - text_width(label, FONT5)) // 2, 15, label, colour, FONT5)
    return keyed_rows(c)


# ----------------------------------------------------------------------------
# Icons and cursors.
# ----------------------------------------------------------------------------

def program_icon(size):
    c = Canvas(size, size, ss=4)
    s = size / 32.0
    x0, y0, x1, y1 = 1 * s, 6 * s, 23 * s, 29 * s
    c.rect(x0, y0, x1, y1, (60, 66, 82))
    c.rect(x0 + 3 * s, y0 + 1 * s, x1 - 1 * s, y1 - 1 * s,
           lambda x, y: mix((70, 110, 215), (165, 70, 170), (y - y0) / (y1 - y0)))
    c.rect(x0 + 1 * s, y0 + 1 * s, x0 + 2 * s, y1 - 1 * s, (175, 182, 196))
    if size >= 32:
        c.rect(x0 + 5 * s, y0 + 3 * s, x1 - 3 * s, y0 + 5 * s, (255, 255, 255))
        c.rect(x0 + 5 * s, y0 + 7 * s, x1 - 8 * s, y0 + 8 * s, (225, 225, 250))
    draw_disc(c, 21.5 * s, 13.0 * s, 10.2 * s)
    return c


def check_icon(set_state):
    c = Canvas(16, 16, ss=2)
    c.rect(2, 2, 14, 14, (70, 80, 100))
    c.rect(3, 3, 13, 13, WHITE)
    if set_state:
        c.segment(5, 8.2, 7.2, 10.6, 2.0, (30, 130, 45))
        c.segment(7.2, 10.6, 11.5, 5, 2.0, (30, 130, 45))
    return c


ARROW = [
    'X..........',
    'XX.........',
    'XWX........',
    'XWWX.......',
    'XWWWX......',
    'XWWWWX.....',
    'XWWWWWX....',
    'XWWWWWWX...',
    'XWWWWWWWX..',
    'XWWWWWWWWX.',
    'XWWWWWXXXXX',
    'XWWXWWX....',
    'XWX.XWWX...',
    'XX..XWWX...',
    'X....XWWX..',
    '.....XWWX..',
    '......XX...',
]

HAND = [
    '.....XX.........',
    '....XWWX........',
    '....XWWX........',
    '....XWWX........',
    '....XWWX........',
    '....XWWXXX......',
    '....XWWXWWXXX...',
    '....XWWXWWXWWXX.',
    '.XX.XWWXWWXWWXWX',
    'XWWXXWWWWWWWWXWX',
    'XWWWXWWWWWWWWWWX',
    '.XWWWWWWWWWWWWWX',
    '..XWWWWWWWWWWWWX',
    '..XWWWWWWWWWWWX.',
    '...XWWWWWWWWWWX.',
    '...XWWWWWWWWWX..',
    '....XWWWWWWWWX..',
    '....XWWWWWWWWX..',
    '....XXXXXXXXXX..',
]


def drag_cursor(allowed):
    c = Canvas(32, 32, ss=2)
    c.ascii_art(0, 0, ARROW, {'X': BLACK, 'W': WHITE})
    if allowed:
        c.box(11, 15, 23, 27, WHITE)
        c.frame(11, 15, 23, 27, BLACK)
        c.box(16, 17, 18, 25, (20, 130, 40))
        c.box(13, 20, 21, 22, (20, 130, 40))
    else:
        c.circle(17.5, 21.5, 6.6, WHITE)
        c.ring(17.5, 21.5, 4.2, 6.2, (200, 20, 20))
        c.segment(13.6, 17.6, 21.4, 25.4, 1.9, (200, 20, 20))
    return c


def link_cursor():
    c = Canvas(32, 32)
    c.ascii_art(0, 0, HAND, {'X': BLACK, 'W': WHITE})
    return c


# ----------------------------------------------------------------------------

def main():
    menu = [glyph_rows(fn) for fn in MENU_GLYPHS]
    assert len(menu) == 25
    write_bmp('menu_images.bmp', hstack(menu))
    write_bmp('standard_toolbar_normal.bmp', map_rows(hstack(menu[:12]), muted))
    write_bmp('standard_toolbar_disabled.bmp', map_rows(hstack(menu[:24]), disabled))

    view = hstack([view_picture(i) for i in range(16)])
    write_bmp('view_toolbar_normal.bmp', map_rows(view, muted))
    write_bmp('view_toolbar_hot.bmp', view)
    write_bmp('view_toolbar_disabled.bmp', map_rows(view, disabled))

    objects = hstack([object_picture(i) for i in range(8)])
    write_bmp('object_toolbar_normal.bmp', map_rows(objects, muted))
    write_bmp('object_toolbar_hot.bmp', objects)
    write_bmp('object_toolbar_disabled.bmp', map_rows(objects, disabled))

    write_bmp('document_icons.bmp', hstack([doc_icon(i) for i in range(6)]))

    write_bmp('panel_texture.bmp', texture(64, 185, 7, 10, 356))
    write_bmp('view_surround.bmp', surround_texture(64, 357))

    write_bmp('splash.bmp', splash())
    write_bmp('about_picture_a.bmp', about_picture_a())
    write_bmp('about_picture_b.bmp', about_picture_b())
    write_bmp('check_box_clear.bmp', check_box_picture('clear'))
    write_bmp('check_box_set.bmp', check_box_picture('set'))
    write_bmp('check_box_disabled.bmp', check_box_picture('disabled'))
    write_bmp('marker_no.bmp', marker_picture('no'))
    write_bmp('marker_yes.bmp', marker_picture('yes'))
    write_bmp('marker_disabled_on.bmp', marker_picture('disabled_on'))
    write_bmp('marker_no_choice.bmp', marker_picture('no_choice'))
    write_bmp('arrow_heads.bmp', arrow_heads())
    write_bmp('side_switch_front.bmp', side_switch(True))
    write_bmp('side_switch_back.bmp', side_switch(False))

    write_icon('sleevory.ico', [program_icon(32), program_icon(16)])
    write_icon('check_set.ico', [check_icon(True)])
    write_icon('check_clear.ico', [check_icon(False)])
    write_icon('no_drop.cur', [drag_cursor(False)], hotspot=(0, 0))
    write_icon('drop.cur', [drag_cursor(True)], hotspot=(0, 0))
    write_icon('link.cur', [link_cursor()], hotspot=(5, 0))


if __name__ == '__main__':
    main()
