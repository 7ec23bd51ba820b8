#!/usr/bin/env python3
"""Measures the pages the printing tests printed.

Each <name>.pdf in the folder comes with <name>.expect, written by the test
that printed it, in thousandths of an inch on the sheet:
    pages N                     the job has N pages
    sheet P W H                 page P is a sheet W wide and H high (a landscape
                                sheet comes out turned on a portrait page and is
                                turned back before measuring)
    rect P L T R B              an outline rectangle
    vline P X T B               a vertical line
    circle P CX CY D            a circle outline
    cross P X Y                 the calibration crosshair's centre
    inside P L T R B            all ink of the page lies in the box, and there is some
    blank P                     no ink at all
    ink P L T R B               some ink in the box
    clear P L T R B [L T R B]   no ink in the box (but in the second box, if given)
    match P DPI X Y FILE WHAT   page P rendered in colour at DPI shows at pixel (X, Y)
                                the picture FILE (binary PPM beside the .expect; its
                                magenta pixels are not compared): no part of it turned
                                white, and close to it on average
The pages are rendered with Ghostscript at 300 dpi; every position must be
met within 2 pixels (0.17 mm).
"""
import glob
import os
import subprocess
import sys
import tempfile

DPI = 300
TOLERANCE = 2          # pixels
SEARCH = 12            # pixels either side of an expected line


def px(thousandths):
    return thousandths * DPI / 1000.0


def read_pnm(path):
    """(magic, width, height, pixels) of a binary PGM or PPM."""
    with open(path, 'rb') as f:
        data = f.read()
    fields = []
    pos = 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b'#':
            while data[pos:pos + 1] not in (b'\n', b''):
                pos += 1
            continue
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        fields.append(data[start:pos])
    width, height = int(fields[1]), int(fields[2])
    channels = 3 if fields[0] == b'P6' else 1
    return fields[0], width, height, data[pos + 1:pos + 1 + width * height * channels]


def read_pgm(path):
    magic, width, height, pixels = read_pnm(path)
    assert magic == b'P5', path
    return Page(width, height, pixels)


# A printed part that matches its drawing: less than this share of its pixels
# printed white where the drawing has colour, and this mean difference per
# channel at most (text edges fall a pixel either way).
MAX_WHITENED = 0.01
MAX_MEAN_DIFFERENCE = 12.0
IGNORED = (255, 0, 255)


def compare_part(c, colour_page, p, x0, y0, reference, what):
    """Compares a reference drawing with the printed page at (x0, y0)."""
    magic, width, height, ref = read_pnm(reference)
    page_width, page_height, page = colour_page
    counted = whitened = difference = 0
    for y in range(height):
        py = y0 + y
        if py < 0 or py >= page_height:
            continue
        row = ref[y * width * 3:(y + 1) * width * 3]
        start = (py * page_width + x0) * 3
        printed = page[start:start + width * 3]
        for x in range(min(width, page_width - x0)):
            r, g, b = row[3 * x], row[3 * x + 1], row[3 * x + 2]
            if (r, g, b) == IGNORED:
                continue
            pr, pg, pb = printed[3 * x], printed[3 * x + 1], printed[3 * x + 2]
            counted += 1
            difference += abs(pr - r) + abs(pg - g) + abs(pb - b)
            if min(pr, pg, pb) >= 235 and min(r, g, b) <= 200:
                whitened += 1
    c.checks += 1
    if counted == 0:
        c.failures.append('page %d %s: nothing to compare' % (p, what))
        return
    share = whitened / counted
    mean = difference / (3.0 * counted)
    print('   page %d %s: %.4f white where drawn in colour, mean difference %.1f' % (p, what, share, mean))
    if share > MAX_WHITENED:
        c.failures.append('page %d %s: %.1f%% printed white where the label is coloured' % (p, what, 100 * share))
    if mean > MAX_MEAN_DIFFERENCE:
        c.failures.append('page %d %s: mean difference %.1f from the label\'s drawing' % (p, what, mean))


def render_colour(pdf, dpi):
    with tempfile.TemporaryDirectory() as tmp:
        subprocess.run(['gs', '-q', '-dNOPAUSE', '-dBATCH', '-dSAFER', '-sDEVICE=ppmraw', '-r%d' % dpi,
                        '-sOutputFile=%s/page-%%d.ppm' % tmp, pdf], check=True)
        files = sorted(glob.glob(tmp + '/page-*.ppm'), key=lambda f: int(f.rsplit('-', 1)[1][:-4]))
        return [read_pnm(f)[1:] for f in files]


class Page:
    def __init__(self, width, height, pixels):
        self.width, self.height, self.pixels = width, height, pixels

    def ink(self, x, y):
        if 0 <= x < self.width and 0 <= y < self.height:
            return self.pixels[y * self.width + x] < 128
        return False

    def turned(self):
        """The page turned a quarter clockwise: a landscape sheet printed on
        portrait paper comes back upright."""
        rows = [self.pixels[x::self.width][::-1] for x in range(self.width)]
        return Page(self.height, self.width, b''.join(rows))

    def ink_in(self, l, t, r, b, but=None):
        """Whether any pixel of the box (pixels, inclusive of l and t) is ink,
        leaving out the pixels of `but`."""
        for y in range(max(0, int(t)), min(self.height, int(b))):
            row = self.pixels[y * self.width:(y + 1) * self.width]
            for x in range(max(0, int(l)), min(self.width, int(r))):
                if row[x] < 128 and not (but and but[0] <= x < but[2] and but[1] <= y < but[3]):
                    return True
        return False

    def bounds(self):
        """The ink's bounding box (left, top, right, bottom), or None."""
        dark = bytes(range(128))
        left = top = None
        right = bottom = -1
        for y in range(self.height):
            row = self.pixels[y * self.width:(y + 1) * self.width]
            light = row.translate(None, dark)
            if len(light) == len(row):
                continue
            xs = [x for x in range(self.width) if row[x] < 128]
            top = y if top is None else top
            bottom = y
            left = xs[0] if left is None else min(left, xs[0])
            right = max(right, xs[-1])
        return None if top is None else (left, top, right, bottom)


def nearest_run(samples, expected):
    """The centre of the run of ink nearest to `expected` in (position, ink) samples."""
    runs, start = [], None
    for pos, ink in samples:
        if ink and start is None:
            start = pos
        if not ink and start is not None:
            runs.append((start + prev) / 2.0)
            start = None
        prev = pos
    if start is not None:
        runs.append((start + prev) / 2.0)
    if not runs:
        return None
    return min(runs, key=lambda c: abs(c - expected))


def across(page, y, x_expected):
    x0 = int(round(x_expected))
    return nearest_run([(x, page.ink(x, y)) for x in range(x0 - SEARCH, x0 + SEARCH + 1)], x_expected)


def down(page, x, y_expected):
    y0 = int(round(y_expected))
    return nearest_run([(y, page.ink(x, y)) for y in range(y0 - SEARCH, y0 + SEARCH + 1)], y_expected)


class Checker:
    def __init__(self, name):
        self.name, self.failures, self.checks = name, [], 0

    def near(self, what, found, expected):
        self.checks += 1
        if found is None:
            self.failures.append('%s: no ink near %.1f px' % (what, expected))
        elif abs(found - expected) > TOLERANCE:
            self.failures.append('%s: ink at %.1f px, expected %.1f px' % (what, found, expected))


def check_rect(c, page, p, l, t, r, b):
    L, T, R, B = px(l), px(t), px(r), px(b)
    for k in (0.25, 0.5, 0.75):
        x = int(L + (R - L) * k)
        y = int(T + (B - T) * k)
        c.near('page %d rect top at x=%d' % (p, x), down(page, x, T), T)
        c.near('page %d rect bottom at x=%d' % (p, x), down(page, x, B), B)
        c.near('page %d rect left at y=%d' % (p, y), across(page, y, L), L)
        c.near('page %d rect right at y=%d' % (p, y), across(page, y, R), R)


def check_circle(c, page, p, cx, cy, d):
    CX, CY, radius = px(cx), px(cy), px(d) / 2.0
    c.near('page %d circle left' % p, across(page, int(CY), CX - radius), CX - radius)
    c.near('page %d circle right' % p, across(page, int(CY), CX + radius), CX + radius)
    c.near('page %d circle top' % p, down(page, int(CX), CY - radius), CY - radius)
    c.near('page %d circle bottom' % p, down(page, int(CX), CY + radius), CY + radius)


def check_cross(c, page, p, x, y):
    X, Y = px(x), px(y)
    # Past the scales' reach (1 inch) and inside the lines' (1.5 inch).
    off = px(1250)
    c.near('page %d crosshair vertical line' % p, across(page, int(Y + off), X), X)
    c.near('page %d crosshair horizontal line' % p, down(page, int(X + off), Y), Y)


def measure(pdf, expect):
    name = os.path.basename(pdf)[:-4]
    c = Checker(name)
    lines = [l.split() for l in open(expect) if l.strip()]
    with tempfile.TemporaryDirectory() as tmp:
        subprocess.run(['gs', '-q', '-dNOPAUSE', '-dBATCH', '-dSAFER', '-sDEVICE=pgmraw', '-r%d' % DPI,
                        '-sOutputFile=%s/page-%%d.pgm' % tmp, pdf], check=True)
        files = sorted(glob.glob(tmp + '/page-*.pgm'), key=lambda f: int(f.rsplit('-', 1)[1][:-4]))
        pages = [read_pgm(f) for f in files]
    sheets = {int(l[1]): (int(l[2]), int(l[3])) for l in lines if l[0] == 'sheet'}
    for number, (w, h) in sheets.items():
        if number <= len(pages):
            page = pages[number - 1]
            if (w > h) != (page.width > page.height):
                pages[number - 1] = page.turned()
    colour = {}
    for l in lines:
        if l[0] == 'match':
            p, dpi, x0, y0 = (int(v) for v in l[1:5])
            if dpi not in colour:
                colour[dpi] = render_colour(pdf, dpi)
            if p > len(colour[dpi]):
                c.failures.append('match: page %d missing' % p)
                continue
            compare_part(c, colour[dpi][p - 1], p, x0, y0, os.path.join(os.path.dirname(expect), l[5]),
                         ' '.join(l[6:]))
            continue
        kind, args = l[0], [int(v) for v in l[1:]]
        if kind == 'pages':
            c.checks += 1
            if len(pages) != args[0]:
                c.failures.append('%d pages, expected %d' % (len(pages), args[0]))
            continue
        if kind == 'sheet':
            continue
        p = args[0]
        if p > len(pages):
            c.failures.append('%s: page %d missing' % (kind, p))
            continue
        page = pages[p - 1]
        if kind == 'rect':
            check_rect(c, page, p, *args[1:])
        elif kind == 'vline':
            x, t, b = args[1:]
            for k in (0.25, 0.5, 0.75):
                y = int(px(t) + (px(b) - px(t)) * k)
                c.near('page %d fold line at y=%d' % (p, y), across(page, y, px(x)), px(x))
        elif kind == 'circle':
            check_circle(c, page, p, *args[1:])
        elif kind == 'cross':
            check_cross(c, page, p, *args[1:])
        elif kind == 'ink':
            c.checks += 1
            if not page.ink_in(*(px(v) for v in args[1:5])):
                c.failures.append('page %d: no ink in %s' % (p, args[1:5]))
        elif kind == 'clear':
            c.checks += 1
            but = [px(v) for v in args[5:9]] if len(args) >= 9 else None
            if page.ink_in(*(px(v) for v in args[1:5]), but=but):
                c.failures.append('page %d: ink in %s%s' % (p, args[1:5], ' beside %s' % args[5:9] if but else ''))
        elif kind in ('inside', 'blank'):
            c.checks += 1
            box = page.bounds()
            if kind == 'blank':
                if box is not None:
                    c.failures.append('page %d: ink at %s on a page that should be blank' % (p, box))
                continue
            l_, t_, r_, b_ = (px(v) for v in args[1:])
            if box is None:
                c.failures.append('page %d: no ink at all' % p)
            elif (box[0] < l_ - TOLERANCE or box[1] < t_ - TOLERANCE or box[2] > r_ + TOLERANCE
                  or box[3] > b_ + TOLERANCE):
                c.failures.append('page %d: ink %s outside the box (%.0f, %.0f, %.0f, %.0f)'
                                  % (p, box, l_, t_, r_, b_))
    return c


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else 'printed'
    expects = sorted(glob.glob(os.path.join(folder, '*.expect')))
    if not expects:
        print('nothing was printed (the printing tests were skipped): nothing to measure')
        return 0
    failed = 0
    for expect in expects:
        pdf = expect[:-len('.expect')] + '.pdf'
        c = measure(pdf, expect)
        status = 'ok' if not c.failures else 'FAILED'
        print('%s: %d checks, %s' % (c.name, c.checks, status))
        for f in c.failures:
            print('   ' + f)
        failed += bool(c.failures)
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main())
