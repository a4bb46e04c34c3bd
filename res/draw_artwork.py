#!/usr/bin/env python3
"""Draws Tessaro's pictures and writes them as PNG files next to this script.

    python3 res/draw_artwork.py

Only the Python standard library is used: the PNG files are put together
with zlib and struct.  The small icons (16 x 16 and 32 x 32, at most 16
colours) are drawn pixel by pixel on a palette; the larger pictures are
drawn with anti-aliased shapes (signed distance functions).  The output is
deterministic, so running the script again gives the same bytes.

Pictures:
    program.png      32 x 32, program icon: a table sheet under a magnifying glass
    program-128.png  128 x 128, the same motif for the desktop entry
    icon1000.png     16 x 16, image of a record row: a sheet with lines
    icon1001.png     32 x 32, the same sheet large
    icon1002.png     16 x 16, the sheet with a pencil
    icon1003.png     16 x 16, mark of a row with memo: a yellow note pad
    back.png         68 x 64, background while no table is open: a database
                     cylinder on the window gray #C0C0C0
"""

import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


# ---------------------------------------------------------------------------
# PNG writing

def _chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def write_png_indexed(path, width, height, rows, palette):
    """rows: lists of palette indices; palette: (r, g, b, a) tuples, at most 256."""
    if not 1 <= len(palette) <= 256:
        raise ValueError("palette needs 1 to 256 entries")
    depth = 4 if len(palette) <= 16 else 8
    raw = bytearray()
    for row in rows:
        raw.append(0)  # filter: none
        if depth == 8:
            raw.extend(row)
        else:
            for i in range(0, width, 2):
                hi = row[i]
                lo = row[i + 1] if i + 1 < width else 0
                raw.append((hi << 4) | lo)
    plte = bytearray()
    for r, g, b, _ in palette:
        plte.extend((r, g, b))
    alphas = [a for _, _, _, a in palette]
    last = max((i for i, a in enumerate(alphas) if a < 255), default=-1)
    png = b"\x89PNG\r\n\x1a\n"
    png += _chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, depth, 3, 0, 0, 0))
    png += _chunk(b"PLTE", bytes(plte))
    if last >= 0:
        png += _chunk(b"tRNS", bytes(alphas[: last + 1]))
    png += _chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    png += _chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def write_png_rgba(path, width, height, pixels):
    """pixels: rows of (r, g, b, a) tuples with 0..255 values."""
    raw = bytearray()
    for row in pixels:
        raw.append(0)
        for r, g, b, a in row:
            raw.extend((r, g, b, a))
    png = b"\x89PNG\r\n\x1a\n"
    png += _chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
    png += _chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    png += _chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def hexc(text, alpha=255):
    text = text.lstrip("#")
    return (int(text[0:2], 16), int(text[2:4], 16), int(text[4:6], 16), alpha)


# ---------------------------------------------------------------------------
# Pixel canvas for the small palette icons

class PixelCanvas:
    def __init__(self, width, height, palette):
        if len(palette) > 16:
            raise ValueError("small icons use at most 16 colours")
        self.w = width
        self.h = height
        self.palette = palette
        self.px = [[0] * width for _ in range(height)]  # index 0 is transparent

    def inside(self, x, y):
        return 0 <= x < self.w and 0 <= y < self.h

    def set(self, x, y, c):
        if self.inside(x, y):
            self.px[y][x] = c

    def get(self, x, y):
        return self.px[y][x] if self.inside(x, y) else 0

    def rect(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def hline(self, x0, x1, y, c):
        self.rect(x0, y, x1, y, c)

    def vline(self, x, y0, y1, c):
        self.rect(x, y0, x, y1, c)

    def fill(self, mask, c):
        for x, y in mask:
            self.set(x, y, c)

    def save(self, name):
        write_png_indexed(os.path.join(HERE, name), self.w, self.h, self.px, self.palette)


def mask_where(w, h, test):
    return {(x, y) for y in range(h) for x in range(w) if test(x, y)}


def mask_edge(mask):
    """Pixels of the mask that touch a pixel outside it (4-neighbourhood)."""
    return {(x, y) for x, y in mask
            if any((x + dx, y + dy) not in mask for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))}


def mask_halo(mask):
    """Pixels outside the mask that touch it (4-neighbourhood)."""
    out = set()
    for x, y in mask:
        for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
            p = (x + dx, y + dy)
            if p not in mask:
                out.add(p)
    return out


def sheet_mask(x0, y0, x1, y1, ear):
    """A sheet of paper with its top right corner folded over by `ear` pixels."""
    return {(x, y) for y in range(y0, y1 + 1) for x in range(x0, x1 + 1)
            if x - (x1 - ear) <= y - y0}


def draw_sheet(cv, x0, y0, x1, y1, ear, c_out, c_paper, c_shade, c_fold, shadow=None):
    body = sheet_mask(x0, y0, x1, y1, ear)
    if shadow is not None:
        cv.fill({(x + 1, y + 1) for x, y in body} - body, shadow)
    cv.fill(body, c_paper)
    # a little shading along the right and lower inner edge
    for x, y in body:
        if (x + 1, y) not in body or (x, y + 1) not in body:
            pass
        elif (x + 2, y) not in body or (x, y + 2) not in body:
            cv.set(x, y, c_shade)
    cv.fill(mask_edge(body), c_out)
    fold = {(x, y) for x in range(x1 - ear, x1 + 1) for y in range(y0, y0 + ear + 1)
            if x - (x1 - ear) <= y - y0}
    cv.fill(fold, c_fold)
    for x, y in fold:
        if x == x1 - ear or y == y0 + ear or x - (x1 - ear) == y - y0:
            cv.set(x, y, c_out)
    return body


# ---------------------------------------------------------------------------
# Record icons

SHEET_PALETTE = [
    (0, 0, 0, 0),          # 0 transparent
    hexc("#3E4A5C"),       # 1 outline
    hexc("#FFFFFF"),       # 2 paper
    hexc("#DDE4EE"),       # 3 paper shade
    hexc("#4D72AE"),       # 4 text line
    hexc("#C7D1DF"),       # 5 folded corner
    hexc("#9FB4D6"),       # 6 light text line
    (0, 0, 0, 60),         # 7 shadow
]


def draw_icon1000():
    cv = PixelCanvas(16, 16, SHEET_PALETTE)
    draw_sheet(cv, 2, 0, 12, 14, 3, 1, 2, 3, 5, shadow=7)
    for y, x1 in ((5, 9), (7, 10), (9, 10), (11, 8)):
        cv.hline(4, x1, y, 4)
    return cv


def draw_icon1001():
    cv = PixelCanvas(32, 32, SHEET_PALETTE)
    draw_sheet(cv, 5, 1, 25, 29, 7, 1, 2, 3, 5, shadow=7)
    # a heading line and text lines below it
    cv.rect(9, 6, 15, 7, 4)
    for y, x1 in ((12, 21), (15, 21), (18, 21), (21, 21), (24, 17)):
        cv.hline(9, x1, y, 4)
        cv.hline(9, x1, y + 1, 6)
    return cv


PENCIL_PALETTE = SHEET_PALETTE[:7] + [
    hexc("#F4C430"),       # 7 pencil body
    hexc("#C8901A"),       # 8 pencil body, dark side
    hexc("#FCE58A"),       # 9 pencil body, light side
    hexc("#EFD3A8"),       # 10 sharpened wood
    hexc("#2B2B2B"),       # 11 lead
    hexc("#E58C9C"),       # 12 eraser
    hexc("#9AA0A8"),       # 13 ferrule
    hexc("#2A2F38"),       # 14 pencil outline
]


def draw_icon1002():
    cv = PixelCanvas(16, 16, PENCIL_PALETTE)
    draw_sheet(cv, 1, 0, 11, 13, 3, 1, 2, 3, 5)
    for y, x1 in ((5, 8), (7, 9), (9, 7)):
        cv.hline(3, x1, y, 4)
    # pencil lying diagonally from the lower left to the upper right: three
    # diagonal bands (upper side, middle, lower side); t runs along the pencil
    middle = {-7: 11, -5: 10, -3: 7, -1: 7, 1: 7, 3: 13, 5: 12, 7: 12}
    side = {-4: 10, -2: None, 0: None, 2: None, 4: 13, 6: 12}
    pencil = {}
    for y in range(16):
        for x in range(16):
            band, t = x + y - 21, x - y
            if band == 0 and t in middle:
                pencil[(x, y)] = middle[t]
            elif band in (-1, 1) and t in side:
                pencil[(x, y)] = side[t] or (9 if band < 0 else 8)
    cv.fill(mask_halo(set(pencil)), 14)
    for (x, y), c in pencil.items():
        cv.set(x, y, c)
    return cv


MEMO_PALETTE = [
    (0, 0, 0, 0),          # 0 transparent
    hexc("#8A5A0C"),       # 1 outline
    hexc("#FFE873"),       # 2 paper
    hexc("#F5CF45"),       # 3 paper shade
    hexc("#B77A1E"),       # 4 writing line
    hexc("#B8412C"),       # 5 binding
    hexc("#7A2818"),       # 6 binding dark
    hexc("#FFF6C4"),       # 7 paper highlight / curled corner
    hexc("#4A4A4A"),       # 8 ring
    hexc("#D9D9D9"),       # 9 ring highlight
    (0, 0, 0, 60),         # 10 shadow
]


def draw_icon1003():
    cv = PixelCanvas(16, 16, MEMO_PALETTE)
    x0, y0, x1, y1 = 1, 2, 13, 14
    # pad with a curled lower right corner
    pad = {(x, y) for y in range(y0, y1 + 1) for x in range(x0, x1 + 1)
           if (x1 - x) + (y1 - y) >= 3}
    cv.fill({(x + 1, y + 1) for x, y in pad} - pad, 10)
    cv.fill(pad, 2)
    for x, y in pad:
        if (x + 1, y) in pad and (x, y + 1) in pad and ((x + 2, y) not in pad or (x, y + 2) not in pad):
            cv.set(x, y, 3)
    cv.fill(mask_edge(pad), 1)
    curl = [(x1 - 2, y1 - 1), (x1 - 1, y1 - 2), (x1 - 2, y1 - 2)]
    for p in curl:
        cv.set(*p, 7)
    cv.set(x1 - 3, y1, 1)
    cv.set(x1 - 2, y1, 1)
    cv.set(x1 - 1, y1 - 1, 1)
    cv.set(x1, y1 - 2, 1)
    cv.set(x1, y1 - 3, 1)
    # binding strip along the top with three rings
    cv.rect(x0, y0, x1, y0 + 2, 5)
    cv.hline(x0, x1, y0 + 2, 6)
    cv.vline(x0, y0, y0 + 2, 6)
    cv.vline(x1, y0, y0 + 2, 6)
    for rx in (3, 7, 11):
        cv.vline(rx, y0 - 2, y0 + 1, 8)
        cv.set(rx, y0 - 2, 9)
        cv.set(rx + 1, y0 - 1, 8)
    # writing lines
    for y, xe in ((7, 11), (9, 11), (11, 8)):
        cv.hline(3, xe, y, 4)
    return cv


# ---------------------------------------------------------------------------
# Program icon, 32 x 32

PROGRAM_PALETTE = [
    (0, 0, 0, 0),          # 0 transparent
    hexc("#26334A"),       # 1 outline
    hexc("#FFFFFF"),       # 2 paper, highlights
    hexc("#E1E8F2"),       # 3 number column
    hexc("#A9B7CA"),       # 4 grid line
    hexc("#3B72C4"),       # 5 heading row
    hexc("#1F4A8E"),       # 6 heading row, dark
    hexc("#8DB3E8"),       # 7 heading separator
    hexc("#363C45"),       # 8 lens ring
    hexc("#9CA5B1"),       # 9 lens ring, light
    hexc("#D2EBF8"),       # 10 glass
    hexc("#6D7D96"),       # 11 cell content
    hexc("#8C5627"),       # 12 handle
    hexc("#C4854A"),       # 13 handle, light
    hexc("#4C2A0F"),       # 14 handle, dark
    (0, 0, 0, 64),         # 15 shadow
]


def draw_program32():
    cv = PixelCanvas(32, 32, PROGRAM_PALETTE)
    x0, y0, x1, y1 = 1, 2, 22, 23
    # shadow and sheet
    cv.rect(x0 + 1, y1 + 1, x1 + 1, y1 + 1, 15)
    cv.rect(x1 + 1, y0 + 1, x1 + 1, y1 + 1, 15)
    cv.rect(x0, y0, x1, y1, 1)
    cv.rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, 2)
    # heading row
    cv.rect(x0 + 1, y0 + 1, x1 - 1, y0 + 4, 5)
    cv.hline(x0 + 1, x1 - 1, y0 + 5, 6)
    cv.hline(x0 + 1, x1 - 1, y0 + 1, 7)
    # number column
    cv.rect(x0 + 1, y0 + 6, x0 + 5, y1 - 1, 3)
    # grid
    for y in (y0 + 9, y0 + 13, y0 + 17):
        cv.hline(x0 + 1, x1 - 1, y, 4)
    for x in (x0 + 6, x0 + 14):
        cv.vline(x, y0 + 6, y1 - 1, 4)
        cv.vline(x, y0 + 2, y0 + 4, 7)
    # heading captions and cell contents
    cv.hline(x0 + 2, x0 + 4, y0 + 3, 2)
    cv.hline(x0 + 8, x0 + 12, y0 + 3, 2)
    cv.hline(x0 + 16, x0 + 19, y0 + 3, 2)
    for ry in (y0 + 7, y0 + 11, y0 + 15, y0 + 19):
        cv.hline(x0 + 3, x0 + 4, ry, 11)
        cv.hline(x0 + 8, x0 + 12 - (ry // 4) % 2 * 2, ry, 11)
        cv.hline(x0 + 16, x0 + 19 - (ry // 4) % 3, ry, 11)

    # magnifying glass
    cx, cy = 20.0, 19.0
    r_glass, r_ring = 5.0, 7.3
    # handle first, the ring covers its inner end
    ax, ay, bx, by = 25.0, 24.0, 29.6, 28.6
    hand = set()
    for y in range(32):
        for x in range(32):
            px, py = x + 0.5, y + 0.5
            t = max(0.0, min(1.0, ((px - ax) * (bx - ax) + (py - ay) * (by - ay)) /
                             ((bx - ax) ** 2 + (by - ay) ** 2)))
            if math.hypot(px - (ax + t * (bx - ax)), py - (ay + t * (by - ay))) <= 1.75:
                hand.add((x, y))
    for x, y in hand:
        side = (x - y) - (bx - by)  # > 0 upper right side, < 0 lower left side
        cv.set(x, y, 13 if side > 0.5 else (14 if side < -0.5 else 12))
    for x, y in mask_edge(hand):
        if (x - y) < (bx - by) - 0.5 or x + y >= 56:
            cv.set(x, y, 14)
    glass = set()
    ring = set()
    for y in range(32):
        for x in range(32):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            if d <= r_glass:
                glass.add((x, y))
            elif d <= r_ring:
                ring.add((x, y))
    # the glass shows the table enlarged: a grid line crossing and some content
    for x, y in glass:
        c = 10
        if x == 19 or y == 18:
            c = 4
        elif y in (15, 16) and 20 <= x <= 23:
            c = 11
        elif y in (20, 21) and 21 <= x <= 23:
            c = 11
        cv.set(x, y, c)
    for x, y in ring:
        ang = math.degrees(math.atan2(y + 0.5 - cy, x + 0.5 - cx))
        cv.set(x, y, 9 if 170 <= ang or ang <= -100 else 8)
    for x, y in mask_halo(ring | glass):
        if cv.get(x, y) not in (12, 13, 14):
            cv.set(x, y, 1)
    # reflection on the glass
    for p in ((16, 17), (16, 16), (17, 15), (18, 15)):
        cv.set(*p, 2)
    return cv


# ---------------------------------------------------------------------------
# Anti-aliased drawing with signed distance functions

def sd_circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def sd_box(x0, y0, x1, y1, r=0.0):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r

    def f(x, y):
        qx = abs(x - cx) - hx
        qy = abs(y - cy) - hy
        return math.hypot(max(qx, 0.0), max(qy, 0.0)) + min(max(qx, qy), 0.0) - r
    return f


def sd_ellipse(cx, cy, rx, ry):
    def f(x, y):
        u, v = (x - cx) / rx, (y - cy) / ry
        g = math.hypot(u, v)
        if g < 1e-9:
            return -min(rx, ry)
        gx, gy = u / (rx * g), v / (ry * g)
        return (g - 1.0) / math.hypot(gx, gy)
    return f


def sd_segment(ax, ay, bx, by, r):
    def f(x, y):
        vx, vy = bx - ax, by - ay
        t = ((x - ax) * vx + (y - ay) * vy) / (vx * vx + vy * vy)
        t = max(0.0, min(1.0, t))
        return math.hypot(x - ax - t * vx, y - ay - t * vy) - r
    return f


def sd_halfplane_below(y0):
    """Everything below the line y = y0."""
    return lambda x, y: y0 - y


def sd_union(*fs):
    return lambda x, y: min(f(x, y) for f in fs)


def sd_intersect(*fs):
    return lambda x, y: max(f(x, y) for f in fs)


def sd_subtract(a, b):
    return lambda x, y: max(a(x, y), -b(x, y))


def sd_stroke(f, width):
    return lambda x, y: abs(f(x, y)) - width / 2


def sd_grow(f, amount):
    return lambda x, y: f(x, y) - amount


def sd_scaled(f, cx, cy, sx, sy, s):
    """The shape f enlarged by the factor s, its point (sx, sy) moved to (cx, cy)."""
    return lambda x, y: f(sx + (x - cx) / s, sy + (y - cy) / s) * s


def solid(c):
    r, g, b, a = c
    col = (r, g, b, a / 255.0)
    return lambda x, y: col


def gradient(x0, y0, x1, y1, stops):
    """Linear gradient; stops are (t, colour) pairs sorted by t."""
    dx, dy = x1 - x0, y1 - y0
    ll = dx * dx + dy * dy
    stops = [(t, (c[0], c[1], c[2], c[3] / 255.0)) for t, c in stops]

    def f(x, y):
        t = ((x - x0) * dx + (y - y0) * dy) / ll
        if t <= stops[0][0]:
            return stops[0][1]
        for (ta, ca), (tb, cb) in zip(stops, stops[1:]):
            if t <= tb:
                k = (t - ta) / (tb - ta) if tb > ta else 0.0
                return tuple(ca[i] + (cb[i] - ca[i]) * k for i in range(4))
        return stops[-1][1]
    return f


class VectorCanvas:
    def __init__(self, width, height, background=(0, 0, 0, 0)):
        self.w = width
        self.h = height
        r, g, b, a = background
        self.px = [[[r, g, b, a / 255.0] for _ in range(width)] for _ in range(height)]

    def draw(self, shape, paint, soft=1.0, box=None):
        x0, y0, x1, y1 = box if box else (0, 0, self.w, self.h)
        for y in range(max(0, y0), min(self.h, y1)):
            row = self.px[y]
            for x in range(max(0, x0), min(self.w, x1)):
                px, py = x + 0.5, y + 0.5
                cov = 0.5 - shape(px, py) / soft
                if cov <= 0.0:
                    continue
                if cov > 1.0:
                    cov = 1.0
                r, g, b, a = paint(px, py)
                sa = a * cov
                if sa <= 0.0:
                    continue
                d = row[x]
                da = d[3] * (1.0 - sa)
                oa = sa + da
                d[0] = (r * sa + d[0] * da) / oa
                d[1] = (g * sa + d[1] * da) / oa
                d[2] = (b * sa + d[2] * da) / oa
                d[3] = oa

    def rgba_rows(self):
        rows = []
        for row in self.px:
            out = []
            for r, g, b, a in row:
                ai = int(round(a * 255))
                if ai == 0:
                    out.append((0, 0, 0, 0))
                else:
                    out.append((int(round(r)), int(round(g)), int(round(b)), ai))
            rows.append(out)
        return rows


def median_cut(colours, count):
    """Reduces a list of (r, g, b) colours to at most `count` representatives."""
    boxes = [list(colours)]
    while len(boxes) < count:
        best, best_range, best_channel = None, 0, 0
        for i, box in enumerate(boxes):
            if len(set(box)) < 2:
                continue
            for ch in range(3):
                vals = [c[ch] for c in box]
                rng = max(vals) - min(vals)
                if rng > best_range:
                    best, best_range, best_channel = i, rng, ch
        if best is None:
            break
        box = sorted(boxes.pop(best), key=lambda c: c[best_channel])
        mid = len(box) // 2
        while 0 < mid < len(box) and box[mid][best_channel] == box[mid - 1][best_channel]:
            mid += 1
        if mid >= len(box):
            mid = len(box) // 2
            while mid > 0 and box[mid][best_channel] == box[mid - 1][best_channel]:
                mid -= 1
        if mid == 0:
            boxes.append(box)
            break
        boxes.append(box[:mid])
        boxes.append(box[mid:])
    result = []
    for box in boxes:
        n = len(box)
        result.append(tuple(int(round(sum(c[ch] for c in box) / n)) for ch in range(3)))
    return result


def save_opaque_indexed(name, canvas, keep):
    """Saves an opaque picture with at most 256 colours; `keep` stays exact."""
    rows = [[c[:3] for c in row] for row in canvas.rgba_rows()]
    unique = sorted({c for row in rows for c in row})
    if len(unique) <= 256:
        palette = unique
    else:
        others = [c for row in rows for c in row if c != keep]
        palette = [keep] + [c for c in median_cut(others, 255) if c != keep]
    index = {}

    def nearest(c):
        if c not in index:
            index[c] = min(range(len(palette)),
                           key=lambda i: sum((palette[i][k] - c[k]) ** 2 for k in range(3)))
        return index[c]
    out = [[nearest(c) for c in row] for row in rows]
    write_png_indexed(os.path.join(HERE, name), canvas.w, canvas.h, out,
                      [(r, g, b, 255) for r, g, b in palette])
    return len(palette)


# ---------------------------------------------------------------------------
# Program icon, 128 x 128

def draw_table(cv, clip=None, lens=None):
    """The table sheet of the large program icon; `lens` = (cx, cy, sx, sy, scale)."""
    def shape(f):
        if lens:
            f = sd_scaled(f, *lens)
        if clip:
            f = sd_intersect(f, clip)
        return f

    x0, y0, x1, y1 = 10.0, 12.0, 100.0, 106.0
    sheet = sd_box(x0, y0, x1, y1, 7.0)
    inner = sd_grow(sheet, -1.5)
    cv.draw(shape(sheet), gradient(0, y0, 0, y1, [(0, hexc("#FFFFFF")), (1, hexc("#E9EEF5"))]))
    # heading row
    cv.draw(shape(sd_intersect(inner, sd_box(x0, y0, x1, 34.0))),
            gradient(0, y0, 0, 34, [(0, hexc("#5A93E0")), (1, hexc("#2A5CAD"))]))
    # number column and every other row tinted
    cv.draw(shape(sd_intersect(inner, sd_box(x0, 35.0, 34.0, y1))), solid(hexc("#DCE4F0")))
    for ry in (53.0, 89.0):
        cv.draw(shape(sd_intersect(inner, sd_box(35.0, ry, x1, ry + 17.0))), solid(hexc("#EEF3FA")))
    # grid
    for gy in (52.0, 70.0, 88.0):
        cv.draw(shape(sd_intersect(inner, sd_box(x0, gy - 0.9, x1, gy + 0.9))), solid(hexc("#A9B7CA")))
    for gx in (34.0, 67.0):
        cv.draw(shape(sd_intersect(inner, sd_box(gx - 0.9, 34.0, gx + 0.9, y1))), solid(hexc("#A9B7CA")))
        cv.draw(shape(sd_box(gx - 0.9, 16.0, gx + 0.9, 31.0)), solid(hexc("#8DB3E8")))
    cv.draw(shape(sd_intersect(inner, sd_box(x0, 33.0, x1, 35.0))), solid(hexc("#1C4483")))
    # captions in the heading row
    for a, b in ((16.0, 28.0), (40.0, 58.0), (73.0, 90.0)):
        cv.draw(shape(sd_box(a, 21.0, b, 25.0, 2.0)), solid(hexc("#FFFFFF", 235)))
    # cell contents
    lengths = ((14.0, 20.0), (10.0, 16.0), (18.0, 11.0), (13.0, 19.0))
    for i, top in enumerate((35.0, 53.0, 71.0, 89.0)):
        my = top + 8.5
        cv.draw(shape(sd_box(22.0, my - 2.0, 29.0, my + 2.0, 2.0)), solid(hexc("#7F8DA3")))
        la, lb = lengths[i]
        cv.draw(shape(sd_box(40.0, my - 2.0, 40.0 + la, my + 2.0, 2.0)), solid(hexc("#5F708A")))
        cv.draw(shape(sd_box(73.0, my - 2.0, 73.0 + lb, my + 2.0, 2.0)), solid(hexc("#5F708A")))
    cv.draw(shape(sd_stroke(sheet, 2.6)), solid(hexc("#25344C")))


def draw_program128():
    cv = VectorCanvas(128, 128)
    # soft shadow of the sheet
    cv.draw(sd_box(14.0, 17.0, 104.0, 110.0, 8.0), solid((0, 0, 0, 80)), soft=6.0)
    draw_table(cv)

    cx, cy = 82.0, 78.0
    r_in, r_out = 20.5, 28.5
    # shadow of the magnifying glass
    cv.draw(sd_union(sd_circle(cx + 4, cy + 5, r_out), sd_segment(cx + 4, cy + 5, 123.0, 122.0, 7.0)),
            solid((0, 0, 0, 70)), soft=6.0)
    # handle and neck
    hx0, hy0, hx1, hy1 = 103.0, 99.0, 118.5, 114.5
    across = gradient(hx0 + 6, hy0 - 6, hx0 - 6, hy0 + 6,
                      [(0, hexc("#D08C4C")), (0.45, hexc("#9A5E2A")), (1, hexc("#5A3212"))])
    cv.draw(sd_segment(hx0, hy0, hx1, hy1, 7.5), solid(hexc("#3A210B")))
    cv.draw(sd_segment(hx0, hy0, hx1, hy1, 6.2), across)
    metal = gradient(cx + 20, cy + 8, cx + 8, cy + 20,
                     [(0, hexc("#C9D0D8")), (0.5, hexc("#7B8591")), (1, hexc("#3F4650"))])
    cv.draw(sd_segment(cx + 16, cy + 16, hx0 + 1, hy0 + 1, 8.2), solid(hexc("#22272E")))
    cv.draw(sd_segment(cx + 16, cy + 16, hx0 + 1, hy0 + 1, 7.0), metal)
    # the glass shows the table enlarged
    glass = sd_circle(cx, cy, r_in + 0.5)
    cv.draw(glass, solid(hexc("#FFFFFF")))
    draw_table(cv, clip=glass, lens=(cx, cy, 72.0, 76.0, 1.6))
    cv.draw(glass, gradient(cx - 20, cy - 20, cx + 20, cy + 20,
                            [(0, hexc("#E8F6FF", 60)), (1, hexc("#7FB8E0", 90))]))
    # reflection
    crescent = sd_intersect(sd_subtract(sd_circle(cx, cy, r_in - 3.0), sd_circle(cx + 5.0, cy + 5.0, r_in - 2.0)),
                            sd_circle(cx, cy, r_in - 3.0))
    cv.draw(crescent, solid((255, 255, 255, 150)))
    cv.draw(sd_circle(cx - 7.5, cy - 12.5, 2.0), solid((255, 255, 255, 220)))
    # ring
    ring = sd_stroke(sd_circle(cx, cy, (r_in + r_out) / 2), r_out - r_in)
    cv.draw(ring, gradient(cx - r_out, cy - r_out, cx + r_out, cy + r_out,
                           [(0, hexc("#B9C2CD")), (0.45, hexc("#6E7884")), (1, hexc("#2C3138"))]))
    cv.draw(sd_stroke(sd_circle(cx, cy, r_out), 1.6), solid(hexc("#1B1F25")))
    cv.draw(sd_stroke(sd_circle(cx, cy, r_in), 1.4), solid(hexc("#1B1F25")))
    cv.draw(sd_intersect(sd_stroke(sd_circle(cx, cy, r_out - 2.3), 1.4),
                         lambda x, y: (x - cx) + (y - cy) + 8.0),
            solid((255, 255, 255, 150)))
    write_png_rgba(os.path.join(HERE, "program-128.png"), 128, 128, cv.rgba_rows())


# ---------------------------------------------------------------------------
# Background picture: a database cylinder on the window gray

WINDOW_GRAY = (192, 192, 192)


def draw_back():
    cv = VectorCanvas(68, 64, WINDOW_GRAY + (255,))
    cx, rx, ry = 33.0, 21.0, 6.5
    top, bottom = 12.0, 48.0
    # shadow on the ground
    cv.draw(sd_ellipse(cx + 5.0, bottom + 4.5, rx + 6.0, ry - 1.0), solid((40, 40, 40, 110)), soft=4.0)
    body = sd_union(sd_box(cx - rx, top, cx + rx, bottom), sd_ellipse(cx, bottom, rx, ry))
    outline = hexc("#1A3158")
    side = gradient(cx - rx, 0, cx + rx, 0,
                    [(0.0, hexc("#3F67A6")), (0.22, hexc("#9CBBE8")), (0.4, hexc("#7397D0")),
                     (0.8, hexc("#34558E")), (1.0, hexc("#21396A"))])
    cv.draw(body, side)
    # grooves between the three disks
    for gy in (top + 12.0, top + 24.0):
        lower = sd_halfplane_below(gy)
        cv.draw(sd_intersect(sd_stroke(sd_ellipse(cx, gy, rx, ry), 1.3), lower, body), solid(outline))
        cv.draw(sd_intersect(sd_stroke(sd_ellipse(cx, gy + 1.3, rx - 0.5, ry), 0.9),
                             sd_halfplane_below(gy + 1.3), sd_grow(body, 0.6)),
                solid((255, 255, 255, 80)))
    # a small indicator light on the front of each disk
    lx = cx + rx - 6.0
    sag = ry * math.sqrt(1.0 - ((lx - cx) / rx) ** 2)
    for dy in (top, top + 12.0, top + 24.0):
        cv.draw(sd_circle(lx, dy + sag + 6.0, 1.3), solid(hexc("#7CFC7C", 230)))
    # top face
    face = sd_ellipse(cx, top, rx, ry)
    cv.draw(face, gradient(cx - rx, top - ry, cx + rx * 0.6, top + ry,
                           [(0, hexc("#E4EEFB")), (0.5, hexc("#B5CBEE")), (1, hexc("#86A6DA"))]))
    cv.draw(sd_intersect(sd_stroke(sd_ellipse(cx, top + 0.2, rx * 0.62, ry * 0.55), 0.9),
                         sd_halfplane_below(top)),
            solid((255, 255, 255, 110)))
    cv.draw(sd_stroke(face, 1.2), solid(outline))
    cv.draw(sd_stroke(sd_union(body, face), 1.3), solid(outline))
    return save_opaque_indexed("back.png", cv, WINDOW_GRAY)


def main():
    draw_program32().save("program.png")
    draw_program128()
    draw_icon1000().save("icon1000.png")
    draw_icon1001().save("icon1001.png")
    draw_icon1002().save("icon1002.png")
    draw_icon1003().save("icon1003.png")
    draw_back()


if __name__ == "__main__":
    main()
