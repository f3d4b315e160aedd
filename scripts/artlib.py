"""Drawing pieces shared by the scripts that draw Moravel's pictures.

make-about-art.py and make-app-icon.py paint signed distance shapes on a supersampled Canvas
and write its rows with write_png; make-frame-pictures.py writes its hand-placed pixels with
write_png too. Python 3 standard library only, and deterministic: the same input gives the
same bytes on every run.

The scripts import this module from their own folder, so they run from any working folder.
"""

import math
import struct
import zlib

# --------------------------------------------------------------------------- PNG


def write_png(path, width, height, rgba_rows):
    """Writes an 8-bit RGBA PNG, unfiltered rows deflated at level 9.

    rgba_rows: list of bytes objects, each width * 4 bytes.
    """
    raw = b"".join(b"\x00" + row for row in rgba_rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


# --------------------------------------------------------------------------- shapes
# A shape is a signed distance function f(x, y): negative inside, positive outside, in
# pixels (origin at the top left corner of the picture, pixel centres at i + 0.5).


def box(cx, cy, hw, hh, r=0.0):
    """A box of half sizes hw x hh centred on (cx, cy), corners rounded with radius r."""

    def f(x, y):
        qx = abs(x - cx) - (hw - r)
        qy = abs(y - cy) - (hh - r)
        return math.hypot(max(qx, 0.0), max(qy, 0.0)) + min(max(qx, qy), 0.0) - r

    return f


def capsule(x1, y1, x2, y2, r):
    """A line from (x1, y1) to (x2, y2) with round ends, r thick on each side."""
    dx, dy = x2 - x1, y2 - y1
    ll = dx * dx + dy * dy

    def f(x, y):
        t = 0.0 if ll == 0 else max(0.0, min(1.0, ((x - x1) * dx + (y - y1) * dy) / ll))
        return math.hypot(x - x1 - t * dx, y - y1 - t * dy) - r

    return f


def intersect(*fs):
    return lambda x, y: max(f(x, y) for f in fs)


def grow(f, w):
    """f made w pixels fatter all round (thinner when w is negative)."""
    return lambda x, y: f(x, y) - w


# --------------------------------------------------------------------------- colours
# Colours are (r, g, b, a) tuples of floats in 0..1, not premultiplied. Wherever a colour is
# painted, a function colour(x, y) may stand in for it (the gradients below).


def hexrgb(h, a=1.0):
    h = h.lstrip("#")
    return (int(h[0:2], 16) / 255.0, int(h[2:4], 16) / 255.0, int(h[4:6], 16) / 255.0, a)


def mix(c1, c2, t):
    t = max(0.0, min(1.0, t))
    return tuple(a + (b - a) * t for a, b in zip(c1, c2))


def vgrad(c_top, c_bottom, y_top, y_bottom):
    return lambda x, y: mix(c_top, c_bottom, (y - y_top) / (y_bottom - y_top))


# --------------------------------------------------------------------------- canvas


def over(src, dst):
    """src composited over dst."""
    sr, sg, sb, sa = src
    if sa >= 1.0:
        return src
    dr, dg, db, da = dst
    a = sa + da * (1.0 - sa)
    if a <= 0.0:
        return (0.0, 0.0, 0.0, 0.0)
    k = da * (1.0 - sa)
    return ((sr * sa + dr * k) / a, (sg * sa + dg * k) / a, (sb * sa + db * k) / a, a)


class Canvas:
    """Supersampled RGBA canvas; paint() composites a shape 'over' what is there.

    Every pixel holds ss x ss samples. Pixels well inside or well outside a shape are decided
    from their centre; only those near its edge are sampled one by one.
    """

    def __init__(self, w, h, ss):
        self.w, self.h, self.ss = w, h, ss
        self.px = [[(0.0, 0.0, 0.0, 0.0)] * (ss * ss) for _ in range(w * h)]
        self.offsets = [((i + 0.5) / ss, (j + 0.5) / ss) for j in range(ss) for i in range(ss)]

    def paint(self, shape, colour):
        colour_at = colour if callable(colour) else (lambda x, y, c=colour: c)
        for py in range(self.h):
            for px in range(self.w):
                cx, cy = px + 0.5, py + 0.5
                d = shape(cx, cy)
                if d > 1.5:
                    continue
                cell = self.px[py * self.w + px]
                if d < -1.5:
                    c = colour_at(cx, cy)
                    for k in range(len(cell)):
                        cell[k] = over(c, cell[k])
                    continue
                for k, (ox, oy) in enumerate(self.offsets):
                    sx, sy = px + ox, py + oy
                    if shape(sx, sy) <= 0.0:
                        cell[k] = over(colour_at(sx, sy), cell[k])

    def rows(self):
        """The picture as RGBA rows for write_png.

        A pixel is the alpha-weighted mean colour of its samples, with their mean alpha.
        """
        out = []
        n = self.ss * self.ss
        for py in range(self.h):
            row = bytearray()
            for px in range(self.w):
                r = g = b = a = 0.0
                for (sr, sg, sb, sa) in self.px[py * self.w + px]:
                    r += sr * sa
                    g += sg * sa
                    b += sb * sa
                    a += sa
                if a > 0.0:
                    r, g, b = r / a, g / a, b / a
                a /= n
                row += bytes(int(round(max(0.0, min(1.0, v)) * 255)) for v in (r, g, b, a))
            out.append(bytes(row))
        return out
