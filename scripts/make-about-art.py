#!/usr/bin/env python3
"""Draws the about box's four 48 x 48 animation frames: a spring scale with a stone on its pan.

From frame 0 to frame 3 the pan sits lower and the needle of the dial turns further, as if
the stone were pressed down harder with every mouse button held on the picture.

Usage: scripts/make-about-art.py [OUTPUT_FOLDER]   (default: resources/about)
Writes frame0.png .. frame3.png (RGBA, transparent background). Python 3 standard library
only, with the drawing code shared with the other pictures in artlib.py beside this script;
the output is byte-for-byte the same on every run.
"""

import math
import os
import sys

# artlib.py sits beside this script; import it from there whatever the working folder, and leave
# no __pycache__ behind in scripts/.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from artlib import (Canvas, box, capsule, grow, hexrgb, intersect, mix, vgrad,  # noqa: E402
                    write_png)

SIZE = 48
SS = 8  # samples per pixel along each axis


# --------------------------------------------------------------------------- shapes
# Shapes and colours only the scale needs; box, capsule, intersect, grow, hexrgb, mix, vgrad
# and the Canvas are in artlib, which also explains the signed distance convention.


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def ellipse(cx, cy, rx, ry, angle=0.0):
    ca, sa = math.cos(math.radians(angle)), math.sin(math.radians(angle))

    def f(x, y):
        px, py = x - cx, y - cy
        px, py = px * ca + py * sa, -px * sa + py * ca
        k0 = math.hypot(px / rx, py / ry)
        k1 = math.hypot(px / (rx * rx), py / (ry * ry))
        if k1 == 0.0:
            return -min(rx, ry)
        return k0 * (k0 - 1.0) / k1

    return f


def below(y0):
    """Everything below the horizontal line y = y0."""
    return lambda x, y: y0 - y


def above(y0):
    return lambda x, y: y - y0


def union(*fs):
    return lambda x, y: min(f(x, y) for f in fs)


def lgrad(c1, c2, x1, y1, x2, y2):
    dx, dy = x2 - x1, y2 - y1
    ll = dx * dx + dy * dy
    return lambda x, y: mix(c1, c2, ((x - x1) * dx + (y - y1) * dy) / ll)


# --------------------------------------------------------------------------- the scale

OUTLINE = hexrgb("#3d2a24")
BODY_TOP = hexrgb("#e8735a")
BODY_BOTTOM = hexrgb("#b8402f")
METAL_LIGHT = hexrgb("#f4f6f8")
METAL_MID = hexrgb("#b9c2cb")
METAL_DARK = hexrgb("#7d8893")
METAL_OUTLINE = hexrgb("#44505c")
DIAL_FACE = hexrgb("#fffdf4")
TICK = hexrgb("#5b4c42")
NEEDLE = hexrgb("#d22a1e")
STONE_LIGHT = hexrgb("#b3aca2")
STONE_DARK = hexrgb("#6a635a")
STONE_OUTLINE = hexrgb("#37312b")

PAN_DROP = [0.0, 3.0, 6.0, 9.0]  # how far the pan has sunk, per frame
NEEDLE_ANGLE = [-70.0, -25.0, 20.0, 65.0]  # degrees clockwise from straight up

DIAL_X, DIAL_Y = 24.0, 35.0


def draw_frame(frame):
    c = Canvas(SIZE, SIZE, SS)
    drop = PAN_DROP[frame]
    rim = 11.5 + drop  # height of the pan's rim

    # Soft shadow on the "table".
    c.paint(ellipse(24.0, 46.6, 19.0, 1.5), (0.0, 0.0, 0.0, 0.16))

    # Feet.
    for fx in (13.0, 35.0):
        c.paint(box(fx, 45.7, 3.2, 1.2, 0.7), OUTLINE)

    # Stem that carries the pan down into the body.
    stem = box(24.0, (rim + 26.0) / 2.0, 2.3, (26.0 - rim) / 2.0)
    c.paint(grow(stem, 1.0), METAL_OUTLINE)
    c.paint(stem, lgrad(METAL_LIGHT, METAL_DARK, 21.5, 0, 26.5, 0))

    # Body: a rounded block with a dial window.
    body = box(24.0, 35.0, 17.0, 9.8, 5.0)
    c.paint(grow(body, 1.0), OUTLINE)
    c.paint(body, vgrad(BODY_TOP, BODY_BOTTOM, 25.2, 44.8))
    # A gloss band along the top edge of the body.
    c.paint(intersect(box(24.0, 35.0, 15.5, 8.3, 3.8), above(27.8)), hexrgb("#ffffff", 0.22))

    # Dial: metal bezel, cream face, ticks, needle, hub.
    c.paint(circle(DIAL_X, DIAL_Y, 8.6), METAL_OUTLINE)
    c.paint(circle(DIAL_X, DIAL_Y, 7.9), lgrad(METAL_LIGHT, METAL_DARK, 19, 28, 29, 41))
    c.paint(circle(DIAL_X, DIAL_Y, 6.6), DIAL_FACE)
    for deg in range(-90, 91, 30):
        a = math.radians(deg)
        sx, sy = math.sin(a), -math.cos(a)
        r0 = 4.6 if deg % 90 == 0 else 5.2
        c.paint(capsule(DIAL_X + sx * r0, DIAL_Y + sy * r0, DIAL_X + sx * 5.9, DIAL_Y + sy * 5.9, 0.42), TICK)
    a = math.radians(NEEDLE_ANGLE[frame])
    sx, sy = math.sin(a), -math.cos(a)
    c.paint(capsule(DIAL_X - sx * 1.2, DIAL_Y - sy * 1.2, DIAL_X + sx * 5.6, DIAL_Y + sy * 5.6, 0.62), NEEDLE)
    c.paint(circle(DIAL_X, DIAL_Y, 1.35), hexrgb("#3a2f2a"))

    # Stone, resting in the pan (drawn before the pan's front so the bowl hides its bottom).
    stone_cy = rim - 3.9
    stone = union(ellipse(20.6, stone_cy, 7.3, 4.9, -16.0), ellipse(27.4, stone_cy + 1.1, 5.8, 3.7, 20.0))
    c.paint(grow(stone, 1.0), STONE_OUTLINE)
    c.paint(stone, lgrad(STONE_LIGHT, STONE_DARK, 17.0, stone_cy - 5.0, 28.0, stone_cy + 5.0))
    c.paint(ellipse(18.8, stone_cy - 2.3, 3.2, 1.3, -22.0), hexrgb("#ffffff", 0.45))
    for (dx, dy, r) in ((5.5, 0.6, 0.7), (1.5, 2.2, 0.55), (-3.4, 1.4, 0.5), (8.0, 2.4, 0.45)):
        c.paint(circle(23.0 + dx, stone_cy + dy, r), hexrgb("#4d463f", 0.5))

    # Pan: a shallow bowl with a rim.
    bowl = intersect(ellipse(24.0, rim - 0.6, 18.0, 3.6), below(rim - 0.6))
    c.paint(grow(bowl, 1.0), METAL_OUTLINE)
    c.paint(bowl, vgrad(METAL_MID, METAL_DARK, rim - 0.6, rim + 3.0))
    c.paint(intersect(ellipse(24.0, rim - 0.6, 15.0, 2.3), below(rim + 0.6)), hexrgb("#ffffff", 0.35))
    rim_line = capsule(6.8, rim - 0.6, 41.2, rim - 0.6, 0.9)
    c.paint(grow(rim_line, 0.8), METAL_OUTLINE)
    c.paint(rim_line, METAL_LIGHT)

    return c.rows()


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    out = argv[1] if len(argv) > 1 else os.path.join(here, "..", "resources", "about")
    os.makedirs(out, exist_ok=True)
    for frame in range(4):
        path = os.path.join(out, f"frame{frame}.png")
        write_png(path, SIZE, SIZE, draw_frame(frame))
        print("wrote", os.path.normpath(path))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
