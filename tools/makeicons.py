#!/usr/bin/env python3
"""Draws the program's two icons as 256-colour .ico files.

  makeicons.py OUTDIR  ->  OUTDIR/clock.ico and OUTDIR/calc.ico (64 to 16 px)
"""
import math
import struct
import sys

# Palette indices; the rest of the 256 entries stay black.
CLEAR, RIM, FACE, TICK, HAND, SECOND, BODY, SCREEN, DIGIT, KEY, KEYOP = range(11)
PALETTE = {
    CLEAR: (0, 0, 0), RIM: (40, 70, 120), FACE: (250, 250, 244), TICK: (60, 60, 60),
    HAND: (20, 20, 30), SECOND: (200, 40, 40), BODY: (70, 75, 85), SCREEN: (190, 220, 190),
    DIGIT: (30, 60, 30), KEY: (225, 225, 230), KEYOP: (240, 160, 60),
}


def clock(n):
    img = [[CLEAR] * n for _ in range(n)]
    c = (n - 1) / 2.0
    r = n / 2.0 - 0.5
    for y in range(n):
        for x in range(n):
            d = math.hypot(x - c, y - c)
            if d <= r:
                img[y][x] = RIM if d > r - max(1.5, n / 14) else FACE
    def line(angle, length, width, colour):
        steps = int(n * 2)
        for i in range(steps + 1):
            t = length * i / steps
            px = c + t * math.sin(angle)
            py = c - t * math.cos(angle)
            for dy in range(-width, width + 1):
                for dx in range(-width, width + 1):
                    xi, yi = int(round(px + dx / 2)), int(round(py + dy / 2))
                    if 0 <= xi < n and 0 <= yi < n:
                        img[yi][xi] = colour
    if n >= 32:
        for h in range(12):
            a = h * math.pi / 6
            for t in range(int(r * 0.75), int(r * 0.88)):
                img[int(round(c - t * math.cos(a)))][int(round(c + t * math.sin(a)))] = TICK
    w = 1 if n >= 32 else 0
    line(math.radians(300), r * 0.5, w, HAND)   # hour hand at ten
    line(math.radians(60), r * 0.75, w, HAND)   # minute hand at ten past
    if n >= 32:
        line(math.radians(180), r * 0.8, 0, SECOND)
    return img


def calculator(n):
    img = [[CLEAR] * n for _ in range(n)]
    m = n // 8
    for y in range(m, n - m):
        for x in range(m + n // 16, n - m - n // 16):
            img[y][x] = BODY
    x0, x1 = m + n // 8, n - m - n // 8
    for y in range(m + n // 12, m + n // 4):
        for x in range(x0, x1):
            img[y][x] = SCREEN
    for y in range(m + n // 7, m + n // 5):
        for x in range(x1 - n // 5, x1 - n // 24):
            img[y][x] = DIGIT
    kw = (x1 - x0) // 4
    gap = 2 if n >= 32 else 1  # keys stay visible at the small sizes
    top = m + n // 4 + n // 16
    for row in range(4):
        for col in range(4):
            colour = KEYOP if col == 3 else KEY
            ky = top + row * kw
            for y in range(ky, ky + kw - gap):
                for x in range(x0 + col * kw, x0 + col * kw + kw - gap):
                    if y < n - m - gap:
                        img[y][x] = colour
    return img


def image_bytes(img):
    n = len(img)
    header = struct.pack('<IiiHHIIiiII', 40, n, 2 * n, 1, 8, 0, 0, 0, 0, 256, 0)
    palette = b''.join(struct.pack('<BBBB', *reversed(PALETTE.get(i, (0, 0, 0))), 0) for i in range(256))
    xor = b''
    for row in reversed(img):
        line = bytes(row)
        xor += line + b'\0' * ((4 - len(line) % 4) % 4)
    and_mask = b''
    for row in reversed(img):
        bits = bytearray((n + 7) // 8)
        for x, v in enumerate(row):
            if v == CLEAR:
                bits[x // 8] |= 0x80 >> (x % 8)
        and_mask += bytes(bits) + b'\0' * ((4 - len(bits) % 4) % 4)
    return header + palette + xor + and_mask


def write_ico(path, images):
    blobs = [image_bytes(img) for img in images]
    out = struct.pack('<HHH', 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for img, blob in zip(images, blobs):
        n = len(img)
        out += struct.pack('<BBBBHHII', n % 256, n % 256, 0, 0, 1, 8, len(blob), offset)
        offset += len(blob)
    with open(path, 'wb') as f:
        f.write(out + b''.join(blobs))


if __name__ == '__main__':
    outdir = sys.argv[1]
    # The big and small icon sizes at 100, 125, 150 and 200 % scale.
    sizes = (64, 48, 40, 32, 24, 20, 16)
    write_ico(outdir + '/clock.ico', [clock(s) for s in sizes])
    write_ico(outdir + '/calc.ico', [calculator(s) for s in sizes])
