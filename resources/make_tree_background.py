#!/usr/bin/env python3
"""Writes tree_background.bmp: the 64 x 64 tile behind QRVBmpTreeCtrl.

An 8-bit picture with a 256-entry colour table (so palette screens build a
palette of its own), light enough that black item text stays readable: soft
waves of pale blue-grey whose periods divide 64, so the tile repeats
seamlessly. Run it again after changing the pattern and commit the result.
"""
import math
import os
import struct

SIZE = 64
LIGHT = (252, 252, 254)
DARK = (222, 230, 242)


def colour_table():
    table = b""
    for i in range(256):
        t = i / 255.0
        r, g, b = (round(d + (l - d) * t) for d, l in zip(DARK, LIGHT))
        table += struct.pack("<BBBB", b, g, r, 0)
    return table


def index(x, y):
    waves = (math.sin(2 * math.pi * x / SIZE) * math.cos(2 * math.pi * y / SIZE) +
             0.6 * math.sin(2 * math.pi * (x + y) / (SIZE / 2)))
    v = 0.72 + 0.17 * waves  # mostly light, never dark
    return max(0, min(255, int(v * 255)))


def main():
    pixels = b"".join(bytes(index(x, y) for x in range(SIZE)) for y in reversed(range(SIZE)))
    table = colour_table()
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 8, 0, len(pixels), 2835, 2835, 0, 0)
    offset = 14 + len(header) + len(table)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "tree_background.bmp")
    with open(path, "wb") as f:
        f.write(file_header + header + table + pixels)


if __name__ == "__main__":
    main()
