#!/usr/bin/env python3
"""Writes the OK button's glyph: a 32 x 16 bitmap, 8 bits per pixel with a
256-colour palette, two 16 x 16 cells side by side. Cell 0 is a check mark in
three greens, cell 1 the same mark in three greys; the background is
(236, 233, 216), which is also the bottom-left pixel's colour, the colour the
button leaves out when drawing the glyph.

Usage: make_ok_glyph.py OUTPUT.bmp
"""
import struct
import sys

BACKGROUND = (236, 233, 216)
GREENS = ((0, 204, 0), (0, 153, 0), (0, 102, 0))  # edge, body, shadow
GREYS = ((178, 178, 178), (153, 153, 153), (128, 128, 128))
CELL = 16

# Top row of the stroke in each column: a short arm down to the tip at
# column 6, then a long arm up to the right.
STROKE_TOP = {3: 7, 4: 8, 5: 9, 6: 10, 7: 9, 8: 8, 9: 7, 10: 6, 11: 5, 12: 4}


def cell_indices(first):
    """Palette indices of one cell, top row first; `first` is the edge colour's index."""
    rows = [[0] * CELL for _ in range(CELL)]
    for x, top in STROKE_TOP.items():
        rows[top][x] = first          # edge
        rows[top + 1][x] = first + 1  # body
        rows[top + 2][x] = first + 1
        rows[top + 3][x] = first + 2  # shadow
    return rows


def main(path):
    palette = [BACKGROUND, *GREENS, *GREYS] + [(0, 0, 0)] * (256 - 7)
    green, grey = cell_indices(1), cell_indices(4)
    rows = [green[y] + grey[y] for y in range(CELL)]
    width, height = 2 * CELL, CELL
    pixels = b"".join(bytes(row) for row in reversed(rows))  # bottom-up
    palette_bytes = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    offset = 14 + 40 + len(palette_bytes)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(pixels), 2835, 2835, 256, 0)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    with open(path, "wb") as out:
        out.write(header + info + palette_bytes + pixels)


if __name__ == "__main__":
    main(sys.argv[1])
