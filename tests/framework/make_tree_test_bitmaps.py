#!/usr/bin/env python3
"""Writes the bitmaps of the bitmap-tree tests.

tree_tile24.bmp: 16 x 40, 24 bits, every pixel's colour computed from its
place (red from the row, blue from the column), so a screenshot tells which
pixel of the tile shows where. tree_tile16.bmp: 8 x 8, 8 bits with a colour
table of 16 entries (used-colour count 16).
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def tile24(x, y):
    return (60 + 4 * y, 150, 40 + 8 * x)


def write(name, width, height, bits, table, rows, used=0):
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(rows), 2835, 2835, used, 0)
    offset = 14 + len(header) + len(table)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(file_header + header + table + rows)


def main():
    rows = b""
    for y in reversed(range(40)):
        row = b"".join(struct.pack("<BBB", *reversed(tile24(x, y))) for x in range(16))
        rows += row  # 48 bytes: already a multiple of 4
    write("tree_tile24.bmp", 16, 40, 24, b"", rows)

    # Entry i: red 200 - 3i, green 100 + 5i, blue 10i (stored blue first).
    table = b"".join(struct.pack("<BBBB", 10 * i, 100 + 5 * i, 200 - 3 * i, 0) for i in range(16))
    rows = b"".join(bytes((x + y) % 16 for x in range(8)) for y in reversed(range(8)))
    write("tree_tile16.bmp", 8, 8, 8, table, rows, used=16)


if __name__ == "__main__":
    main()
