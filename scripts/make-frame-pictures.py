#!/usr/bin/env python3
"""Draws the two 16 x 16 frame pictures of the tray-icon graph into resources/.

IconGraphFrame0.png frames the scrolling graph (inner area 14 x 12 at (1, 2)); IconGraphFrame1.png
frames the two meters (inner area 12 x 14 at (2, 1)). Clear pixels are fully transparent; the
frame is a raised edge in white, silver and grey around a black inner area.

Run from anywhere: python3 scripts/make-frame-pictures.py
"""
import os
import sys

# artlib.py sits beside this script; import it from there whatever the working folder, and leave
# no __pycache__ behind in scripts/.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from artlib import write_png  # noqa: E402

WHITE = (0xFF, 0xFF, 0xFF)
SILVER = (0xC0, 0xC0, 0xC0)
GREY = (0x80, 0x80, 0x80)
BLACK = (0x00, 0x00, 0x00)
CLEAR = None


def graph_frame():
    """Rows 0 and 15 clear; white top and left edge, grey right and bottom, silver corners."""
    rows = [[CLEAR] * 16 for _ in range(16)]
    rows[1] = [WHITE] * 15 + [SILVER]
    for y in range(2, 14):
        rows[y] = [WHITE] + [BLACK] * 14 + [GREY]
    rows[14] = [SILVER] + [GREY] * 15
    return rows


def meter_frame():
    """Columns 0 and 15 clear; the same edge around a 12 x 14 inner area."""
    rows = [[CLEAR] * 16 for _ in range(16)]
    for x in range(1, 14):
        rows[0][x] = WHITE
    rows[0][14] = SILVER
    for y in range(1, 15):
        rows[y][1] = WHITE
        for x in range(2, 14):
            rows[y][x] = BLACK
        rows[y][14] = GREY
    rows[15][1] = SILVER
    for x in range(2, 15):
        rows[15][x] = GREY
    return rows


def rgba_rows(rows):
    """`rows` (lists of (r, g, b) or None for a transparent pixel) as RGBA rows for write_png."""
    out = []
    for row in rows:
        raw = bytearray()
        for pixel in row:
            raw.extend((0, 0, 0, 0) if pixel is None else (*pixel, 0xFF))
        out.append(bytes(raw))
    return out


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources")
    os.makedirs(out, exist_ok=True)
    for name, rows in (("IconGraphFrame0.png", graph_frame()),
                       ("IconGraphFrame1.png", meter_frame())):
        write_png(os.path.join(out, name), len(rows[0]), len(rows), rgba_rows(rows))


if __name__ == "__main__":
    main()
