#!/usr/bin/env python3
"""Draws the program icon: a green CPU-load line graph on a dark rounded square.

It is the main window's icon and the tray icon while the tray shows no graph. Each size
is drawn on its own (not scaled from the big one), with fewer grid lines and graph points
and relatively thicker strokes as the icon gets smaller, so that 16 px stays crisp.

Usage: scripts/make-app-icon.py [OUTPUT_FOLDER]   (default: resources/app)
Writes moravel-N.png (RGBA) for N = 16, 24, 32, 48, 64, 128 and 256: the window icon uses
16, 32, 48 and 256; the installed icon theme takes every size.
Python 3 standard library only, with the drawing code shared with the other pictures in
artlib.py beside this script; the output is byte-for-byte the same on every run.
"""

import math
import os
import sys

# artlib.py sits beside this script; import it from there whatever the working folder, and leave
# no __pycache__ behind in scripts/.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from artlib import Canvas, box, capsule, grow, hexrgb, intersect, vgrad, write_png  # noqa: E402


# --------------------------------------------------------------------------- shapes
# Shapes only the icon needs; box, capsule, intersect and grow are in artlib, which also
# explains the signed distance convention.


def polyline(points, r):
    segs = [capsule(x1, y1, x2, y2, r) for (x1, y1), (x2, y2) in zip(points, points[1:])]
    return lambda x, y: min(s(x, y) for s in segs)


def polygon(points):
    """Exact signed distance to a simple polygon (even-odd inside test)."""
    n = len(points)

    def f(x, y):
        d = float("inf")
        inside = False
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[i - 1]
            ex, ey = bx - ax, by - ay
            wx, wy = x - ax, y - ay
            ll = ex * ex + ey * ey
            t = max(0.0, min(1.0, (wx * ex + wy * ey) / ll)) if ll else 0.0
            d = min(d, math.hypot(wx - ex * t, wy - ey * t))
            if (ay > y) != (by > y) and x < ax + (y - ay) * ex / ey:
                inside = not inside
        return -d if inside else d

    return f


def ring(f, w):
    """A band of width w just inside the outline of f."""
    return lambda x, y: max(f(x, y), -(f(x, y) + w))


# --------------------------------------------------------------------------- the icon

BG_TOP = hexrgb("#2e3f47")
BG_BOTTOM = hexrgb("#11191d")
EDGE = hexrgb("#070b0d")
GRID = hexrgb("#3fae5a", 0.28)
LINE = hexrgb("#5dff7c")
GLOW = hexrgb("#3cff66", 0.22)
FILL_TOP = hexrgb("#33e05a", 0.55)
FILL_BOTTOM = hexrgb("#1f9a3c", 0.10)

# One CPU-load story, told with as many points as the size can carry (percent, oldest first).
SERIES = {
    16: [25, 60, 35, 85, 55],
    24: [22, 52, 32, 78, 50, 66],
    32: [20, 45, 30, 70, 50, 88, 62],
    48: [18, 42, 28, 64, 46, 86, 58],
    64: [18, 40, 28, 62, 44, 84, 56, 70],
    128: [16, 36, 26, 58, 42, 80, 54, 90, 66],
    256: [16, 36, 26, 58, 42, 80, 54, 90, 66],
}

# size: margin, corner radius, rim, graph inset (left/right, top, bottom), line radius, grid
STYLE = {
    16: dict(margin=0.0, radius=3.0, rim=0.0, inset=(2.0, 2.5, 2.0), line=0.95, grid=0),
    24: dict(margin=0.5, radius=4.0, rim=0.8, inset=(3.0, 4.0, 3.0), line=1.1, grid=1),
    32: dict(margin=1.0, radius=5.5, rim=1.0, inset=(4.0, 5.0, 4.0), line=1.3, grid=3),
    48: dict(margin=1.5, radius=8.0, rim=1.0, inset=(6.0, 7.0, 6.0), line=1.7, grid=3),
    64: dict(margin=2.0, radius=10.5, rim=1.0, inset=(7.5, 9.0, 7.5), line=2.1, grid=3),
    128: dict(margin=5.0, radius=22.0, rim=2.0, inset=(15.0, 18.0, 15.0), line=4.0, grid=3),
    256: dict(margin=10.0, radius=44.0, rim=3.0, inset=(30.0, 36.0, 30.0), line=7.5, grid=3),
}

SS = {16: 8, 24: 8, 32: 6, 48: 6, 64: 5, 128: 4, 256: 3}


def draw_icon(size):
    st = STYLE[size]
    c = Canvas(size, size, SS[size])
    m = st["margin"]
    half = size / 2.0
    square = box(half, half, half - m, half - m, st["radius"])

    # Body: dark rounded square with a dark edge and a faint light rim inside it.
    c.paint(square, EDGE)
    inner = grow(square, -max(0.6, st["rim"] * 0.6)) if size > 16 else square
    c.paint(inner, vgrad(BG_TOP, BG_BOTTOM, m, size - m))
    if st["rim"] > 0.0:
        c.paint(ring(inner, st["rim"]), vgrad(hexrgb("#ffffff", 0.16), hexrgb("#ffffff", 0.03), m, size - m))

    # Graph area.
    side, top_in, bottom_in = st["inset"]
    gx0, gx1 = m + side, size - m - side
    gy0, gy1 = m + top_in, size - m - bottom_in
    gw, gh = gx1 - gx0, gy1 - gy0

    # Grid lines: quarters of the height, and a few time steps.
    n = st["grid"]
    if n:
        lw = max(0.5, size / 96.0)
        for k in range(1, n + 1):
            y = gy1 - gh * k / (n + 1)
            c.paint(box(half, y, gw / 2.0, lw / 2.0), GRID)
        for k in range(1, n + 1):
            x = gx0 + gw * k / (n + 1)
            c.paint(box(x, (gy0 + gy1) / 2.0, lw / 2.0, gh / 2.0), GRID)

    # The load curve.
    values = SERIES[size]
    pts = [(gx0 + gw * i / (len(values) - 1), gy1 - gh * v / 100.0) for i, v in enumerate(values)]
    area = polygon(pts + [(gx1, gy1), (gx0, gy1)])
    c.paint(intersect(area, inner), vgrad(FILL_TOP, FILL_BOTTOM, gy0, gy1))
    if size >= 128:
        c.paint(polyline(pts, st["line"] * 2.0), GLOW)
    c.paint(polyline(pts, st["line"]), LINE)

    return c.rows()


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    out = argv[1] if len(argv) > 1 else os.path.join(here, "..", "resources", "app")
    os.makedirs(out, exist_ok=True)
    for size in sorted(STYLE):
        path = os.path.join(out, f"moravel-{size}.png")
        write_png(path, size, size, draw_icon(size))
        print("wrote", os.path.normpath(path))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
