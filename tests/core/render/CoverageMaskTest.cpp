#include "core/render/CoverageMask.h"

#include <gtest/gtest.h>

#include "core/render/Surface.h"
#include "support/MaskPicture.h"

namespace moravel {
namespace {

struct Line {
    std::int32_t x1, y1, x2, y2;
};

TEST(CoverageMaskTest, ALineCoversExactlyThePixelsASolidPenDraws) {
    // Steep, shallow, reversed, along the axes, from and past the edges, a point, huge spans.
    for (const Line l :
         {Line{0, 0, 9, 6}, Line{9, 6, 0, 0}, Line{2, 7, 3, 0}, Line{-4, 3, 14, 5},
          Line{5, -3, 5, 20}, Line{0, 4, 10, 4}, Line{8, 8, -5, -2}, Line{3, 3, 3, 3},
          Line{-1000000, 2, 1000000, 5}, Line{1, -2147483647, 6, 2147483647}}) {
        CoverageMask mask(10, 8);
        mask.CoverLine(l.x1, l.y1, l.x2, l.y2);
        Surface drawn(10, 8);
        drawn.SetBackColor(0xFFFFFF);
        drawn.Clear();
        drawn.DrawLine(l.x1, l.y1, l.x2, l.y2, 0x000000);
        for (std::int32_t y = 0; y < 8; ++y) {
            for (std::int32_t x = 0; x < 10; ++x) {
                ASSERT_EQ(mask.Covered(x, y), drawn.Pixel(x, y) == 0)
                    << l.x1 << "," << l.y1 << " -> " << l.x2 << "," << l.y2 << " at " << x << ","
                    << y;
            }
        }
    }
}

TEST(CoverageMaskTest, ScrollingMovesRowsLeftAndClearsTheNewColumns) {
    CoverageMask mask(6, 3);
    mask.CoverLine(0, 0, 6, 0);  // the whole top row
    mask.CoverLine(4, 1, 4, 3);  // column 4, rows 1 and 2
    mask.ScrollLeft(2);
    EXPECT_TRUE(mask.Covered(0, 0));
    EXPECT_TRUE(mask.Covered(3, 0));
    EXPECT_FALSE(mask.Covered(4, 0));
    EXPECT_FALSE(mask.Covered(5, 0));
    EXPECT_TRUE(mask.Covered(2, 1));
    EXPECT_TRUE(mask.Covered(2, 2));
    EXPECT_FALSE(mask.Covered(4, 1));
    mask.ScrollLeft(0);  // nothing
    EXPECT_TRUE(mask.Covered(2, 2));
    mask.ScrollLeft(100);  // more than the width: all clear
    for (std::int32_t x = 0; x < 6; ++x) {
        EXPECT_FALSE(mask.Covered(x, 0)) << x;
    }
    // Outside, and an empty mask, are never covered; they take every call.
    EXPECT_FALSE(mask.Covered(-1, 0));
    EXPECT_FALSE(mask.Covered(6, 0));
    CoverageMask empty(-3, 4);
    EXPECT_EQ(empty.Width(), 0);
    empty.ScrollLeft(1);
    empty.CoverLine(0, 0, 5, 5);
    empty.Clear();
    EXPECT_FALSE(empty.Covered(0, 0));
    EXPECT_EQ(empty.FirstCoveredRow(), 4);  // its height: nothing covered
    // The first covered row.
    CoverageMask mask2(5, 6);
    EXPECT_EQ(mask2.FirstCoveredRow(), 6);
    mask2.CoverLine(4, 3, 4, 6);
    mask2.CoverLine(0, 5, 5, 5);
    EXPECT_EQ(mask2.FirstCoveredRow(), 3);
}

TEST(CoverageMaskTest, CuttingOutIsTheAndOfTheMasksPicture) {
    CoverageMask mask(5, 4);
    mask.CoverLine(0, 3, 5, 0);
    mask.CoverLine(1, 0, 1, 4);
    Surface expected(6, 3);  // wider and lower than the mask
    expected.SetBackColor(0x123456);
    expected.Clear();
    Surface cut = expected;
    expected.BitBlt(0, 0, 6, 3, test::MaskPicture(mask), 0, 0, RasterOp::SrcAnd);
    cut.CutOut(mask);
    for (std::int32_t y = 0; y < 3; ++y) {
        for (std::int32_t x = 0; x < 6; ++x) {
            EXPECT_EQ(cut.Pixel(x, y), expected.Pixel(x, y)) << x << "," << y;
        }
    }
    EXPECT_EQ(cut.Pixel(1, 1), 0u);
    EXPECT_EQ(cut.Pixel(5, 1), 0x123456u);
}

}  // namespace
}  // namespace moravel
