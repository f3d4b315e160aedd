#include "core/render/Surface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/render/Colour.h"
#include "core/render/ImageLoader.h"
#include "support/FakeFontEngine.h"
#include "support/MaskPicture.h"

namespace moravel {
namespace {

// Row `y` of `s` from x0 to x1 (inclusive) as a string: '#' where the pixel is `on`, '.' elsewhere.
std::string Row(const Surface& s, std::int32_t y, std::int32_t x0, std::int32_t x1, Colour on) {
    std::string out;
    for (std::int32_t x = x0; x <= x1; ++x) {
        out += s.Pixel(x, y) == on ? '#' : '.';
    }
    return out;
}

Surface Filled(std::int32_t w, std::int32_t h, Colour c) {
    Surface s(w, h);
    s.SetBackColor(c);
    s.Clear();
    return s;
}

bool SameAs(const Surface& a, const Surface& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) {
        return false;
    }
    for (std::int32_t i = 0; i < a.Width() * a.Height(); ++i) {
        if (a.Pixels()[i] != b.Pixels()[i]) {
            return false;
        }
    }
    return true;
}

// Each pixel gets a distinct value from its position.
Surface Numbered(std::int32_t w, std::int32_t h) {
    Surface s(w, h);
    for (std::int32_t y = 0; y < h; ++y) {
        for (std::int32_t x = 0; x < w; ++x) {
            s.SetPixel(x, y, static_cast<Colour>(y * 100 + x + 1));
        }
    }
    return s;
}

TEST(SurfaceTest, StartsOneByOneAndResizeClearsToTheBackground) {
    Surface s;
    EXPECT_EQ(s.Width(), 1);
    EXPECT_EQ(s.Height(), 1);
    s.SetBackColor(0x123456);
    s.Resize(3, 2);
    EXPECT_EQ(s.Pixel(2, 1), 0x123456u);
    s.Resize(-4, 5);
    EXPECT_EQ(s.Width(), 0);
    s.FillBox(0, 0, 3, 3, 0xFF);  // nothing to draw on, nothing breaks
    s.Release();
    EXPECT_EQ(s.Width(), 1);
    EXPECT_EQ(s.Height(), 1);
}

TEST(SurfaceTest, SystemColoursResolveThroughTheTable) {
    EXPECT_EQ(ResolveColour(kButtonFaceColour), 0xC0C0C0u);
    EXPECT_EQ(ResolveColour(0x80000000u + 200), 0u);  // past the table, as GetSysColor
    EXPECT_EQ(ResolveColour(0x7F00FF00u), 0x0000FF00u);

    SystemColourTable table = ClassicSystemColours();
    table[15] = 0x00ABCDEF;
    SetSystemColours(table);
    Surface s(2, 2);
    s.SetBackColor(kButtonFaceColour);
    s.Clear();
    EXPECT_EQ(s.Pixel(1, 1), 0xABCDEFu);
    SetSystemColours(ClassicSystemColours());
    s.Clear();
    EXPECT_EQ(s.Pixel(1, 1), 0xC0C0C0u);
}

TEST(SurfaceTest, PixelsAreStoredAsDibBytesAndColoursConvertWhereTheyEnterAndLeave) {
    // A 32-bit DIB row: blue, green, red, unused. Every way a colour enters lands that way.
    auto bytes = [](const Surface& s, std::int32_t x, std::int32_t y) {
        const auto* p = reinterpret_cast<const unsigned char*>(s.Pixels() + y * s.Width() + x);
        return std::to_string(p[0]) + "," + std::to_string(p[1]) + "," + std::to_string(p[2]) +
               "," + std::to_string(p[3]);
    };
    Surface s = Filled(6, 2, 0x0000FF);  // red in 0x00BBGGRR
    EXPECT_EQ(bytes(s, 5, 1), "0,0,255,0");
    EXPECT_EQ(s.Pixels()[0], 0x00FF0000u);
    s.SetPixel(0, 0, 0x00FF0000);  // blue
    EXPECT_EQ(bytes(s, 0, 0), "255,0,0,0");
    s.FillBox(1, 0, 1, 0, 0x00102030);
    EXPECT_EQ(bytes(s, 1, 0), "16,32,48,0");
    s.DrawLine(2, 0, 3, 0, 0x7F00FF00u);  // the top byte is no part of the colour
    EXPECT_EQ(bytes(s, 2, 0), "0,255,0,0");
    s.BlendPixel(3, 0, 0x000000FF, 128);  // half red over red: red
    EXPECT_EQ(bytes(s, 3, 0), "0,0,255,0");
    s.BlendPixel(4, 0, 0x00FF0000, 51);  // a fifth blue over red
    EXPECT_EQ(bytes(s, 4, 0), "51,0,204,0");
    s.SetBackColor(kButtonFaceColour);
    s.Clear();
    EXPECT_EQ(bytes(s, 0, 1), "192,192,192,0");

    // And leave it as colours again.
    s.Pixels()[0] = 0x00ABCDEF;
    EXPECT_EQ(s.Pixel(0, 0), 0x00EFCDABu);
    EXPECT_EQ(ToPixel(0x00EFCDAB), 0x00ABCDEFu);
    EXPECT_EQ(ToColour(ToPixel(0x00123456)), 0x00123456u);
    EXPECT_EQ(ToPixel(0xFF123456u), 0x00563412u);
}

TEST(SurfaceTest, RasterOperationsActOnTheColourBits) {
    const Colour d = 0x00F0F0F0;
    const Colour src = 0x00FF00CC;
    struct Case {
        RasterOp op;
        Colour expected;
    };
    for (const Case c :
         {Case{RasterOp::SrcCopy, src}, Case{RasterOp::SrcAnd, d & src},
          Case{RasterOp::SrcInvert, d ^ src}, Case{RasterOp::DSna, d & ~src & 0x00FFFFFF}}) {
        Surface dst = Filled(2, 2, d);
        const Surface from = Filled(2, 2, src);
        dst.BitBlt(0, 0, 2, 2, from, 0, 0, c.op);
        EXPECT_EQ(dst.Pixel(1, 1), c.expected) << std::hex << static_cast<std::uint32_t>(c.op);
        EXPECT_EQ(dst.Pixel(1, 1) >> 24, 0u);
    }
    // Mask, then graph with exclusive or: where the mask is white the board stays.
    Surface board = Filled(1, 1, 0x00336699);
    board.BitBlt(0, 0, 1, 1, Filled(1, 1, 0xFFFFFF), 0, 0, RasterOp::SrcAnd);
    board.BitBlt(0, 0, 1, 1, Filled(1, 1, 0), 0, 0, RasterOp::SrcInvert);
    EXPECT_EQ(board.Pixel(0, 0), 0x00336699u);
}

TEST(SurfaceTest, ScrollingLeftIsACopyWithinTheSurfaceAndABoxAtTheRight) {
    for (const std::int32_t n : {0, 1, 3, 6, 7, 12, -2}) {
        Surface scrolled = Numbered(7, 4);
        Surface expected = scrolled;
        if (n > 0) {
            expected.BitBlt(0, 0, 7 - n, 4, expected, n, 0, RasterOp::SrcCopy);
            expected.FillBox(7 - n, 0, 6, 4, 0xABCDEF);
        }
        scrolled.ScrollLeft(n, 0xABCDEF);
        for (std::int32_t y = 0; y < 4; ++y) {
            for (std::int32_t x = 0; x < 7; ++x) {
                ASSERT_EQ(scrolled.Pixel(x, y), expected.Pixel(x, y)) << n << ": " << x << "," << y;
            }
        }
    }
    Surface empty(0, 3);
    empty.ScrollLeft(2, 0xFFFFFF);  // nothing to move
    EXPECT_EQ(empty.Width(), 0);
}

TEST(SurfaceTest, AMaskedCompositionInOnePassIsTheThreeCopiesInARow) {
    const Surface board = Numbered(7, 5);
    CoverageMask mask(7, 5);
    for (std::int32_t y = 1; y <= 4; ++y) {
        mask.CoverLine(2, y, 5, y);
    }
    mask.CoverLine(6, 0, 7, 0);
    const Surface maskPicture = test::MaskPicture(mask);
    Surface graph = Filled(7, 5, 0);
    graph.FillBox(2, 1, 4, 4, 0x3366CC);
    graph.SetPixel(0, 4, 0x010101);
    auto threeCopies = [&](Surface& s, const Surface& b, const Surface* g) {
        s.BitBlt(0, 0, s.Width(), s.Height(), b, 0, 0, RasterOp::SrcCopy);
        s.BitBlt(0, 0, s.Width(), s.Height(), maskPicture, 0, 0, RasterOp::SrcAnd);
        if (g != nullptr) {
            s.BitBlt(0, 0, s.Width(), s.Height(), *g, 0, 0, RasterOp::SrcInvert);
        }
    };
    auto same = [](const Surface& a, const Surface& b) {
        for (std::int32_t y = 0; y < a.Height(); ++y) {
            for (std::int32_t x = 0; x < a.Width(); ++x) {
                if (a.Pixel(x, y) != b.Pixel(x, y)) {
                    return false;
                }
            }
        }
        return true;
    };
    for (const Surface* g :
         {static_cast<const Surface*>(&graph), static_cast<const Surface*>(nullptr)}) {
        Surface expected = Filled(7, 5, 0xABCDEF);
        threeCopies(expected, board, g);
        Surface composed = Filled(7, 5, 0xABCDEF);
        composed.ComposeMasked(board, mask, g);
        EXPECT_TRUE(same(composed, expected));
        // A smaller frame reads the top-left of each source; a source smaller than the frame
        // leaves the rest as the copies would.
        Surface small = Filled(3, 2, 0x111111);
        Surface smallExpected = small;
        threeCopies(smallExpected, board, g);
        small.ComposeMasked(board, mask, g);
        EXPECT_TRUE(same(small, smallExpected));
        Surface large = Filled(9, 6, 0x222222);
        Surface largeExpected = large;
        threeCopies(largeExpected, board, g);
        large.ComposeMasked(board, mask, g);
        EXPECT_TRUE(same(large, largeExpected));
    }
}

TEST(SurfaceTest, BlockCopyClipsToBothSurfacesAndNeverStretches) {
    const Surface src = Numbered(4, 3);
    Surface dst = Filled(5, 5, 0xEEEEEE);
    // Source rectangle partly outside the source, destination partly outside the destination.
    dst.BitBlt(-1, 3, 4, 4, src, 1, 0, RasterOp::SrcCopy);
    EXPECT_EQ(dst.Pixel(0, 3), src.Pixel(2, 0));
    EXPECT_EQ(dst.Pixel(1, 3), src.Pixel(3, 0));
    EXPECT_EQ(dst.Pixel(2, 3), 0xEEEEEEu);  // its source (4, 0) lies outside the source
    EXPECT_EQ(dst.Pixel(0, 4), src.Pixel(2, 1));
    EXPECT_EQ(dst.Pixel(4, 4), 0xEEEEEEu);
    // Negative source origin: the uncovered part stays.
    Surface d2 = Filled(3, 3, 0xEEEEEE);
    d2.BitBlt(0, 0, 3, 3, src, -1, -1, RasterOp::SrcCopy);
    EXPECT_EQ(d2.Pixel(0, 0), 0xEEEEEEu);
    EXPECT_EQ(d2.Pixel(1, 1), src.Pixel(0, 0));
    EXPECT_EQ(d2.Pixel(2, 2), src.Pixel(1, 1));
}

TEST(SurfaceTest, OverlappingCopiesWithinOneSurfaceMoveTheWholeArea) {
    const Surface original = Numbered(6, 5);
    struct Move {
        std::int32_t dx, dy;
    };
    for (const Move m :
         {Move{-2, 0}, Move{2, 0}, Move{0, -1}, Move{0, 2}, Move{1, 1}, Move{-1, -2}}) {
        for (const RasterOp op : {RasterOp::SrcCopy, RasterOp::SrcInvert}) {
            Surface s = original;
            s.BitBlt(m.dx, m.dy, 6, 5, s, 0, 0, op);
            for (std::int32_t y = 0; y < 5; ++y) {
                for (std::int32_t x = 0; x < 6; ++x) {
                    const std::int32_t fx = x - m.dx;
                    const std::int32_t fy = y - m.dy;
                    const bool inside = fx >= 0 && fx < 6 && fy >= 0 && fy < 5;
                    Colour expected = original.Pixel(x, y);
                    if (inside) {
                        expected = op == RasterOp::SrcCopy
                                       ? original.Pixel(fx, fy)
                                       : original.Pixel(x, y) ^ original.Pixel(fx, fy);
                    }
                    ASSERT_EQ(s.Pixel(x, y), expected)
                        << "move " << m.dx << "," << m.dy << " at " << x << "," << y;
                }
            }
        }
    }
}

TEST(SurfaceTest, StretchCopyTakesTheNearestPixel) {
    // A 1 x 64 strip squeezed into 47 rows keeps its order and both ends.
    Surface strip(1, 64);
    for (std::int32_t y = 0; y < 64; ++y) {
        strip.SetPixel(0, y, static_cast<Colour>(y + 1));
    }
    Surface s(3, 47);
    s.StretchBlt(0, 0, 3, 47, strip, 0, 0, 1, 64);
    EXPECT_EQ(s.Pixel(0, 0), 1u);
    EXPECT_EQ(s.Pixel(2, 46), 64u);
    for (std::int32_t y = 1; y < 47; ++y) {
        EXPECT_GT(s.Pixel(1, y), s.Pixel(1, y - 1));
        // Each row shows the source row under its centre (the upper one on a tie).
        EXPECT_EQ(s.Pixel(1, y), static_cast<Colour>(((2 * y + 1) * 64 - 1) / 94 + 1));
    }
    EXPECT_EQ(s.Pixel(1, 23), 32u);  // centre exactly between source rows 31 and 32
    // Halving takes every second pixel from the first; enlarging repeats pixels; the same size
    // copies exactly.
    Surface half(1, 32);
    half.StretchBlt(0, 0, 1, 32, strip, 0, 0, 1, 64);
    EXPECT_EQ(half.Pixel(0, 0), 1u);
    EXPECT_EQ(half.Pixel(0, 31), 63u);
    Surface two(1, 2);
    two.SetPixel(0, 0, 5);
    two.SetPixel(0, 1, 9);
    Surface tall(1, 4);
    tall.StretchBlt(0, 0, 1, 4, two, 0, 0, 1, 2);
    EXPECT_EQ(Row(tall, 0, 0, 0, 5) + Row(tall, 1, 0, 0, 5) + Row(tall, 2, 0, 0, 9) +
                  Row(tall, 3, 0, 0, 9),
              "####");
    const Surface n = Numbered(4, 4);
    Surface same(4, 4);
    same.StretchBlt(0, 0, 4, 4, n, 0, 0, 4, 4);
    EXPECT_EQ(same.Pixel(3, 2), n.Pixel(3, 2));
}

TEST(SurfaceTest, StretchCopyFromNothingDrawsNothing) {
    Surface empty(0, 5);
    Surface s = Filled(4, 4, 0x111111);
    s.StretchBlt(0, 0, 4, 4, empty, 0, 0, 0, 5);
    s.StretchBlt(0, 0, 0, 4, Numbered(2, 2), 0, 0, 2, 2);
    EXPECT_EQ(s.Pixel(2, 2), 0x111111u);
}

TEST(SurfaceTest, LinesLeaveOutTheirEndPoint) {
    Surface s(10, 10);
    s.DrawLine(1, 2, 6, 2, 0xFF);
    EXPECT_EQ(Row(s, 2, 0, 9, 0xFF), ".#####....");
    s.DrawLine(6, 5, 1, 5, 0xFF);  // right to left: starts at 6, stops before 1
    EXPECT_EQ(Row(s, 5, 0, 9, 0xFF), "..#####...");
    s.DrawLine(3, 3, 3, 3, 0xAA);  // a point: nothing
    EXPECT_EQ(s.Pixel(3, 3), 0u);

    // A steep two-column segment as the graph draws it: first pixel at the start, last one just
    // before the end point, each row once.
    Surface g(4, 20);
    g.DrawLine(1, 15, 2, 4, 0xFF);
    EXPECT_EQ(g.Pixel(1, 15), 0xFFu);
    EXPECT_EQ(g.Pixel(2, 5), 0xFFu);
    EXPECT_EQ(g.Pixel(2, 4), 0u);
    for (std::int32_t y = 5; y <= 15; ++y) {
        EXPECT_EQ((g.Pixel(1, y) == 0xFFu) + (g.Pixel(2, y) == 0xFFu), 1) << y;
    }
    // Clipped lines, even very long ones.
    g.DrawLine(-2000000000, 0, 2000000000, 0, 0x77);
    EXPECT_EQ(Row(g, 0, 0, 3, 0x77), "####");
    g.DrawLine(-2000000000, -2000000000, 2000000000, 2000000000, 0x66);
    EXPECT_EQ(g.Pixel(1, 1), 0x66u);
    EXPECT_EQ(g.Pixel(3, 3), 0x66u);
}

TEST(SurfaceTest, DashedAndDottedPensStartAtTheFirstPixelAndSkipTheGaps) {
    Surface s = Filled(60, 3, 0x010203);
    s.SetPen(PenStyle::Dash);
    s.DrawLine(0, 0, 60, 0, 0xFF);
    EXPECT_EQ(Row(s, 0, 0, 59, 0xFF),
              "##################......##################......############");
    EXPECT_EQ(s.Pixel(20, 0), 0x010203u);  // the gaps leave what was there

    s.SetPen(PenStyle::Dot);
    s.DrawLine(59, 1, 40, 1, 0xFF);  // counted from the first pixel, at the right
    EXPECT_EQ(Row(s, 1, 40, 59, 0xFF), ".#...###...###...###");
    s.DrawLine(5, 2, 5, 2 + 1, 0xFF);
    EXPECT_EQ(s.Pixel(5, 2), 0xFFu);

    Surface v(1, 30);
    v.SetPen(PenStyle::Dash);
    v.DrawLine(0, 29, 0, -1, 0xFF);  // bottom to top
    EXPECT_EQ(v.Pixel(0, 29), 0xFFu);
    EXPECT_EQ(v.Pixel(0, 12), 0xFFu);  // step 17
    EXPECT_EQ(v.Pixel(0, 11), 0u);     // step 18: the gap
    EXPECT_EQ(v.Pixel(0, 6), 0u);      // step 23
    EXPECT_EQ(v.Pixel(0, 5), 0xFFu);   // step 24: on again
}

TEST(SurfaceTest, FilledBoxesIncludeBothCorners) {
    Surface s(6, 6);
    s.FillBox(4, 3, 1, 1, 0xFF);
    EXPECT_EQ(Row(s, 0, 0, 5, 0xFF), "......");
    EXPECT_EQ(Row(s, 1, 0, 5, 0xFF), ".####.");
    EXPECT_EQ(Row(s, 3, 0, 5, 0xFF), ".####.");
    EXPECT_EQ(Row(s, 4, 0, 5, 0xFF), "......");
    s.FillBox(-5, 5, 100, 100, 0xAA);  // clipped
    EXPECT_EQ(Row(s, 5, 0, 5, 0xAA), "######");
}

TEST(SurfaceTest, BlendingMixesByCoverage) {
    Surface s = Filled(1, 1, 0x000000);
    s.BlendPixel(0, 0, 0xFF80FF, 0);
    EXPECT_EQ(s.Pixel(0, 0), 0u);
    s.BlendPixel(0, 0, 0xFF80FF, 128);
    EXPECT_EQ(s.Pixel(0, 0), 0x804080u);
    s.BlendPixel(0, 0, 0x123456, 255);
    EXPECT_EQ(s.Pixel(0, 0), 0x123456u);
    s.BlendPixel(5, 5, 0xFFFFFF, 255);  // outside: nothing

    // Every coverage over every channel value, against the rounded mix itself.
    Surface all(256, 1);
    for (std::uint32_t under = 0; under < 256; ++under) {
        for (std::uint32_t a = 0; a < 256; ++a) {
            const Colour base = Rgb(under, 255 - under, (under * 7) & 0xFF);
            all.SetPixel(0, 0, base);
            all.BlendPixel(0, 0, 0x00FF8000 | (a ^ 0x55), static_cast<std::uint8_t>(a));
            auto mix = [a](std::uint32_t fg, std::uint32_t bg) {
                return (fg * a + bg * (255 - a) + 127) / 255;
            };
            const Colour fg = 0x00FF8000 | (a ^ 0x55);
            ASSERT_EQ(all.Pixel(0, 0),
                      Rgb(mix(RedOf(fg), RedOf(base)), mix(GreenOf(fg), GreenOf(base)),
                          mix(BlueOf(fg), BlueOf(base))))
                << under << " " << a;
        }
    }
}

TEST(SurfaceTest, ABlendedRowIsItsPixelsBlendedOneByOne) {
    const std::uint8_t coverage[] = {255, 0, 128, 1, 254, 255, 64, 0, 200};
    for (const std::int32_t x : {-3, 0, 2, 6, 9, -12}) {
        for (const std::int32_t y : {-1, 0, 2}) {
            Surface rowWise = Numbered(9, 2);
            Surface pixelWise = rowWise;
            PixelLog rowLog;
            PixelLog pixelLog;
            rowLog.Reserve(20);
            pixelLog.Reserve(20);
            rowWise.RecordInto(&rowLog);
            rowWise.BlendRow(x, y, 0x3366FF, coverage, 9);
            pixelWise.RecordInto(&pixelLog);
            for (std::int32_t i = 0; i < 9; ++i) {
                pixelWise.BlendPixel(x + i, y, 0x3366FF, coverage[i]);
            }
            for (std::int32_t py = 0; py < 2; ++py) {
                for (std::int32_t px = 0; px < 9; ++px) {
                    ASSERT_EQ(rowWise.Pixel(px, py), pixelWise.Pixel(px, py)) << x << "," << y;
                }
            }
            EXPECT_EQ(rowLog.Size(), pixelLog.Size()) << x << "," << y;
        }
    }
}

TEST(SurfaceTest, FontAssignmentsThatFailLeaveTheFontAsItWas) {
    test::FakeFontEngine fonts;
    Surface s;
    EXPECT_TRUE(s.SetFontSize(14));
    EXPECT_TRUE(s.SetFontFace(fonts, "Fake Sans"));
    for (const double bad : {0.0, 0.99, 300.5, -3.0, std::nan("")}) {
        EXPECT_FALSE(s.SetFontSize(bad)) << bad;
    }
    EXPECT_TRUE(s.SetFontSize(300));
    EXPECT_TRUE(s.SetFontSize(1));
    EXPECT_FALSE(s.SetFontFace(fonts, "No Such Face"));
    EXPECT_EQ(s.Font().face, "Fake Sans");
    EXPECT_EQ(s.Font().points, 1);
    s.SetFontBold(true);
    s.SetFontStrikeOut(true);
    EXPECT_TRUE(s.Font().bold);
    EXPECT_FALSE(s.Font().italic);
    EXPECT_TRUE(s.Font().strikeOut);
}

TEST(SurfaceTest, TextIsDrawnTransparentlyAndMeasuredInTheSurfaceFont) {
    test::FakeFontEngine fonts;
    Surface s = Filled(20, 12, 0x101010);
    ASSERT_TRUE(s.SetFontSize(8));
    EXPECT_EQ(s.TextWidth(fonts, "7 %"), 12);
    EXPECT_EQ(s.TextHeight(fonts, "7 %"), 8);
    s.DrawText(fonts, 2, 1, "ab", kButtonFaceColour);
    EXPECT_EQ(fonts.colours[0], 0xC0C0C0u);  // the engine gets a plain colour
    EXPECT_EQ(Row(s, 1, 0, 12, 0xC0C0C0), "..###.###....");
    EXPECT_EQ(s.Pixel(5, 1), 0x101010u);  // between glyphs the surface shows through
    EXPECT_EQ(s.Pixel(2, 9), 0x101010u);  // below the line
}

// Lines, set pixels and blends, some over each other: what the tests of records draw.
void DrawSample(Surface& s) {
    s.SetPen(PenStyle::Dot);
    s.DrawLine(0, 1, 9, 1, 0x0000FF);
    s.SetPen(PenStyle::Solid);
    s.DrawLine(8, 0, 3, 5, 0x00FF00);  // crosses the dotted line at (7, 1)
    s.SetPixel(2, 2, 0xFF0000);
    s.BlendPixel(2, 2, 0x808080, 100);  // over the pixel just set
    s.BlendPixel(5, 4, 0xFFFFFF, 200);
    s.BlendPixel(6, 4, 0xFFFFFF, 0);  // no pixel at all
    s.SetPixel(-1, 3, 0xFFFFFF);      // outside: nothing
}

// The sample drawn on a 10 x 6 picture, recorded into `log`.
void RecordSample(PixelLog& log) {
    log.Reserve(100);
    Surface first = Numbered(10, 6);
    first.RecordInto(&log);
    DrawSample(first);
    first.RecordInto(nullptr);
    first.DrawLine(0, 5, 9, 5, 0x123456);  // not recorded
}

// Another frame: other content under the sample.
Surface OtherFrame() {
    Surface s = Filled(10, 6, 0x204060);
    s.BitBlt(0, 0, 5, 6, Numbered(10, 6), 0, 0, RasterOp::SrcCopy);
    return s;
}

TEST(SurfaceTest, ARecordedDrawingReplaysExactlyOnAnotherFrame) {
    // Laid on a frame with other content: the same as drawing there, blends mixed with what lies
    // under them now.
    PixelLog log;
    RecordSample(log);
    EXPECT_TRUE(log.Complete());
    EXPECT_EQ(log.Size(), 6u + 5u + 1u + 1u + 1u);
    Surface drawn = OtherFrame();
    DrawSample(drawn);
    Surface replayed = OtherFrame();
    replayed.Replay(log, 0, log.Size());
    EXPECT_TRUE(SameAs(replayed, drawn));

    // Laid beneath an exclusive or made already: as if laid before it.
    const Surface graph = Numbered(10, 6);
    Surface before = OtherFrame();
    before.Replay(log, 0, log.Size());
    before.BitBlt(0, 0, 10, 6, graph, 0, 0, RasterOp::SrcInvert);
    Surface beneath = OtherFrame();
    beneath.BitBlt(0, 0, 10, 6, graph, 0, 0, RasterOp::SrcInvert);
    beneath.ReplayUnder(log, 0, log.Size(), graph);
    EXPECT_TRUE(SameAs(beneath, before));

    // A part of the record: the dotted line alone.
    Surface part = Filled(10, 6, 0);
    part.Replay(log, 0, 6);
    EXPECT_EQ(Row(part, 1, 0, 9, 0x0000FF), "###...###.");
    EXPECT_EQ(part.Pixel(2, 2), 0u);
}

TEST(SurfaceTest, ASettledRecordIsShorterAndLaysTheSamePixels) {
    // The pixel set and then blended at (2, 2) and the crossing of the two lines become one entry
    // each; the lone blend stays as it is.
    PixelLog log;
    RecordSample(log);
    PixelLog settled;
    settled.Reserve(100);
    Surface picture = Numbered(10, 6);
    picture.RecordInto(&settled);
    DrawSample(picture);
    picture.RecordInto(nullptr);
    const Surface drawn = picture;
    picture.Settle(settled);
    EXPECT_EQ(settled.Size(), log.Size() - 2);
    EXPECT_TRUE(SameAs(picture, drawn));  // the picture itself as it was, marks and all gone

    Surface fromLog = OtherFrame();
    fromLog.Replay(log, 0, log.Size());
    Surface fromSettled = OtherFrame();
    fromSettled.Replay(settled, 0, settled.Size());
    EXPECT_TRUE(SameAs(fromSettled, fromLog));
}

TEST(SurfaceTest, ARecordWithoutRoomIsIncomplete) {
    // A drawing larger than the room reserved leaves the record incomplete; Clear starts over.
    PixelLog small;
    small.Reserve(3);
    Surface s(10, 2);
    s.RecordInto(&small);
    s.DrawLine(0, 0, 10, 0, 0xFFFFFF);
    s.RecordInto(nullptr);
    EXPECT_EQ(Row(s, 0, 0, 9, 0xFFFFFF), "##########");  // drawn all the same
    EXPECT_FALSE(small.Complete());
    EXPECT_LE(small.Size(), 3u);
    small.Clear();
    EXPECT_TRUE(small.Complete());
    EXPECT_EQ(small.Size(), 0u);
}

TEST(ImageLimitsTest, PicturesLargerThanTheLimitsAreRefused) {
    EXPECT_TRUE(ImageSizeAllowed(1, 1));
    EXPECT_TRUE(ImageSizeAllowed(16384, 4096));
    EXPECT_TRUE(ImageSizeAllowed(8192, 8192));
    EXPECT_FALSE(ImageSizeAllowed(16385, 1));
    EXPECT_FALSE(ImageSizeAllowed(1, 16385));
    EXPECT_FALSE(ImageSizeAllowed(16384, 4097));  // just over 64 Mi pixels
    EXPECT_FALSE(ImageSizeAllowed(0, 10));
    EXPECT_FALSE(ImageSizeAllowed(10, -1));
}

}  // namespace
}  // namespace moravel
