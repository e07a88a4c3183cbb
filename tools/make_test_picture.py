#!/usr/bin/env python3
"""Draws the default preview picture, appfolder/Test.bmp: a 320 x 240, 24-bit landscape with a
sky, a sun, hills, a colour bar and a grey ramp, so filters show their effect on every kind of area."""
import math
import struct
import sys

W, H = 320, 240


def pixel(x, y):
    if y >= 220:  # grey ramp
        g = x * 255 // (W - 1)
        return g, g, g
    if y >= 200:  # colour bar: the hue circle
        h = x / W * 6
        i, f = int(h), h - int(h)
        q, t = int(255 * (1 - f)), int(255 * f)
        return [(255, t, 0), (q, 255, 0), (0, 255, t), (0, q, 255), (t, 0, 255), (255, 0, q)][i % 6]
    hill1 = 140 + 25 * math.sin(x / 37.0)
    hill2 = 165 + 15 * math.sin(x / 23.0 + 1.3)
    if y > hill2:
        return 40, 110 + (x * 7 + y * 3) % 40, 40
    if y > hill1:
        return 70, 150, 60
    dx, dy = x - 240, y - 60
    d = math.hypot(dx, dy)
    if d < 28:
        return 255, 220, 60
    glow = max(0.0, 1 - (d - 28) / 60)
    r = int(90 + 100 * y / 140 + 60 * glow)
    g = int(140 + 60 * y / 140 + 40 * glow)
    return min(r, 255), min(g, 255), 235


def main(path):
    row = (W * 3 + 3) & ~3
    data = bytearray()
    for y in range(H - 1, -1, -1):
        line = bytearray()
        for x in range(W):
            r, g, b = pixel(x, y)
            line += bytes((b, g, r))
        line += b"\0" * (row - len(line))
        data += line
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "appfolder/Test.bmp")
