#!/usr/bin/env python3
"""Draws vandrel.ico: a hard disk with a power button, 48 x 48 in 256 colours.

Run: python3 app/make_icon.py app/vandrel.ico. Pure Python, no imaging library: shapes are drawn
4x supersampled, then mapped to a fixed palette (a 6x6x6 colour cube and 40 greys).
"""
import math
import struct
import sys

SIZE = 48
SUPER = 4


def palette():
    colours = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
    colours += [(round(i * 255 / 39),) * 3 for i in range(40)]
    return colours


def rounded_rect(x, y, left, top, right, bottom, radius):
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2 and left <= x <= right and top <= y <= bottom


def lerp(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def shade(x, y):
    """Colour (r, g, b, a) of the point (x, y) in icon pixels."""
    colour = None
    # Disk: a rounded box with a darker rim, a slot and an activity light.
    if rounded_rect(x, y, 3, 11, 41, 39, 5):
        colour = (70, 76, 86)
        if rounded_rect(x, y, 4.5, 12.5, 39.5, 37.5, 4):
            colour = lerp((222, 226, 232), (150, 158, 170), (y - 12.5) / 25)
            if 9 <= x <= 30 and 29 <= y <= 32:
                colour = (96, 104, 116)
            if (x - 9) ** 2 + (y - 18) ** 2 <= 2.2 ** 2:
                colour = (60, 200, 90)
    # Power button: a blue disc with a white power sign, over the disk's corner.
    cx, cy, r = 34.5, 33.5, 12.5
    d = math.hypot(x - cx, y - cy)
    if d <= r:
        colour = (20, 60, 140) if d > r - 1.2 else lerp((70, 150, 245), (25, 90, 200), (y - cy + r) / (2 * r))
        angle = math.degrees(math.atan2(x - cx, cy - y))
        if 5.0 <= d <= 7.6 and abs(angle) > 38:
            colour = (255, 255, 255)
        if abs(x - cx) <= 1.3 and cy - 9 <= y <= cy - 1:
            colour = (255, 255, 255)
    return None if colour is None else colour


def render():
    pixels = []
    for py in range(SIZE):
        row = []
        for px in range(SIZE):
            samples = [shade(px + (sx + 0.5) / SUPER, py + (sy + 0.5) / SUPER)
                       for sy in range(SUPER) for sx in range(SUPER)]
            opaque = [s for s in samples if s is not None]
            if len(opaque) * 2 < len(samples):
                row.append(None)
            else:
                row.append(tuple(round(sum(c[i] for c in opaque) / len(opaque)) for i in range(3)))
        pixels.append(row)
    return pixels


def nearest(colours, rgb):
    return min(range(len(colours)), key=lambda i: sum((colours[i][k] - rgb[k]) ** 2 for k in range(3)))


def write_ico(path, pixels):
    colours = palette()
    xor_rows, and_rows = [], []
    for row in reversed(pixels):  # DIB rows run bottom-up
        xor_rows.append(bytes(0 if p is None else nearest(colours, p) for p in row))
        bits = 0
        for p in row:
            bits = (bits << 1) | (1 if p is None else 0)
        and_rows.append(bits.to_bytes(SIZE // 8, "big") + b"\0" * (-(SIZE // 8) % 4))
    image = b"".join(xor_rows) + b"".join(and_rows)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 8, 0, len(image), 0, 0, 256, 0)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in colours)
    data = header + table + image
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 8, len(data), 6 + 16)
    with open(path, "wb") as out:
        out.write(directory + entry + data)


if __name__ == "__main__":
    write_ico(sys.argv[1] if len(sys.argv) > 1 else "vandrel.ico", render())
