#include "win32/GdiFontEngine.h"

#include <gtest/gtest.h>

#include <string>

#include "support/AllocationCounter.h"

namespace moravel {
namespace {

constexpr Colour kRed = 0x0000FF;
constexpr const char* kGothic = "ＭＳ ゴシック";

FontSpec Face(const char* face, double points) {
    FontSpec font;
    font.face = face;
    font.points = points;
    return font;
}

FontSpec Gothic(double points) {
    return Face(kGothic, points);
}

// A face every machine has: the desktop's own.
FontSpec Default(double points) {
    return Face("", points);
}

int CountPixels(const Surface& surface, Colour colour) {
    int count = 0;
    for (int y = 0; y < surface.Height(); ++y) {
        for (int x = 0; x < surface.Width(); ++x) {
            count += surface.Pixel(x, y) == colour;
        }
    }
    return count;
}

bool SamePixels(const Surface& a, const Surface& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) {
        return false;
    }
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            if (a.Pixel(x, y) != b.Pixel(x, y)) {
                return false;
            }
        }
    }
    return true;
}

Surface Cleared(std::int32_t width, std::int32_t height, Colour back = 0) {
    Surface surface(width, height);
    surface.SetBackColor(back);
    surface.Clear();
    return surface;
}

TEST(GdiFontEngineTest, FontsAreAskedForByFaceEmHeightAndStyle) {
    GdiFontEngine at96(96);
    GdiFontEngine at120(120, TextQuality::Plain);
    EXPECT_EQ(at96.ToLogFont(Gothic(14)).lfHeight, -19);  // 18.67 pixels
    EXPECT_EQ(at96.ToLogFont(Gothic(9)).lfHeight, -12);
    EXPECT_EQ(at96.ToLogFont(Gothic(10.5)).lfHeight, -14);
    EXPECT_EQ(at96.ToLogFont(Gothic(1)).lfHeight, -1);
    EXPECT_EQ(at120.ToLogFont(Gothic(9)).lfHeight, -15);
    EXPECT_EQ(at96.ToLogFont(Gothic(9)).lfQuality, ANTIALIASED_QUALITY);
    EXPECT_EQ(at120.ToLogFont(Gothic(9)).lfQuality, NONANTIALIASED_QUALITY);
    EXPECT_STREQ(at96.ToLogFont(Gothic(9)).lfFaceName, L"ＭＳ ゴシック");
    EXPECT_NE(at96.ToLogFont(Default(9)).lfFaceName[0], L'\0');  // the desktop's message font

    FontSpec styled = Gothic(12);
    const LOGFONTW plain = at96.ToLogFont(styled);
    EXPECT_EQ(plain.lfWeight, FW_NORMAL);
    EXPECT_EQ(plain.lfItalic + plain.lfUnderline + plain.lfStrikeOut, 0);
    styled.bold = styled.italic = styled.underline = styled.strikeOut = true;
    const LOGFONTW all = at96.ToLogFont(styled);
    EXPECT_EQ(all.lfWeight, FW_BOLD);
    EXPECT_EQ(all.lfItalic, 1);
    EXPECT_EQ(all.lfUnderline, 1);
    EXPECT_EQ(all.lfStrikeOut, 1);
    EXPECT_EQ(all.lfCharSet, DEFAULT_CHARSET);
}

TEST(GdiFontEngineTest, FacesAreThoseGdiKnows) {
    GdiFontEngine engine(96);
    EXPECT_TRUE(engine.HasFace(""));
    EXPECT_FALSE(engine.HasFace("No Such Face Anywhere"));
    EXPECT_FALSE(engine.HasFace("A face name far too long for the system's face field"));
}

// The themes' face. Where it is missing (a Wine prefix made without scripts/cross.sh, which maps
// it to IPAGothic) there is nothing to measure it by.
TEST(GdiFontEngineTest, TheThemesGothicFaceIsMonospacedWithFullWidthCharactersTwoCellsWide) {
    GdiFontEngine engine(96);
    if (!engine.HasFace(kGothic)) {
        GTEST_SKIP() << "no font answers to " << kGothic << " here (see scripts/cross.sh)";
    }
    const TextSize one = engine.Measure(Gothic(14), "8");
    EXPECT_EQ(engine.SelectedFace(), kGothic);
    EXPECT_EQ(engine.Measure(Gothic(14), "88 %").width, 4 * one.width);
    EXPECT_EQ(engine.Measure(Gothic(14), "負").width, 2 * one.width);
    EXPECT_GE(one.height, 19);
}

TEST(GdiFontEngineTest, MeasuresGrowWithTextAndSizeWithinTheAllowedSizes) {
    GdiFontEngine engine(96);
    const TextSize one = engine.Measure(Default(14), "8");
    const TextSize two = engine.Measure(Default(14), "88");
    const TextSize big = engine.Measure(Default(28), "8");
    EXPECT_GT(one.width, 0);
    EXPECT_GT(one.height, 0);
    EXPECT_EQ(two.width, 2 * one.width);  // digits share one advance, and nothing is kerned
    EXPECT_EQ(two.height, one.height);
    EXPECT_GT(big.width, one.width * 1.8);
    EXPECT_GT(big.height, one.height * 1.8);
    const TextSize empty = engine.Measure(Default(14), "");
    EXPECT_EQ(empty.width, 0);
    EXPECT_EQ(empty.height, one.height);

    for (double points : {0.5, 0.0, -3.0, 301.0, 1e9}) {
        const TextSize none = engine.Measure(Default(points), "8");
        EXPECT_EQ(none.width, 0) << points;
        EXPECT_EQ(none.height, 0) << points;
    }
    EXPECT_GT(engine.Measure(Default(1), "8").height, 0);
    EXPECT_GT(engine.Measure(Default(300), "8").height, 300);
}

TEST(GdiFontEngineTest, GlyphsAreDrawnInTheColourInsideTheTextBoxOnly) {
    GdiFontEngine engine(96);
    Surface surface = Cleared(60, 40);
    const TextSize size = engine.Measure(Default(14), "88");
    engine.Draw(surface, Default(14), 10, 8, "88", kRed);

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
            full += c == kRed;
        }
    }
    EXPECT_GT(touched, 20);
    EXPECT_GT(full, 5);
}

TEST(GdiFontEngineTest, DrawingIsClippedAndTransparent) {
    GdiFontEngine engine(96);
    Surface surface = Cleared(12, 10, 0x00FF0000);
    // Half outside on every side: no crash, and the blue background shows between the glyphs.
    engine.Draw(surface, Default(20), -6, -8, "88", kRed);
    engine.Draw(surface, Default(20), 6, 4, "88", kRed);
    EXPECT_GT(CountPixels(surface, 0xFF0000u), 0);
    EXPECT_GT(CountPixels(surface, kRed), 0);

    // Entirely outside, a size outside 1..300 points, or no text: nothing at all.
    Surface untouched = Cleared(20, 20);
    engine.Draw(untouched, Default(14), -500, 0, "888", kRed);
    engine.Draw(untouched, Default(14), 0, 40, "888", kRed);
    engine.Draw(untouched, Default(14), 2147483000, 2147483000, "888", kRed);
    engine.Draw(untouched, Default(400), 0, 0, "8", kRed);
    engine.Draw(untouched, Default(0.5), 0, 0, "8", kRed);
    engine.Draw(untouched, Default(14), 0, 0, "", kRed);
    EXPECT_EQ(CountPixels(untouched, 0), 400);
}

TEST(GdiFontEngineTest, PlainQualityDrawsWholePixelsAndAntialiasingMixesEdges) {
    GdiFontEngine plain(96, TextQuality::Plain);
    GdiFontEngine smooth(96, TextQuality::Antialiased);
    Surface a = Cleared(80, 50);
    Surface b = Cleared(80, 50);
    plain.Draw(a, Default(24), 4, 4, "8%", kRed);
    smooth.Draw(b, Default(24), 4, 4, "8%", kRed);
    const int plainFull = CountPixels(a, kRed);
    EXPECT_GT(plainFull, 30);
    EXPECT_EQ(plainFull + CountPixels(a, 0), 80 * 50);  // nothing half-covered
    const int smoothFull = CountPixels(b, kRed);
    EXPECT_GT(smoothFull, 0);
    EXPECT_GT(80 * 50 - smoothFull - CountPixels(b, 0), 10);  // mixed edge pixels
}

TEST(GdiFontEngineTest, StylesChangeTheGlyphs) {
    GdiFontEngine engine(96, TextQuality::Plain);
    FontSpec font = Default(16);
    Surface plain = Cleared(40, 30);
    engine.Draw(plain, font, 2, 2, "8", kRed);
    const int base = CountPixels(plain, kRed);
    for (int style = 0; style < 3; ++style) {
        FontSpec styled = font;
        styled.bold = style == 0;
        styled.underline = style == 1;
        styled.strikeOut = style == 2;
        Surface surface = Cleared(40, 30);
        engine.Draw(surface, styled, 2, 2, "8", kRed);
        EXPECT_GT(CountPixels(surface, kRed), base) << style;
    }
}

TEST(GdiFontEngineTest, RepeatedDrawingsFollowTheTextFontColourAndPlaceOfEachCall) {
    // The engine keeps the text it rendered last; every call must still draw what it is asked.
    GdiFontEngine kept(96);
    Surface scratch = Cleared(80, 40);
    kept.Draw(scratch, Default(14), 5, 5, "12 %", kRed);

    const struct {
        const char* text;
        double points;
        std::int32_t x;
        std::int32_t y;
        Colour colour;
    } calls[] = {
        {"34 %", 14, 5, 5, kRed},     {"34 %", 14, 5, 5, 0x00FF00},  {"34 %", 14, 6, 5, 0x00FF00},
        {"34 %", 14, -3, 5, kRed},    {"34 %", 14, 70, 30, kRed},    {"34 %", 16, 70, 30, kRed},
        {"34 %", 16, 5, 5, 0xFFFFFF}, {"100 %", 16, 5, 5, 0xFFFFFF},
    };
    for (const auto& call : calls) {
        SCOPED_TRACE(testing::Message()
                     << call.text << " " << call.points << " at " << call.x << "," << call.y);
        Surface withKept = Cleared(80, 40);
        Surface withFresh = Cleared(80, 40);
        kept.Draw(withKept, Default(call.points), call.x, call.y, call.text, call.colour);
        GdiFontEngine fresh(96);
        fresh.Draw(withFresh, Default(call.points), call.x, call.y, call.text, call.colour);
        EXPECT_GT(CountPixels(withFresh, call.colour), 0);
        EXPECT_TRUE(SamePixels(withKept, withFresh));
    }
}

TEST(GdiFontEngineTest, AFrameOfTextAllocatesNothingOnceTheEngineHasSeenIt) {
    GdiFontEngine engine(96);
    Surface surface = Cleared(100, 50);
    const FontSpec font = Default(14);
    // The edged look: the text four times around its place, then once on top.
    auto frame = [&](const char* text) {
        engine.Measure(font, text);
        for (auto [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}, {0, 0}}) {
            engine.Draw(surface, font, 20 + dx, 10 + dy, text, dx == 0 && dy == 0 ? kRed : 0);
        }
    };
    frame("CPU 100 %");
    const std::size_t before = test::AllocationCount();
    frame("CPU 42 %");
    frame("CPU 100 %");
    frame("CPU 7 %");
    EXPECT_EQ(test::AllocationCount(), before);
}

TEST(GdiFontEngineTest, DrawingInChangingFontsKeepsTheGdiObjectCountFlat) {
    const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (before == 0) {
        GTEST_SKIP() << "the system does not count GDI objects";
    }
    {
        GdiFontEngine engine(96);
        Surface surface(60, 30);
        for (int i = 0; i < 500; ++i) {
            FontSpec font;
            font.points = 8 + i % 20;
            font.bold = i % 3 == 0;
            engine.Draw(surface, font, i % 40, 2, std::to_string(i), 0xFFFFFF);
        }
        EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), before + 4);
    }
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), before);
}

}  // namespace
}  // namespace moravel
