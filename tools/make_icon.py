#!/usr/bin/env python3
"""Draws the program icon (resources/klaviro.ico): the letter K in Morse,
dash-dot-dash, in white on a round blue badge. 48, 32 and 16 pixels, 32-bit."""
import struct, sys, os

def badge(size):
    px = []
    c = (size - 1) / 2.0
    r = size / 2.0 - 0.5
    unit = size / 16.0
    # dash (3u), gap (1u), dot (1u), gap (1u), dash (3u) = 9 units, centred
    x0 = (size - 9 * unit) / 2.0
    marks = [(x0, x0 + 3 * unit), (x0 + 4 * unit, x0 + 5 * unit), (x0 + 6 * unit, x0 + 9 * unit)]
    for y in range(size - 1, -1, -1):  # bottom-up rows
        for x in range(size):
            d = ((x - c) ** 2 + (y - c) ** 2) ** 0.5
            alpha = max(0.0, min(1.0, r - d + 0.5))  # antialiased rim
            if alpha <= 0.0:
                px.append((0, 0, 0, 0))
                continue
            on = abs(y - c) <= unit * 0.75 and any(a <= x + 0.5 <= b for a, b in marks)
            if on:
                px.append((255, 255, 255, int(255 * alpha)))
            else:
                shade = int(150 - 60 * min(d, r) / r)
                px.append((shade + 60, shade // 2, 20, int(255 * alpha)))  # BGRA: deep blue
    return px

def image(size):
    px = badge(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b''.join(struct.pack('<BBBB', *p) for p in px)
    row = ((size + 31) // 32) * 4
    andmask = b''
    for y in range(size):
        bits = 0
        line = bytearray(row)
        for x in range(size):
            if px[y * size + x][3] == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        andmask += bytes(line)
    return header + xor + andmask

def main(out):
    sizes = [48, 32, 16]
    images = [image(s) for s in sizes]
    data = struct.pack('<HHH', 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, img in zip(sizes, images):
        data += struct.pack('<BBBBHHII', s, s, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    data += b''.join(images)
    with open(out, 'wb') as f:
        f.write(data)

if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..', 'resources', 'klaviro.ico'))
