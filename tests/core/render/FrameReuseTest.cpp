// Frames reuse their grid lines and text from the frame before; that must never show. Random runs
// of ticks, resizes, theme changes, system colour changes and hiding compare every frame with the
// frame composed from scratch out of the same layers: board, mask, graph layer, every line and the
// text drawn again.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "support/MaskPicture.h"
#include "support/RenderFixture.h"

namespace moravel::test {
namespace {

// Glyphs as the fake engine's blocks, but anti-aliased: each pixel blended with a coverage that
// runs through 0, 255 and the values between, so overlapping drawings mix with what lies under.
class BlendingFontEngine : public FakeFontEngine {
  public:
    void Draw(Surface& target, const FontSpec& font, std::int32_t x, std::int32_t y,
              std::string_view text, Colour colour) override {
        if (!FontSizeAllowed(font.points)) {
            return;
        }
        ++drawCalls;
        const auto cell = static_cast<std::int32_t>(font.points / 2);
        const auto rows = static_cast<std::int32_t>(font.points);
        const auto n = static_cast<std::int32_t>(CodePoints(text));
        for (std::int32_t row = -1; row <= rows; ++row) {  // a row of overhang above and below
            for (std::int32_t col = 0; col < n * cell; ++col) {
                const std::int32_t coverage = std::min((col * 97 + row * 31 + 300) % 300, 255);
                target.BlendPixel(x + col, y + row, colour, static_cast<std::uint8_t>(coverage));
            }
        }
    }
};

class FrameReuseTest : public RenderFixture {
  protected:
    FrameReuseTest() : subject(blending, images, {kFolder}, theme, settings) {
        blending.faces = fonts.faces;
        Surface strip(8, 50);
        for (std::int32_t y = 0; y < 50; ++y) {
            for (std::int32_t x = 0; x < 8; ++x) {
                strip.SetPixel(x, y, static_cast<Colour>(0x030201 * (y * 3 + x)));
            }
        }
        images.Add(ImagePath("Pattern.dat"), strip);
        images.Add(ImagePath("back.bmp"), Picture(23, 17, 0x402010));
        images.Add(ImagePath("tone.bmp"), Picture(5, 40, 0x104020));
    }

    std::int32_t Roll(std::int32_t below) {
        return std::uniform_int_distribution<std::int32_t>(0, below - 1)(random);
    }
    // A theme colour: mostly plain, now and then a system colour (some past the table).
    std::int32_t AnyColour() {
        if (Roll(6) == 0) {
            return static_cast<std::int32_t>(kSystemColourFlag | static_cast<Colour>(Roll(34)));
        }
        return Roll(0x1000000);
    }

    void RandomTheme() {
        theme = BareTheme();
        theme.BackType = static_cast<BackKind>(Roll(3));
        theme.BackColor = AnyColour();
        theme.BackNo = Roll(9);  // 8 is past the strip
        theme.BackName = Roll(8) == 0 ? "missing.bmp" : "back.bmp";
        theme.ForeType = static_cast<ForeKind>(Roll(4));
        theme.ForeEdge = Roll(2);
        theme.ForePosition = Roll(2);
        theme.ForeNo = Roll(8);
        theme.ForeName = "tone.bmp";
        theme.ForeColor1 = AnyColour();
        theme.ForeColor2 = AnyColour();
        theme.ForeColor3 = AnyColour();
        theme.GraphHType = static_cast<HGridLines>(Roll(5));  // 4 has no name
        theme.GraphHLineType = static_cast<LinePen>(Roll(3));
        theme.GraphHLineMode = static_cast<LineMode>(Roll(4));  // 3 has no name
        theme.GraphVType = static_cast<VGridLines>(Roll(5));
        theme.GraphVLineType = static_cast<LinePen>(Roll(3));
        theme.GraphVLineMode = static_cast<LineMode>(Roll(4));
        theme.GraphHColor1 = AnyColour();
        theme.GraphHColor2 = AnyColour();
        theme.GraphHColor3 = AnyColour();
        theme.GraphVColor1 = AnyColour();
        theme.GraphVColor2 = AnyColour();
        theme.GraphVColor3 = AnyColour();
        RandomText();
        const char* affixes[] = {"", " %", "CPU ", "負荷 "};
        theme.TextPrefix = affixes[Roll(4)];
        theme.TextSuffix = affixes[Roll(4)];
        theme.TextFont = {"Fake Sans", static_cast<double>(6 + Roll(14)), 0};
    }
    void RandomText() {
        theme.TextType = static_cast<TextKind>(Roll(4));  // 3 draws plain text
        theme.TextPosition = static_cast<TextPlace>(Roll(11) - 1);
        theme.TextColor1 = AnyColour();
        theme.TextColor2 = AnyColour();
        theme.TextColor3 = AnyColour();
    }

    // What ResetPicture does.
    void Rebuild() { subject.Rebuild(clientWidth, clientHeight); }

    // A run of `seed`: a history of `ringSize` samples, a shown window of some size, a random
    // theme, and its first frame.
    void StartRun(std::uint32_t seed, std::int32_t ringSize) {
        random.seed(seed);
        SetRing(ringSize, Roll(64));
        subject.SetHistory({ring.data(), static_cast<std::int32_t>(ring.size()), &pos});
        settings.State = WindowState::Shown;
        clientWidth = 60 + Roll(200);
        clientHeight = 10 + Roll(80);
        RandomTheme();
        Rebuild();
    }

    void Tick() {
        static constexpr std::int32_t kCounts[] = {0, 1, 1, 1, 1, 2, 3, 7, 300, 800};
        const std::int32_t count = kCounts[Roll(10)];
        for (std::int32_t i = 0; i < count; ++i) {
            // Often the same value again, so that the text stays as it was.
            if (Roll(6) == 0) {
                last = Roll(4) == 0 ? Roll(2) * 100 : Roll(101);
            }
            Push(last);
        }
    }

    // One thing that may happen between two frames.
    void Event() {
        const std::int32_t what = Roll(40);
        if (what < 2) {  // the window is resized
            clientWidth = 1 + Roll(260);
            clientHeight = 1 + Roll(90);
            subject.SetClientSize(clientWidth, clientHeight);
            subject.LayoutPictures();
            subject.GraphReady = false;
        } else if (what < 3) {  // resized, and the next frame finds it out
            clientWidth = 1 + Roll(260);
            clientHeight = 1 + Roll(90);
            subject.SetClientSize(clientWidth, clientHeight);
        } else if (what < 5) {  // another theme from the setup dialog
            RandomTheme();
            Rebuild();
        } else if (what < 6) {  // the desktop's colours change
            SystemColourTable table = ClassicSystemColours();
            for (Colour& c : table) {
                c = static_cast<Colour>(Roll(0x1000000));
            }
            SetSystemColours(table);
        } else if (what < 7) {  // hidden for a while, then shown again
            settings.State = WindowState::Hidden;
            Tick();
            subject.DrawGraph();
            settings.State = WindowState::Shown;
            Rebuild();
        } else if (what < 8) {  // the text's look changes under a current graph
            RandomText();
            subject.LoadThemePictures();
        } else if (what < 9) {  // so do the lines'
            theme.GraphHColor2 = AnyColour();
            theme.GraphVLineType = static_cast<LinePen>(Roll(3));
            theme.GraphHLineMode = static_cast<LineMode>(Roll(3));
            subject.LoadThemePictures();
        }
    }

    // The frame composed from the renderer's layers with nothing reused, as the frame is defined.
    Surface FromScratch() {
        Surface out = subject.picGraph;  // its size and font
        out.SetBackColor(0x5A5A5A);
        out.Clear();
        const std::int32_t w = out.Width();
        const std::int32_t h = out.Height();
        auto lines = [&](LineMode mode) {
            if (theme.GraphHLineMode == mode) {
                subject.DrawHLines(out);
            }
            if (theme.GraphVLineMode == mode) {
                subject.DrawVLines(out);
            }
        };
        if (subject.IsSimpleBack()) {
            out.BitBlt(0, 0, w, h, subject.picBack, 0, 0, RasterOp::SrcCopy);
            subject.DrawVLines(out);
            subject.DrawHLines(out);
        } else {
            subject.BuildBoard(out, false, false);
            lines(LineMode::UnderGraph);
            out.BitBlt(0, 0, w, h, test::MaskPicture(subject.picMask), 0, 0, RasterOp::SrcAnd);
            lines(LineMode::Merged);
            out.BitBlt(0, 0, w, h, subject.picBack, 0, 0, RasterOp::SrcInvert);
            lines(LineMode::OverGraph);
        }
        subject.DrawUsageText(
            out, ring[static_cast<std::size_t>((pos + static_cast<std::int32_t>(ring.size()) - 1) %
                                               static_cast<std::int32_t>(ring.size()))]);
        return out;
    }

    ~FrameReuseTest() override { SetSystemColours(ClassicSystemColours()); }

    BlendingFontEngine blending;
    Renderer subject;
    std::mt19937 random;
    std::int32_t clientWidth = 100;
    std::int32_t clientHeight = 50;
    std::int32_t last = 0;
};

TEST_F(FrameReuseTest, EveryFrameIsTheFrameDrawnFromScratch) {
    std::int32_t frames = 0;
    std::int32_t textReused = 0;
    for (const std::uint32_t seed : {1u, 2u, 3u, 4u, 5u, 6u}) {
        const std::int32_t sizes[] = {64, 130, 700};
        StartRun(seed, sizes[seed % 3]);
        for (std::int32_t step = 0; step < 400; ++step) {
            Event();
            Tick();
            const std::size_t drawsBefore = blending.drawCalls;
            subject.DrawGraph();
            if (!subject.GraphReady) {
                continue;  // nothing drawn: no height
            }
            ++frames;
            if (theme.TextType != TextKind::None && blending.drawCalls == drawsBefore) {
                ++textReused;
            }
            const Surface expected = FromScratch();
            ASSERT_TRUE(SamePixels(subject.picGraph, expected))
                << "seed " << seed << " step " << step << " size " << subject.picGraph.Width()
                << "x" << subject.picGraph.Height();
        }
    }
    // The runs did reuse the text, and often.
    EXPECT_GT(frames, 2000);
    EXPECT_GT(textReused, frames / 10);
}

TEST_F(FrameReuseTest, WhereTheMaskIsClearTheGraphLayerIsItsBackground) {
    // What lets a frame leave alone the rows above the graph's highest point, and scroll the layer
    // from there down only: nothing is drawn into the layer that the mask does not cover.
    std::int32_t checked = 0;
    for (const std::uint32_t seed : {21u, 22u, 23u, 24u, 25u}) {
        StartRun(seed, seed % 2 == 0 ? 130 : 700);
        for (std::int32_t step = 0; step < 200; ++step) {
            Event();
            Tick();
            subject.DrawGraph();
            const Surface& back = subject.picBack;
            if (!subject.GraphReady || IsSystemColour(back.BackColor())) {
                continue;
            }
            ++checked;
            const Colour background = back.BackColor();
            for (std::int32_t y = 0; y < back.Height(); ++y) {
                for (std::int32_t x = 0; x < back.Width(); ++x) {
                    if (!subject.picMask.Covered(x, y)) {
                        ASSERT_EQ(back.Pixel(x, y), background)
                            << "seed " << seed << " step " << step << " at " << x << "," << y;
                    }
                }
            }
        }
    }
    EXPECT_GT(checked, 500);
}

TEST_F(FrameReuseTest, AThemeAppliedAnewLooksAsInAFreshWindow) {
    // After many frames of one theme, a rebuild with another shows nothing of the old records: it
    // is the first frame of a renderer that never drew before.
    for (const std::uint32_t seed : {11u, 12u, 13u, 14u, 15u, 16u, 17u, 18u}) {
        random.seed(seed);
        SetRing(700, Roll(700));
        subject.SetHistory({ring.data(), 700, &pos});
        clientWidth = 70 + Roll(190);
        clientHeight = 10 + Roll(80);
        RandomTheme();
        Rebuild();
        for (std::int32_t step = 0; step < 30; ++step) {
            Tick();
            subject.DrawGraph();
        }
        RandomTheme();
        // A theme whose pictures all load: a failed one keeps the old font by design, and a
        // pattern past the strip keeps the old source's size.
        theme.BackName = "back.bmp";
        theme.BackNo = std::min(theme.BackNo, 7);
        Rebuild();
        BlendingFontEngine freshFonts;
        freshFonts.faces = fonts.faces;
        Renderer fresh(freshFonts, images, {kFolder}, theme, settings);
        fresh.SetHistory({ring.data(), 700, &pos});
        fresh.Rebuild(clientWidth, clientHeight);
        EXPECT_TRUE(SamePixels(subject.picGraph, fresh.picGraph)) << "seed " << seed;
    }
}

}  // namespace
}  // namespace moravel::test
