#!/usr/bin/env python3
"""Draws the program's pictures (resources/*.bmp) and its hand cursor
(resources/hand.cur): Morse keys, headphones, dots and dashes and the name
KLAVIRO, in the blues of the icon. Standard library only; shapes are signed
distance functions, so every edge is antialiased.

    python3 tools/make_images.py [output-folder]
"""
import math
import os
import struct
import sys

# Page background (the default dialog colour) and the theme.
PAGE = (212, 208, 200)
NAVY = (18, 38, 84)
BLUE = (36, 84, 160)
SKY = (92, 150, 220)
PALE = (226, 236, 250)
WHITE = (255, 255, 255)
GOLD = (236, 184, 64)
BRASS = (204, 150, 52)
DARK = (30, 30, 36)
WOOD = (120, 72, 40)
WOOD_LIGHT = (168, 112, 62)
RED = (200, 60, 52)
GREEN = (56, 150, 84)

# 5 x 7 letters for the dot-matrix texts.
FONT = {
    'A': ".XXX.|X...X|X...X|XXXXX|X...X|X...X|X...X",
    'B': "XXXX.|X...X|X...X|XXXX.|X...X|X...X|XXXX.",
    'C': ".XXX.|X...X|X....|X....|X....|X...X|.XXX.",
    'D': "XXXX.|X...X|X...X|X...X|X...X|X...X|XXXX.",
    'E': "XXXXX|X....|X....|XXXX.|X....|X....|XXXXX",
    'F': "XXXXX|X....|X....|XXXX.|X....|X....|X....",
    'G': ".XXX.|X...X|X....|X.XXX|X...X|X...X|.XXXX",
    'H': "X...X|X...X|X...X|XXXXX|X...X|X...X|X...X",
    'I': ".XXX.|..X..|..X..|..X..|..X..|..X..|.XXX.",
    'J': "..XXX|...X.|...X.|...X.|...X.|X..X.|.XX..",
    'K': "X...X|X..X.|X.X..|XX...|X.X..|X..X.|X...X",
    'L': "X....|X....|X....|X....|X....|X....|XXXXX",
    'M': "X...X|XX.XX|X.X.X|X.X.X|X...X|X...X|X...X",
    'N': "X...X|X...X|XX..X|X.X.X|X..XX|X...X|X...X",
    'O': ".XXX.|X...X|X...X|X...X|X...X|X...X|.XXX.",
    'P': "XXXX.|X...X|X...X|XXXX.|X....|X....|X....",
    'Q': ".XXX.|X...X|X...X|X...X|X.X.X|X..X.|.XX.X",
    'R': "XXXX.|X...X|X...X|XXXX.|X.X..|X..X.|X...X",
    'S': ".XXXX|X....|X....|.XXX.|....X|....X|XXXX.",
    'T': "XXXXX|..X..|..X..|..X..|..X..|..X..|..X..",
    'U': "X...X|X...X|X...X|X...X|X...X|X...X|.XXX.",
    'V': "X...X|X...X|X...X|X...X|X...X|.X.X.|..X..",
    'W': "X...X|X...X|X...X|X.X.X|X.X.X|X.X.X|.X.X.",
    'X': "X...X|X...X|.X.X.|..X..|.X.X.|X...X|X...X",
    'Y': "X...X|X...X|.X.X.|..X..|..X..|..X..|..X..",
    'Z': "XXXXX|....X|...X.|..X..|.X...|X....|XXXXX",
    '0': ".XXX.|X...X|X..XX|X.X.X|XX..X|X...X|.XXX.",
    '1': "..X..|.XX..|..X..|..X..|..X..|..X..|.XXX.",
    '2': ".XXX.|X...X|....X|...X.|..X..|.X...|XXXXX",
    '3': "XXXXX|...X.|..X..|...X.|....X|X...X|.XXX.",
    '4': "...X.|..XX.|.X.X.|X..X.|XXXXX|...X.|...X.",
    '5': "XXXXX|X....|XXXX.|....X|....X|X...X|.XXX.",
    '6': "..XX.|.X...|X....|XXXX.|X...X|X...X|.XXX.",
    '7': "XXXXX|....X|...X.|..X..|.X...|.X...|.X...",
    '8': ".XXX.|X...X|X...X|.XXX.|X...X|X...X|.XXX.",
    '9': ".XXX.|X...X|X...X|.XXXX|....X|...X.|.XX..",
    '.': ".....|.....|.....|.....|.....|.XX..|.XX..",
    ',': ".....|.....|.....|.....|.XX..|..X..|.X...",
    '=': ".....|.....|XXXXX|.....|XXXXX|.....|.....",
    '?': ".XXX.|X...X|....X|...X.|..X..|.....|..X..",
    '/': "....X|....X|...X.|..X..|.X...|X....|X....",
    '-': ".....|.....|.....|XXXXX|.....|.....|.....",
    ' ': ".....|.....|.....|.....|.....|.....|.....",
}

MORSE = {
    'A': '.-', 'B': '-...', 'C': '-.-.', 'D': '-..', 'E': '.', 'F': '..-.', 'G': '--.', 'H': '....',
    'I': '..', 'J': '.---', 'K': '-.-', 'L': '.-..', 'M': '--', 'N': '-.', 'O': '---', 'P': '.--.',
    'Q': '--.-', 'R': '.-.', 'S': '...', 'T': '-', 'U': '..-', 'V': '...-', 'W': '.--', 'X': '-..-',
    'Y': '-.--', 'Z': '--..', '0': '-----', '1': '.----', '2': '..---', '3': '...--', '4': '....-',
    '5': '.....', '6': '-....', '7': '--...', '8': '---..', '9': '----.', '=': '-...-', '/': '-..-.',
}


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


class Canvas:
    def __init__(self, w, h, colour=PAGE):
        self.w, self.h = w, h
        self.px = [list(map(float, colour)) for _ in range(w * h)]

    def blend(self, x, y, colour, a):
        if a <= 0.0 or x < 0 or y < 0 or x >= self.w or y >= self.h:
            return
        p = self.px[y * self.w + x]
        if a >= 1.0:
            p[0], p[1], p[2] = colour
        else:
            for i in range(3):
                p[i] += (colour[i] - p[i]) * a

    def shape(self, sdf, box, paint, alpha=1.0, soft=1.0):
        """Paints where sdf(x, y) < 0; `paint` is a colour or a function of
        (x, y) giving one. `soft` widens the edge (shadows, glows)."""
        x0, y0, x1, y1 = box
        pad = int(soft) + 2
        for y in range(max(0, int(y0) - pad), min(self.h, int(y1) + pad + 1)):
            for x in range(max(0, int(x0) - pad), min(self.w, int(x1) + pad + 1)):
                d = sdf(x + 0.5, y + 0.5)
                a = clamp(0.5 - d / soft) * alpha
                if a > 0.0:
                    self.blend(x, y, paint(x, y) if callable(paint) else paint, a)

    # ---- primitives
    def rect(self, x0, y0, x1, y1, paint, r=0.0, alpha=1.0, soft=1.0):
        cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
        hx, hy = (x1 - x0) / 2, (y1 - y0) / 2

        def sdf(x, y):
            qx, qy = abs(x - cx) - hx + r, abs(y - cy) - hy + r
            return math.hypot(max(qx, 0), max(qy, 0)) + min(max(qx, qy), 0) - r
        self.shape(sdf, (x0, y0, x1, y1), paint, alpha, soft)

    def circle(self, cx, cy, r, paint, alpha=1.0, soft=1.0):
        self.shape(lambda x, y: math.hypot(x - cx, y - cy) - r, (cx - r, cy - r, cx + r, cy + r), paint, alpha,
                   soft)

    def ellipse(self, cx, cy, rx, ry, paint, alpha=1.0):
        m = min(rx, ry)
        self.shape(lambda x, y: (math.hypot((x - cx) / rx, (y - cy) / ry) - 1) * m,
                   (cx - rx, cy - ry, cx + rx, cy + ry), paint, alpha)

    def ring(self, cx, cy, r, width, paint, start=0.0, end=360.0, alpha=1.0):
        """Arc of a ring between two angles (degrees, 0 = right, counter-clockwise, y up)."""
        a0, a1 = math.radians(start), math.radians(end)
        span = a1 - a0

        def sdf(x, y):
            inside = (math.atan2(cy - y, x - cx) - a0) % (2 * math.pi) <= span
            d = abs(math.hypot(x - cx, y - cy) - r) - width / 2
            if inside:
                return d
            ends = []
            for a in (a0, a1):
                ex, ey = cx + r * math.cos(a), cy - r * math.sin(a)
                ends.append(math.hypot(x - ex, y - ey) - width / 2)
            return min(ends)
        rr = r + width
        self.shape(sdf, (cx - rr, cy - rr, cx + rr, cy + rr), paint, alpha)

    def capsule(self, x0, y0, x1, y1, r, paint, alpha=1.0, soft=1.0):
        dx, dy = x1 - x0, y1 - y0
        ll = dx * dx + dy * dy or 1.0

        def sdf(x, y):
            t = clamp(((x - x0) * dx + (y - y0) * dy) / ll)
            return math.hypot(x - x0 - t * dx, y - y0 - t * dy) - r
        self.shape(sdf, (min(x0, x1) - r, min(y0, y1) - r, max(x0, x1) + r, max(y0, y1) + r), paint, alpha,
                   soft)

    def gradient(self, x0, y0, x1, y1, top, bottom, r=0.0):
        self.rect(x0, y0, x1, y1, lambda x, y: mix(top, bottom, clamp((y - y0) / max(1, y1 - y0))), r)

    # ---- compositions
    def panel(self, x0, y0, x1, y1, top, bottom, r=14):
        """A rounded card with a soft shadow and a thin light rim."""
        self.rect(x0 + 3, y0 + 5, x1 + 3, y1 + 5, (60, 60, 70), r, alpha=0.35, soft=5)
        self.gradient(x0, y0, x1, y1, top, bottom, r)
        self.shape(lambda x, y: abs(self._round(x, y, x0 + 1, y0 + 1, x1 - 1, y1 - 1, r)) - 0.6,
                   (x0, y0, x1, y1), WHITE, alpha=0.35)

    @staticmethod
    def _round(x, y, x0, y0, x1, y1, r):
        cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
        qx, qy = abs(x - cx) - (x1 - x0) / 2 + r, abs(y - cy) - (y1 - y0) / 2 + r
        return math.hypot(max(qx, 0), max(qy, 0)) + min(max(qx, qy), 0) - r

    def text(self, x, y, s, cell, paint, dots=True, spacing=1):
        """Dot-matrix text: each lit cell of the 5 x 7 font is a round LED
        (dots) or a rounded block. Returns the width drawn."""
        cx = x
        for ch in s.upper():
            rows = FONT.get(ch, FONT[' ']).split('|')
            for j, row in enumerate(rows):
                for i, c in enumerate(row):
                    if c != 'X':
                        continue
                    px, py = cx + i * cell + cell / 2, y + j * cell + cell / 2
                    if dots:
                        self.circle(px, py, cell * 0.42, paint)
                    else:
                        self.rect(px - cell / 2, py - cell / 2, px + cell / 2, py + cell / 2, paint, r=cell * 0.2)
            cx += (5 + spacing) * cell
        return cx - x - spacing * cell

    @staticmethod
    def text_width(s, cell, spacing=1):
        return len(s) * (5 + spacing) * cell - spacing * cell

    def morse(self, x, y, s, unit, paint, word_gap=7, draw=True):
        """Dots and dashes of a text, centred vertically on y, with the usual
        gaps (1 unit inside a letter, 3 between letters, word_gap between
        words); returns the end x."""
        cx = x
        r = unit * 0.42
        for w, word in enumerate(s.upper().split(' ')):
            if w:
                cx += word_gap * unit
            for k, ch in enumerate(word):
                if k:
                    cx += 3 * unit
                for m, e in enumerate(MORSE.get(ch, '')):
                    if m:
                        cx += unit
                    length = 1 if e == '.' else 3
                    if draw and e == '.':
                        self.circle(cx + unit / 2, y, r, paint)
                    elif draw:
                        self.capsule(cx + r, y, cx + 3 * unit - r, y, r, paint)
                    cx += length * unit
        return cx

    def morse_width(self, s, unit, word_gap=7):
        return self.morse(0, 0, s, unit, None, word_gap, draw=False)

    def save_bmp24(self, path):
        row = (self.w * 3 + 3) & ~3
        data = bytearray()
        for y in range(self.h - 1, -1, -1):
            line = bytearray()
            for x in range(self.w):
                r, g, b = (int(round(clamp(c, 0, 255))) for c in self.px[y * self.w + x])
                line += bytes((b, g, r))
            line += bytes(row - len(line))
            data += line
        header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
        info = struct.pack('<IiiHHIIiiII', 40, self.w, self.h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
        with open(path, 'wb') as f:
            f.write(header + info + data)

    def save_bmp8(self, path):
        """8-bit with a 6 x 6 x 6 colour cube and 40 greys, ordered dithering."""
        palette = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
        palette += [(int(i * 255 / 39),) * 3 for i in range(40)]
        bayer = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]
        row = (self.w + 3) & ~3
        data = bytearray()
        for y in range(self.h - 1, -1, -1):
            line = bytearray()
            for x in range(self.w):
                c = [clamp(v, 0, 255) for v in self.px[y * self.w + x]]
                if max(c) - min(c) < 6:  # grey: the fine grey ramp
                    line.append(216 + int(round(sum(c) / 3 * 39 / 255)))
                    continue
                t = (bayer[y % 4][x % 4] + 0.5) / 16 - 0.5
                q = [int(clamp(round(v / 51 + t * 0.9), 0, 5)) for v in c]
                line.append(q[0] * 36 + q[1] * 6 + q[2])
            line += bytes(row - len(line))
            data += line
        pal = b''.join(bytes((b, g, r, 0)) for r, g, b in palette)
        offset = 54 + len(pal)
        header = struct.pack('<2sIHHI', b'BM', offset + len(data), 0, 0, offset)
        info = struct.pack('<IiiHHIIiiII', 40, self.w, self.h, 1, 8, 0, len(data), 2835, 2835, 256, 0)
        with open(path, 'wb') as f:
            f.write(header + info + pal + data)


# ------------------------------------------------------------ drawings

def draw_key(c, x, y, s):
    """A straight Morse key seen from the side, base at (x, y), scale s."""
    # wooden base
    c.rect(x + 4 * s, y + 8 * s, x + 224 * s, y + 44 * s, (40, 30, 20), r=8 * s, alpha=0.35, soft=6 * s)
    c.gradient(x, y, x + 220 * s, y + 36 * s, WOOD_LIGHT, WOOD, r=8 * s)
    for k in range(4):  # grain
        c.capsule(x + (20 + 45 * k) * s, y + (12 + 7 * (k % 2)) * s, x + (60 + 45 * k) * s,
                  y + (12 + 7 * (k % 2)) * s, 1.2 * s, (100, 60, 30), alpha=0.5)
    # pivot posts and the trunnion
    c.rect(x + 140 * s, y - 34 * s, x + 164 * s, y + 2 * s, mix(BRASS, DARK, 0.2), r=3 * s)
    c.circle(x + 152 * s, y - 30 * s, 9 * s, GOLD)
    c.circle(x + 152 * s, y - 30 * s, 4 * s, mix(BRASS, DARK, 0.5))
    # contact, spring and binding posts
    c.rect(x + 66 * s, y - 16 * s, x + 80 * s, y + 2 * s, mix(BRASS, DARK, 0.25), r=2 * s)
    c.circle(x + 73 * s, y - 18 * s, 4 * s, (230, 230, 235))
    for k in range(5):
        c.ring(x + 188 * s, y - (6 + 5 * k) * s, 6 * s, 1.8 * s, (170, 170, 180))
    for px in (20, 200):
        c.rect(x + (px - 8) * s, y - 10 * s, x + (px + 8) * s, y + 2 * s, GOLD, r=3 * s)
        c.circle(x + px * s, y - 12 * s, 6 * s, BRASS)
    # lever, slightly tilted, with the knob and its skirt
    c.capsule(x + 42 * s, y - 34 * s, x + 204 * s, y - 28 * s, 5.5 * s, GOLD)
    c.capsule(x + 42 * s, y - 36 * s, x + 204 * s, y - 30 * s, 1.6 * s, (255, 232, 150), alpha=0.8)
    c.rect(x + 34 * s, y - 48 * s, x + 50 * s, y - 30 * s, mix(DARK, BRASS, 0.2), r=2 * s)
    c.ellipse(x + 42 * s, y - 58 * s, 34 * s, 14 * s, DARK)
    c.ellipse(x + 36 * s, y - 62 * s, 16 * s, 5 * s, (110, 110, 125), alpha=0.7)


def draw_headphones(c, cx, cy, s):
    c.ring(cx, cy, 92 * s, 14 * s, (60, 64, 76), 0, 180)
    c.ring(cx, cy, 92 * s, 4 * s, (120, 126, 140), 10, 170)
    for side in (-1, 1):
        ex = cx + side * 92 * s
        c.rect(ex - 10 * s, cy - 8 * s, ex + 10 * s, cy + 16 * s, (70, 74, 86), r=4 * s)
        c.ellipse(ex, cy + 44 * s, 30 * s, 46 * s, (40, 42, 52))
        c.ellipse(ex - side * 10 * s, cy + 44 * s, 20 * s, 38 * s, (96, 100, 116))
        c.ellipse(ex - side * 14 * s, cy + 44 * s, 12 * s, 28 * s, (60, 64, 76))
    # cable to a plug
    c.capsule(cx + 92 * s, cy + 90 * s, cx + 110 * s, cy + 130 * s, 3 * s, (40, 42, 52))
    c.capsule(cx + 110 * s, cy + 130 * s, cx + 70 * s, cy + 160 * s, 3 * s, (40, 42, 52))
    c.rect(cx + 50 * s, cy + 154 * s, cx + 72 * s, cy + 166 * s, (190, 190, 200), r=3 * s)


def sound_arcs(c, cx, cy, s, colour):
    for k, r in enumerate((20, 34, 48)):
        c.ring(cx, cy, r * s, 4 * s, colour, -40, 40, alpha=0.9 - 0.2 * k)


# The pictures sit centred in controls that, depending on the dialog font,
# can be smaller than the images: each keeps its drawing inside a centred
# card and leaves a margin of page colour around it.

def menu_key():
    c = Canvas(420, 400)
    c.panel(22, 54, 398, 346, (214, 232, 252), (120, 170, 230))
    c.circle(320, 130, 50, WHITE, alpha=0.25, soft=30)
    for line, word in enumerate(('KLAVIRO', 'CQ CQ')):
        w = c.morse_width(word, 4.5)
        c.morse((420 - w) / 2, 118 + line * 30, word, 4.5, (NAVY if line == 0 else BLUE))
    draw_key(c, 104, 258, 1.0)
    name = 'KLAVIRO'
    w = c.text_width(name, 3)
    c.text((420 - w) / 2, 308, name, 3, NAVY)
    return c


def training():
    c = Canvas(420, 400)
    c.panel(22, 54, 398, 346, (220, 244, 228), (120, 196, 150))
    draw_headphones(c, 210, 168, 0.85)
    sound_arcs(c, 210, 210, 0.9, (30, 110, 60))
    # a reception sheet with groups of five
    c.rect(74, 264, 350, 340, (40, 60, 40), r=6, alpha=0.3, soft=4)
    c.rect(70, 260, 346, 336, (252, 252, 244), r=6)
    for row, groups in enumerate((('KLAVI', 'ROQTE', 'NDSZU'), ('73 88', 'MORSE', 'CQ DX'))):
        for k, group in enumerate(groups):
            c.text(86 + k * 88, 270 + row * 26, group, 2.2, (30, 60, 40), dots=False)
    return c


def settings():
    c = Canvas(420, 400)
    c.panel(22, 54, 398, 346, (232, 232, 240), (150, 156, 176))
    # an oscilloscope showing a keyed tone: dash, dot, dash (K)
    c.rect(44, 100, 376, 214, (30, 34, 40), r=12)
    c.rect(54, 110, 366, 204, (16, 40, 30), r=6)
    for gx in range(54, 367, 26):
        c.capsule(gx, 112, gx, 202, 0.5, (40, 90, 60))
    for gy in range(113, 204, 18):
        c.capsule(56, gy, 364, gy, 0.5, (40, 90, 60))
    trace = (120, 255, 160)
    keyed = [(64, 150), (166, 196), (212, 298)]
    x = 64
    while x < 356:
        if any(a <= x < b for a, b in keyed):
            top = 128 if (x // 8) % 2 == 0 else 186
            c.capsule(x, top, x + 8, top, 1.3, trace)
            c.capsule(x + 8, 128, x + 8, 186, 1.3, trace)
            x += 8
        else:
            c.capsule(x, 157, x + 2, 157, 1.3, trace)
            x += 2
    # three sliders: delay, tone, volume
    for k, (label, pos) in enumerate((('DELAY', 0.3), ('TONE', 0.6), ('VOL', 0.8))):
        y = 246 + k * 34
        c.text(48, y - 7, label, 2.1, NAVY, dots=False)
        c.capsule(146, y, 366, y, 4, (90, 96, 116))
        c.capsule(146, y, 146 + 220 * pos, y, 4, BLUE)
        c.circle(146 + 220 * pos, y, 11, (60, 64, 80), soft=3)
        c.circle(146 + 220 * pos, y, 9, (240, 242, 248))
    return c


def banner(title, subtitle, emblem, top, bottom):
    # Full-bleed: the banner lies over the corner of the page's big picture,
    # where a margin would show as a notch.
    c = Canvas(350, 100)
    c.gradient(0, 0, 350, 100, top, bottom)
    c.rect(0, 0, 350, 3, WHITE, alpha=0.25)
    emblem(c)
    c.text(112, 17, title, 3.6, WHITE)
    c.text(113, 48, subtitle, 1.9, PALE, dots=False)
    c.morse(113, 71, 'KLAVIRO', 1.8, (255, 255, 255))
    return c


def emblem_key(c):
    draw_key(c, 24, 68, 0.34)


def emblem_headphones(c):
    draw_headphones(c, 62, 30, 0.27)


def emblem_cup(c):
    c.ring(62, 36, 20, 4, GOLD, 180, 360)
    c.rect(42, 24, 82, 37, GOLD, r=2)
    c.rect(57, 54, 67, 64, BRASS)
    c.rect(48, 64, 76, 74, (120, 80, 30), r=3)
    c.ring(40, 38, 8, 3, GOLD, 90, 270)
    c.ring(84, 38, 8, 3, GOLD, -90, 90)


def emblem_gear(c):
    cx, cy = 62, 50
    for k in range(8):
        a = k * math.pi / 4
        c.capsule(cx + 16 * math.cos(a), cy + 16 * math.sin(a), cx + 25 * math.cos(a), cy + 25 * math.sin(a),
                  5, (230, 232, 240))
    c.circle(cx, cy, 19, (230, 232, 240))
    c.circle(cx, cy, 8, (110, 116, 136))


def about_key():
    # kept clear of the title picture at its right and the link below it
    c = Canvas(202, 305)
    c.panel(10, 40, 176, 252, (220, 234, 252), (110, 160, 226))
    c.text(63, 52, 'K', 11, NAVY)
    # the name, letter by letter, with each letter's code
    for k, ch in enumerate('KLAVIRO'):
        y = 144 + k * 15
        c.text(36, y - 7, ch, 2, NAVY, dots=False)
        c.morse(58, y, ch, 5, BLUE)
    return c


def about_title():
    c = Canvas(378, 176)
    c.panel(17, 24, 361, 152, (36, 84, 160), (18, 38, 84), r=16)
    name = 'KLAVIRO'
    w = c.text_width(name, 6)
    c.text((378 - w) / 2, 36, name, 6, WHITE)
    w = c.morse_width(name, 3.2)
    c.morse((378 - w) / 2, 100, name, 3.2, GOLD)
    sub = 'VERSION 1.0'
    w = c.text_width(sub, 2.2)
    c.text((378 - w) / 2, 118, sub, 2.2, PALE, dots=False)
    return c


def about_text():
    # starts below the title picture and right of the link; its two Morse
    # lines lie under the two etched frames of the page
    c = Canvas(339, 250)
    c.panel(30, 56, 324, 216, (250, 250, 252), (222, 230, 242), r=12)
    for k, line in enumerate(('HIGH-SPEED MORSE', 'RECEPTION TRAINER', 'TEXTS / CONTESTS')):
        w = c.text_width(line, 2.1)
        c.text((354 - w) / 2, 66 + k * 21, line, 2.1, NAVY, dots=False)
    for (cx, y, word, unit) in ((140, 150, 'CQ CQ', 2.8), (177, 194, 'PARIS PARIS', 2.6)):
        w = c.morse_width(word, unit)
        c.morse(cx - w / 2, y, word, unit, BLUE)
    return c


def about_link():
    c = Canvas(165, 75)
    c.gradient(0, 0, 165, 75, (60, 120, 200), (18, 38, 84))
    c.ring(42, 37, 18, 3, WHITE)
    c.ring(42, 37, 9, 2, WHITE, 90, 270)
    c.ring(42, 37, 9, 2, WHITE, -90, 90)
    c.capsule(24, 37, 60, 37, 1.2, WHITE)
    c.capsule(42, 19, 42, 55, 1.2, WHITE)
    c.text(72, 18, 'WEB', 3.6, WHITE)
    c.morse(72, 54, 'WEB', 2.2, GOLD)
    return c


HAND = """
......XX........
.....X..X.......
.....X..X.......
.....X..X.......
.....X..X.......
.....X..XXX.....
.....X..X..XXX..
.....X..X..X..XX
..XX.X..X..X..XX
.X..XX........X
.X...X.........X
..X............X
..X............X
...X...........X
...X..........X.
....X.........X.
....X........X..
.....X.......X..
.....X.......X..
.....XXXXXXXXX..
"""


def hand_cursor(path):
    rows = [r for r in HAND.strip('\n').split('\n')]
    grid = [[' '] * 32 for _ in range(32)]
    for y, row in enumerate(rows):
        for x, ch in enumerate(row):
            if ch == 'X':
                grid[y + 2][x + 6] = 'X'
    # everything the outside cannot reach is the white palm
    outside = set()
    stack = [(0, 0)]
    while stack:
        x, y = stack.pop()
        if (x, y) in outside or not (0 <= x < 32 and 0 <= y < 32) or grid[y][x] == 'X':
            continue
        outside.add((x, y))
        stack += [(x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)]
    xor_rows, and_rows = [], []
    for y in range(31, -1, -1):
        xr, ar = 0, 0
        for x in range(32):
            bit = 1 << (31 - x)
            if grid[y][x] == 'X':
                pass  # black: AND 0, XOR 0
            elif (x, y) in outside:
                ar |= bit
            else:
                xr |= bit  # white
        xor_rows.append(struct.pack('>I', xr))
        and_rows.append(struct.pack('>I', ar))
    image = struct.pack('<IiiHHIIiiII', 40, 32, 64, 1, 1, 0, 0, 0, 0, 2, 0)
    image += bytes((0, 0, 0, 0, 255, 255, 255, 0)) + b''.join(xor_rows) + b''.join(and_rows)
    hotspot = (6 + 6, 2 + 0)  # the fingertip
    data = struct.pack('<HHH', 0, 2, 1) + struct.pack('<BBBBHHII', 32, 32, 0, 0, hotspot[0], hotspot[1],
                                                     len(image), 22) + image
    with open(path, 'wb') as f:
        f.write(data)


def main(out):
    os.makedirs(out, exist_ok=True)
    pictures = {
        'menu_key.bmp': menu_key,                                    # 154
        'training.bmp': training,                                    # 167
        'settings.bmp': settings,                                    # 159
        'banner_main.bmp': lambda: banner('KLAVIRO', 'MORSE RECEPTION', emblem_key, SKY, NAVY),  # 161
        'banner_training.bmp': lambda: banner('KLAVIRO', 'TRAINING', emblem_headphones, (96, 190, 130),
                                              (20, 90, 50)),         # 165
        'banner_competitions.bmp': lambda: banner('KLAVIRO', 'COMPETITIONS', emblem_cup, (232, 120, 90),
                                                  (130, 30, 30)),    # 160
        'banner_settings.bmp': lambda: banner('KLAVIRO', 'SETTINGS', emblem_gear, (150, 156, 186),
                                              (54, 60, 84)),         # 162
        'about_key.bmp': about_key,                                  # 134
        'about_title.bmp': about_title,                              # 144
        'about_text.bmp': about_text,                                # 145
    }
    for name, draw in pictures.items():
        draw().save_bmp24(os.path.join(out, name))
    about_link().save_bmp8(os.path.join(out, 'about_link.bmp'))     # 138
    hand_cursor(os.path.join(out, 'hand.cur'))                       # 105


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..', 'resources'))
