#!/usr/bin/env python3
"""Draws the window icon: a red ring on black holding three gold dots, one for each drawn digit.

Writes a 32 x 32 PNG with a 256-colour palette (a 6 x 6 x 6 colour cube and 40 greys), using
only the standard library. Run it from this folder to remake quorvel.png.
"""
import math
import struct
import zlib

SIZE = 32
SAMPLES = 4  # supersampling per axis, for smooth edges


def colour_at(x, y):
    cx = cy = SIZE / 2
    r = math.hypot(x - cx, y - cy)
    if 11.5 <= r <= 15:
        return (220, 20, 20)
    for dx, dy in ((0, -4.5), (-4.6, 3.2), (4.6, 3.2)):
        if math.hypot(x - cx - dx, y - cy - dy) <= 3.1:
            return (250, 200, 40)
    return (0, 0, 0)


def palette():
    levels = [0, 51, 102, 153, 204, 255]
    cube = [(r, g, b) for r in levels for g in levels for b in levels]
    greys = [(v, v, v) for v in (round(i * 255 / 41) for i in range(1, 41))]
    return cube + greys


def nearest(colours, rgb):
    return min(range(len(colours)), key=lambda i: sum((a - b) ** 2 for a, b in zip(colours[i], rgb)))


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def main():
    colours = palette()
    rows = []
    for y in range(SIZE):
        row = bytearray([0])  # filter type: none
        for x in range(SIZE):
            samples = [colour_at(x + (i + 0.5) / SAMPLES, y + (j + 0.5) / SAMPLES)
                       for i in range(SAMPLES) for j in range(SAMPLES)]
            mean = tuple(sum(s[c] for s in samples) / len(samples) for c in range(3))
            row.append(nearest(colours, mean))
        rows.append(bytes(row))
    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", SIZE, SIZE, 8, 3, 0, 0, 0))
    png += chunk(b"PLTE", b"".join(bytes(c) for c in colours))
    png += chunk(b"IDAT", zlib.compress(b"".join(rows), 9))
    png += chunk(b"IEND", b"")
    with open("quorvel.png", "wb") as out:
        out.write(png)


if __name__ == "__main__":
    main()
