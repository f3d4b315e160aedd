#!/usr/bin/env python3
"""Draws the shipped theme data into data/Themes: the themes, the pattern strip and the images.

Everything here is drawn from scratch by this script. Themes are written exactly as the program
writes them (CP932, CR LF, its key order); Pattern.dat is a 24-bit BMP whose pixel columns are the
patterns. The BMP files are written here; the JPEG, GIF and ICO files are converted from BMP
drawings with ImageMagick's `convert`.

Run from anywhere: python3 scripts/make-theme-data.py
"""
import colorsys
import os
import random
import struct
import subprocess
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "data", "Themes")

# ---------------------------------------------------------------------------------------------
# Pictures


def write_bmp(path, width, height, pixel):
    """A 24-bit bottom-up BMP; pixel(x, y) gives (r, g, b), y = 0 at the top."""
    stride = (width * 3 + 3) & ~3
    rows = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (stride - len(row))
        rows += row
    header = struct.pack("<2sIHHI", b"BM", 54 + len(rows), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + rows)


def clamp(v):
    return max(0, min(255, int(round(v))))


def ramp(stops, t):
    """The colour at t (0..1) of a gradient through `stops`, a list of (position, (r, g, b))."""
    t = max(0.0, min(1.0, t))
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            f = 0.0 if p1 == p0 else (t - p0) / (p1 - p0)
            return tuple(clamp(a + (b - a) * f) for a, b in zip(c0, c1))
    return stops[-1][1]


def gradient(*colours):
    """Evenly spaced stops from the top (t = 0) to the bottom (t = 1)."""
    n = len(colours) - 1
    stops = [(i / n, c) for i, c in enumerate(colours)]
    return lambda t, row: ramp(stops, t)


def bands(*colours):
    """Equal horizontal bands, the first at the top."""
    n = len(colours)
    return lambda t, row: colours[min(n - 1, int(t * n))]


def level_bands(levels):
    """Bands by level from the bottom: levels = [(up to percent, colour), ...] from the top down."""
    def pick(t, row):
        percent = (1.0 - t) * 100.0
        colour = levels[-1][1]
        for top, c in levels:
            if percent < top:
                colour = c
        return colour
    return pick


def striped(base, every, darker):
    """`base` with every `every`-th row darkened by the factor `darker` (a scan-line look)."""
    def pick(t, row):
        r, g, b = base(t, row)
        if row % every == every - 1:
            return clamp(r * darker), clamp(g * darker), clamp(b * darker)
        return r, g, b
    return pick


PATTERN_HEIGHT = 100

# The pattern strip: pattern n is column n. Themes refer to them by number, so only append.
PATTERNS = [
    gradient((0, 255, 0), (0, 64, 0)),                                      # 0 green
    gradient((255, 40, 0), (255, 230, 0), (0, 200, 0)),                     # 1 heat
    gradient((40, 90, 200), (150, 200, 245), (230, 245, 255)),              # 2 sky
    gradient((40, 20, 80), (170, 50, 90), (250, 120, 50), (255, 210, 90)),  # 3 sunset
    gradient((0, 230, 240), (0, 90, 160), (0, 20, 60)),                     # 4 sea
    gradient((255, 250, 150), (255, 120, 0), (160, 0, 0), (40, 0, 0)),      # 5 fire
    gradient((255, 255, 255), (0, 0, 0)),                                   # 6 white to black
    gradient((0, 0, 0), (255, 255, 255)),                                   # 7 black to white
    gradient((255, 255, 255), (170, 220, 250), (40, 110, 200)),             # 8 ice
    gradient((255, 90, 255), (60, 0, 90)),                                  # 9 violet
    gradient((255, 235, 150), (200, 150, 40), (90, 50, 10)),                # 10 gold
    gradient((170, 240, 120), (30, 120, 30), (5, 40, 10)),                  # 11 forest
    gradient((0, 0, 0), (10, 20, 70)),                                      # 12 night
    gradient((70, 30, 75), (35, 12, 45), (15, 5, 25)),                      # 13 dusk
    gradient((255, 0, 0), (255, 255, 0), (0, 255, 0), (0, 255, 255),
             (0, 0, 255), (255, 0, 255)),                                   # 14 rainbow
    gradient((250, 250, 250), (150, 155, 160), (210, 215, 220),
             (90, 95, 100), (170, 175, 180)),                               # 15 chrome
    striped(gradient((185, 198, 168), (150, 165, 135)), 3, 0.95),           # 16 LCD
    bands(*[ramp([(0, (255, 0, 0)), (0.5, (255, 230, 0)), (1, (0, 220, 0))], i / 9)
            for i in range(10)]),                                           # 17 ten steps
    lambda t, row: (60, 200, 60) if (row // 5) % 2 == 0 else (20, 110, 20),  # 18 green stripes
    level_bands([(101, (255, 40, 30)), (85, (255, 210, 0)), (60, (40, 220, 60))]),  # 19 meter
    gradient((255, 140, 200), (255, 245, 250)),                             # 20 pink
    gradient((0, 0, 0), (0, 255, 255), (0, 0, 0)),                          # 21 tube
    lambda t, row: (40, 80, 200) if (row // 10) % 2 == 0 else (20, 40, 120),  # 22 blue bands
    gradient((255, 200, 60), (120, 60, 0)),                                 # 23 amber
    gradient((80, 80, 84), (30, 30, 34)),                                   # 24 panel
    gradient((255, 180, 180), (255, 240, 170), (180, 255, 190),
             (170, 210, 255), (220, 180, 255)),                             # 25 pastel
    lambda t, row: ramp([(0, (150, 95, 50)), (1, (110, 65, 30))],
                        ((row * 37) % 17) / 16),                            # 26 wood grain
    gradient((255, 60, 60), (90, 0, 10)),                                   # 27 crimson
    gradient((80, 240, 210), (0, 90, 90)),                                  # 28 teal
    gradient((255, 255, 255), (255, 150, 40)),                              # 29 orange
    lambda t, row: (230, 230, 230) if row % 2 == 0 else (20, 20, 20),       # 30 scan lines
    gradient((30, 255, 160), (0, 120, 160), (40, 0, 90)),                   # 31 aurora
]


def make_pattern_strip(path):
    def pixel(x, y):
        return PATTERNS[x](y / (PATTERN_HEIGHT - 1), y)
    write_bmp(path, len(PATTERNS), PATTERN_HEIGHT, pixel)


def night_pixels():
    """A night sky over a city skyline, 320 x 100; tiles side by side without a seam."""
    width, height = 320, 100
    rng = random.Random(20261207)
    sky = gradient((2, 4, 18), (14, 20, 60), (40, 50, 110))
    skyline = [0] * width
    lit = {}
    x = 0
    while x < width:
        w = min(rng.randint(8, 26), width - x)
        top = height - rng.randint(8, 42)
        for i in range(w):
            skyline[x + i] = top
        for wy in range(top + 3, height - 2, 4):
            for wx in range(x + 2, x + w - 2, 3):
                if rng.random() < 0.35:
                    lit[(wx, wy)] = rng.choice([(255, 220, 120), (255, 240, 180), (200, 220, 255)])
        x += w
    stars = {}
    for _ in range(110):
        sx, sy = rng.randrange(width), rng.randrange(height - 45)
        level = rng.randint(110, 255)
        stars[(sx, sy)] = (level, level, min(255, level + 20))

    def pixel(px, py):
        if py >= skyline[px]:
            return lit.get((px, py), (10, 10, 18))
        if (px, py) in stars:
            return stars[(px, py)]
        return sky(py / (height - 1), py)
    return width, height, pixel


def rainbow_pixels():
    """A full turn of hues across 180 columns, bright at the top and darker below."""
    width, height = 180, 64

    def pixel(x, y):
        r, g, b = colorsys.hsv_to_rgb(x / width, 0.85, 1.0 - 0.45 * y / (height - 1))
        return clamp(r * 255), clamp(g * 255), clamp(b * 255)
    return width, height, pixel


def paper_pixels():
    """Graph paper, one minute (60 columns) wide: a faint line every 10 seconds."""
    width, height = 60, 100

    def pixel(x, y):
        if x % 10 == 9:
            return (205, 222, 238)
        return (252, 250, 238) if (y // 2) % 2 else (249, 247, 234)
    return width, height, pixel


def brick_pixels():
    """A brick wall, 32 x 32: four courses of bricks in running bond."""
    width, height = 32, 32
    shades = [(172, 74, 46), (150, 62, 40), (184, 88, 56), (160, 70, 50)]

    def pixel(x, y):
        course = y // 8
        shifted = (x + (8 if course % 2 else 0)) % width
        if y % 8 == 7 or shifted % 16 == 15:
            return (196, 188, 172)
        r, g, b = shades[(course * 2 + shifted // 16) % len(shades)]
        if y % 8 == 0:
            return clamp(r * 1.15), clamp(g * 1.15), clamp(b * 1.15)
        return r, g, b
    return width, height, pixel


def convert(bmp, target):
    subprocess.run(["convert", bmp, "-strip", target], check=True)


# ---------------------------------------------------------------------------------------------
# Themes


def rgb(r, g, b):
    """A theme colour value, 0x00BBGGRR."""
    return (b << 16) | (g << 8) | r


DEFAULT = {
    "Version": "1.1.0", "Title": "初期値",
    "GraphHType": 1, "GraphHLineType": 2, "GraphHLineMode": 0,
    "GraphHColor1": 0x007F00, "GraphHColor2": 0x007F7F, "GraphHColor3": 0xFFFFFF,
    "GraphVType": 1, "GraphVLineType": 2, "GraphVLineMode": 0,
    "GraphVColor1": 0x007F00, "GraphVColor2": 0x007F7F, "GraphVColor3": 0xFFFFFF,
    "TextType": 2, "TextFont.Name": "ＭＳ ゴシック", "TextFont.Size": 14, "TextFont.Style": 0,
    "TextPosition": 2, "TextColor1": 0x7F7F7F, "TextColor2": 0xFFFFFF, "TextColor3": 0x000000,
    "TextPrefix": "", "TextSuffix": " %",
    "ForeType": 1, "ForeEdge": 0, "ForeColor1": 0x00FF00, "ForeColor2": 0x00BF00,
    "ForeColor3": 0x007F00, "ForeNo": 0, "ForeName": "", "ForePosition": 0,
    "BackType": 0, "BackColor": 0x000000, "BackNo": 0, "BackName": "",
}
QUOTED = {"Title", "TextFont.Name", "TextPrefix", "TextSuffix", "ForeName", "BackName"}
COLOURS = {k for k in DEFAULT if "Color" in k}

GOTHIC = "ＭＳ ゴシック"
PGOTHIC = "ＭＳ Ｐゴシック"

THEMES = {
    "graph.tm": {},
    "line.tm": {
        "Title": "折線",
        "GraphHType": 2, "GraphHLineType": 1, "GraphHLineMode": 1,
        "GraphHColor1": rgb(50, 58, 100), "GraphHColor2": rgb(64, 74, 128),
        "GraphHColor3": rgb(110, 120, 190),
        "GraphVType": 0,
        "TextType": 1, "TextFont.Size": 12, "TextFont.Style": 1, "TextPosition": 0,
        "TextColor1": rgb(190, 205, 255), "TextPrefix": "CPU ", "TextSuffix": "%",
        "ForeType": 0, "ForeColor1": rgb(0, 230, 255), "ForeColor2": rgb(255, 150, 40),
        "ForeColor3": rgb(0, 90, 120),
        "BackColor": rgb(14, 18, 40),
    },
    "sunset.tm": {
        "Title": "夕焼け",
        "GraphHType": 3, "GraphHLineType": 0, "GraphHLineMode": 2,
        "GraphHColor3": rgb(255, 225, 170),
        "GraphVType": 2, "GraphVLineType": 1, "GraphVLineMode": 0,
        "GraphVColor2": rgb(255, 200, 150), "GraphVColor3": rgb(255, 240, 210),
        "TextFont.Name": PGOTHIC, "TextFont.Style": 1, "TextPosition": 1,
        "TextColor1": rgb(255, 228, 170), "TextColor2": rgb(255, 255, 255),
        "TextColor3": rgb(80, 25, 40),
        "ForeType": 2, "ForeEdge": 1, "ForeNo": 13,
        "ForeColor1": rgb(255, 215, 140), "ForeColor2": rgb(255, 160, 80),
        "BackType": 1, "BackNo": 3,
    },
    "night.tm": {
        "Title": "夜景",
        "GraphHType": 0,
        "GraphVType": 3, "GraphVLineType": 0, "GraphVLineMode": 1,
        "GraphVColor1": rgb(60, 70, 120), "GraphVColor2": rgb(90, 100, 160),
        "GraphVColor3": rgb(150, 150, 210),
        "TextType": 1, "TextFont.Size": 12, "TextFont.Style": 2, "TextPosition": 8,
        "TextColor1": rgb(255, 236, 170),
        "ForeType": 0, "ForeColor1": rgb(255, 225, 110), "ForeColor2": rgb(255, 180, 70),
        "BackType": 2, "BackName": "night.jpg",
    },
    "rainbow.tm": {
        "Title": "虹色",
        "GraphHType": 2, "GraphHLineType": 2, "GraphHLineMode": 0,
        "GraphHColor2": rgb(75, 75, 75),
        "GraphVType": 1, "GraphVLineType": 2, "GraphVLineMode": 0,
        "GraphVColor1": rgb(60, 60, 60), "GraphVColor2": rgb(95, 95, 95),
        "GraphVColor3": rgb(140, 140, 140),
        "TextType": 2, "TextFont.Size": 28, "TextFont.Style": 1, "TextPosition": 4,
        "TextColor1": rgb(255, 255, 255), "TextColor2": rgb(120, 120, 120),
        "TextColor3": rgb(0, 0, 0),
        "ForeType": 3, "ForeName": "rainbow.bmp",
        "BackColor": rgb(14, 14, 16),
    },
    "paper.tm": {
        "Title": "方眼紙",
        "GraphHType": 1, "GraphHLineType": 0, "GraphHLineMode": 0,
        "GraphHColor1": rgb(205, 222, 238), "GraphHColor2": rgb(170, 200, 230),
        "GraphHColor3": rgb(110, 160, 215),
        "GraphVType": 1, "GraphVLineType": 0, "GraphVLineMode": 0,
        "GraphVColor1": rgb(150, 185, 225), "GraphVColor2": rgb(110, 160, 215),
        "GraphVColor3": rgb(70, 120, 190),
        "TextType": 1, "TextFont.Name": PGOTHIC, "TextFont.Size": 12, "TextFont.Style": 6,
        "TextPosition": 6, "TextColor1": rgb(40, 60, 140), "TextPrefix": "負荷 ",
        "ForeType": 0, "ForeColor1": rgb(210, 30, 30), "ForeColor2": rgb(30, 70, 200),
        "BackType": 2, "BackName": "paper.gif",
    },
    "brick.tm": {
        "Title": "レンガ",
        "GraphHType": 1, "GraphHLineType": 0, "GraphHLineMode": 2,
        "GraphHColor1": rgb(44, 44, 48), "GraphHColor2": rgb(60, 60, 66),
        "GraphHColor3": rgb(96, 96, 104),
        "GraphVType": 2, "GraphVLineType": 2, "GraphVLineMode": 1,
        "GraphVColor2": rgb(200, 190, 170), "GraphVColor3": rgb(240, 230, 210),
        "TextType": 2, "TextFont.Size": 16, "TextFont.Style": 1, "TextPosition": 5,
        "TextColor1": rgb(255, 205, 130), "TextColor2": rgb(255, 245, 215),
        "TextColor3": rgb(40, 20, 10),
        "ForeType": 3, "ForeEdge": 1, "ForeName": "brick.ico", "ForePosition": 1,
        "ForeColor1": rgb(255, 225, 190), "ForeColor2": rgb(230, 190, 150),
        "BackType": 1, "BackNo": 24,
    },
    "meter.tm": {
        "Title": "レベルメーター",
        "GraphHType": 1, "GraphHLineType": 1, "GraphHLineMode": 0,
        "GraphHColor1": rgb(48, 48, 48), "GraphHColor2": rgb(66, 66, 66),
        "GraphHColor3": rgb(110, 110, 110),
        "GraphVType": 1, "GraphVLineType": 1, "GraphVLineMode": 2,
        "GraphVColor1": rgb(70, 70, 70), "GraphVColor2": rgb(100, 100, 100),
        "GraphVColor3": rgb(140, 140, 140),
        "TextType": 2, "TextFont.Size": 12, "TextFont.Style": 1, "TextPosition": 7,
        "TextColor1": rgb(245, 245, 245), "TextColor2": rgb(0, 0, 0), "TextColor3": rgb(0, 0, 0),
        "TextSuffix": "%",
        "ForeType": 2, "ForeNo": 19,
        "BackColor": rgb(24, 24, 26),
    },
    "lcd.tm": {
        "Title": "液晶",
        "GraphHType": 2, "GraphHLineType": 0, "GraphHLineMode": 1,
        "GraphHColor2": rgb(140, 155, 128),
        "GraphVType": 2, "GraphVLineType": 2, "GraphVLineMode": 1,
        "GraphVColor2": rgb(110, 125, 100), "GraphVColor3": rgb(80, 95, 72),
        "TextType": 2, "TextFont.Size": 20, "TextFont.Style": 1, "TextPosition": 3,
        "TextColor1": rgb(36, 48, 36), "TextColor2": rgb(205, 215, 192),
        "TextColor3": rgb(205, 215, 192),
        "ForeType": 1, "ForeColor3": rgb(48, 62, 46),
        "BackType": 1, "BackNo": 16,
    },
    "scope.tm": {
        "Title": "オシロスコープ",
        "GraphHType": 1, "GraphHLineType": 0, "GraphHLineMode": 2,
        "GraphHColor1": rgb(0, 50, 18), "GraphHColor2": rgb(0, 70, 26),
        "GraphHColor3": rgb(0, 120, 45),
        "GraphVType": 1, "GraphVLineType": 0, "GraphVLineMode": 2,
        "GraphVColor1": rgb(0, 60, 22), "GraphVColor2": rgb(0, 90, 34),
        "GraphVColor3": rgb(0, 120, 45),
        "TextType": 0,
        "ForeType": 0, "ForeColor1": rgb(90, 255, 130), "ForeColor2": rgb(90, 255, 130),
        "BackColor": rgb(0, 10, 4),
    },
    "glacier.tm": {
        "Title": "氷河",
        "GraphHType": 3, "GraphHLineType": 2, "GraphHLineMode": 1,
        "GraphHColor3": rgb(255, 255, 255),
        "GraphVType": 3, "GraphVLineType": 2, "GraphVLineMode": 0,
        "GraphVColor3": rgb(255, 255, 255),
        "TextType": 1, "TextFont.Name": PGOTHIC, "TextFont.Style": 1, "TextPosition": 0,
        "TextColor1": rgb(8, 24, 70),
        "ForeType": 2, "ForeEdge": 1, "ForeNo": 8, "ForePosition": 1,
        "ForeColor1": rgb(255, 255, 255), "ForeColor2": rgb(215, 235, 255),
        "BackType": 1, "BackNo": 2,
    },
}


def format_theme(fields):
    lines = ["[Theme]"]
    for key, value in fields.items():
        if key in QUOTED:
            lines.append(f'{key}="{value}"')
        elif key in COLOURS:
            lines.append(f"{key}=&H{value & 0xFFFFFFFF:08X}")
        else:
            lines.append(f"{key}={value}")
    return ("\r\n".join(lines) + "\r\n").encode("cp932")


def check_coverage():
    """The shipped themes together show every choice the theme editor offers."""
    themes = [dict(DEFAULT, **t) for t in THEMES.values()]
    wanted = {
        "ForeType": range(4), "BackType": range(3), "GraphHType": range(4),
        "GraphVType": range(4), "GraphHLineType": range(3), "GraphVLineType": range(3),
        "GraphHLineMode": range(3), "GraphVLineMode": range(3), "TextType": range(3),
        "ForeEdge": range(2), "ForePosition": range(2),
    }
    for key, values in wanted.items():
        missing = set(values) - {t[key] for t in themes}
        assert not missing, f"no theme has {key} = {sorted(missing)}"
    positions = {t["TextPosition"] for t in themes if t["TextType"] != 0}
    assert positions == set(range(9)), f"text positions shown: {sorted(positions)}"


def main():
    check_coverage()
    os.makedirs(OUT, exist_ok=True)
    for name, changes in THEMES.items():
        fields = dict(DEFAULT)
        fields.update(changes)
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(format_theme(fields))
    make_pattern_strip(os.path.join(OUT, "Pattern.dat"))
    write_bmp(os.path.join(OUT, "rainbow.bmp"), *rainbow_pixels())
    with tempfile.TemporaryDirectory() as work:
        for drawing, target in ((night_pixels, "night.jpg"), (paper_pixels, "paper.gif"),
                                (brick_pixels, "brick.ico")):
            bmp = os.path.join(work, target + ".bmp")
            write_bmp(bmp, *drawing())
            convert(bmp, os.path.join(OUT, target))


if __name__ == "__main__":
    main()
