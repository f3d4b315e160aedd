#include "qt/QtFontEngine.h"

#include <gtest/gtest.h>

#include <QFontInfo>

namespace moravel {
namespace {

constexpr Colour kRed = 0x0000FF;

FontSpec Gothic(double points) {
    FontSpec font;
    font.face = "ＭＳ ゴシック";
    font.points = points;
    return font;
}

TEST(QtFontEngineTest, JapaneseWindowsFacesFallBackToTheirIpaStandIns) {
    QtFontEngine engine(96);
    EXPECT_TRUE(engine.HasFace(""));
    EXPECT_TRUE(engine.HasFace("ＭＳ ゴシック"));
    EXPECT_TRUE(engine.HasFace("ＭＳ Ｐゴシック"));
    EXPECT_TRUE(engine.HasFace("IPAGothic"));
    EXPECT_FALSE(engine.HasFace("No Such Face Anywhere"));
    EXPECT_EQ(StandInFamily("No Such Face Anywhere"), QString());

    EXPECT_EQ(QFontInfo(engine.ToQFont(Gothic(14))).family(), QStringLiteral("IPAGothic"));
    FontSpec proportional = Gothic(14);
    proportional.face = "ＭＳ Ｐゴシック";
    EXPECT_EQ(QFontInfo(engine.ToQFont(proportional)).family(), QStringLiteral("IPAPGothic"));
}

TEST(QtFontEngineTest, PointsBecomePixelsByTheLogicalDpi) {
    QtFontEngine at96(96);
    QtFontEngine at120(120);
    EXPECT_EQ(at96.ToQFont(Gothic(14)).pixelSize(), 19);  // 18.67
    EXPECT_EQ(at96.ToQFont(Gothic(9)).pixelSize(), 12);
    EXPECT_EQ(at120.ToQFont(Gothic(9)).pixelSize(), 15);
    EXPECT_EQ(at96.ToQFont(Gothic(1)).pixelSize(), 1);

    FontSpec styled = Gothic(12);
    styled.bold = styled.italic = styled.underline = styled.strikeOut = true;
    const QFont font = at96.ToQFont(styled);
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.italic());
    EXPECT_TRUE(font.underline());
    EXPECT_TRUE(font.strikeOut());
}

TEST(QtFontEngineTest, MeasuresGrowWithTextAndSize) {
    QtFontEngine engine(96);
    const TextSize one = engine.Measure(Gothic(14), "8");
    const TextSize four = engine.Measure(Gothic(14), "88 %");
    const TextSize big = engine.Measure(Gothic(28), "8");
    EXPECT_GT(one.width, 0);
    EXPECT_GT(one.height, 0);
    // A monospaced face: "88 %" is four cells of the same width as "8".
    EXPECT_NEAR(four.width, 4 * one.width, 0.5);
    EXPECT_EQ(four.height, one.height);
    EXPECT_GT(big.width, one.width * 1.8);
    EXPECT_GT(big.height, one.height * 1.8);
    // Full-width characters are two cells wide.
    EXPECT_NEAR(engine.Measure(Gothic(14), "負").width, 2 * one.width, 0.5);

    const TextSize none = engine.Measure(Gothic(0.5), "8");
    EXPECT_EQ(none.width, 0);
    EXPECT_EQ(none.height, 0);
    EXPECT_EQ(engine.Measure(Gothic(301), "8").width, 0);
}

TEST(QtFontEngineTest, GlyphsAreDrawnInTheColourInsideTheTextBoxOnly) {
    QtFontEngine engine(96);
    Surface surface(60, 40);
    surface.Clear();
    const TextSize size = engine.Measure(Gothic(14), "88");
    engine.Draw(surface, Gothic(14), 10, 8, "88", kRed);

    int full = 0;
    int touched = 0;
    for (int y = 0; y < surface.Height(); ++y) {
        for (int x = 0; x < surface.Width(); ++x) {
            const Colour c = surface.Pixel(x, y);
            if (c == 0) {
                continue;
            }
            ++touched;
            // Only red mixed into black: green and blue stay 0.
            EXPECT_EQ(c & 0xFFFF00u, 0u) << x << "," << y;
            EXPECT_GE(x, 10);
            EXPECT_LT(x, 10 + size.width + 1);
            EXPECT_GE(y, 8);
            EXPECT_LT(y, 8 + size.height);
            if (c == kRed) {
                ++full;
            }
        }
    }
    EXPECT_GT(touched, 20);
    EXPECT_GT(full, 5);
}

TEST(QtFontEngineTest, DrawingIsClippedAndTransparent) {
    QtFontEngine engine(96);
    Surface surface(12, 10);
    surface.SetBackColor(0x00FF0000);
    surface.Clear();
    // Half outside on every side: no crash, and the blue background shows between the glyphs.
    engine.Draw(surface, Gothic(20), -6, -8, "88", kRed);
    engine.Draw(surface, Gothic(20), 6, 4, "88", kRed);
    int blue = 0;
    int reddish = 0;
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 12; ++x) {
            const Colour c = surface.Pixel(x, y);
            blue += c == 0xFF0000u;
            reddish += RedOf(c) > 0;
        }
    }
    EXPECT_GT(blue, 0);
    EXPECT_GT(reddish, 0);

    // Nothing is drawn for a size outside 1..300 points or for empty text.
    Surface untouched(20, 20);
    untouched.Clear();
    engine.Draw(untouched, Gothic(400), 0, 0, "8", kRed);
    engine.Draw(untouched, Gothic(14), 0, 0, "", kRed);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            EXPECT_EQ(untouched.Pixel(x, y), 0u);
        }
    }
}

// Count of pixels of exactly `colour`.
int CountPixels(const Surface& surface, Colour colour) {
    int count = 0;
    for (int y = 0; y < surface.Height(); ++y) {
        for (int x = 0; x < surface.Width(); ++x) {
            count += surface.Pixel(x, y) == colour;
        }
    }
    return count;
}

TEST(QtFontEngineTest, RepeatedDrawingsFollowTheTextFontAndColourOfEachCall) {
    // The engine keeps the glyphs of its last text; every call must still draw what it is asked.
    QtFontEngine engine(96);
    Surface a(80, 40);
    a.Clear();
    engine.Draw(a, Gothic(14), 0, 0, "8", kRed);
    engine.Draw(a, Gothic(14), 40, 0, "8", 0x00FF0000);
    EXPECT_EQ(CountPixels(a, kRed), CountPixels(a, 0x00FF0000));
    EXPECT_GT(CountPixels(a, kRed), 5);

    Surface small(80, 40);
    small.Clear();
    engine.Draw(small, Gothic(14), 0, 0, "1", kRed);
    Surface big(80, 40);
    big.Clear();
    engine.Draw(big, Gothic(28), 0, 0, "1", kRed);
    EXPECT_GT(CountPixels(big, kRed), 2 * CountPixels(small, kRed));

    Surface other(80, 40);
    other.Clear();
    engine.Draw(other, Gothic(28), 0, 0, "8", kRed);
    EXPECT_NE(CountPixels(other, kRed), CountPixels(big, kRed));
}

TEST(QtFontEngineTest, BrokenUtf8DrawsReplacementsWithoutReadingPastTheText) {
    QtFontEngine engine(96);
    const std::string broken = std::string("8\xE3\x81", 3);  // a cut three-byte sequence
    EXPECT_GT(engine.Measure(Gothic(14), broken).width, engine.Measure(Gothic(14), "8").width);
    EXPECT_GT(engine.Measure(Gothic(14), "\xF0\x9F\x98\x80").width, 0);  // outside the BMP
}

}  // namespace
}  // namespace moravel
