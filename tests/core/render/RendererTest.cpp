// The window graph: theme pictures, layers, board, grid lines, text and frame composition.
#include "core/render/Renderer.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/MaskPicture.h"
#include "support/RenderFixture.h"
#include "support/TempFolder.h"

namespace moravel::test {
namespace {

using RendererTest = RenderFixture;

// --- Theme pictures and layout ---

TEST_F(RendererTest, SimpleModeClearsTheGraphLayerToTheBackColour) {
    // Whether the theme of now is simple: the renderer draws the theme it loaded last.
    const auto simple = [this] {
        renderer.LoadThemePictures();
        return renderer.IsSimpleBack();
    };
    theme.BackColor = 0x402000;
    theme.GraphHType = HGridLines::Every10;
    theme.GraphHLineMode = LineMode::OverGraph;
    EXPECT_TRUE(simple());
    Reset(10, 8);
    EXPECT_EQ(renderer.picBack.BackColor(), 0x402000u);
    EXPECT_EQ(renderer.picIconBack.BackColor(), 0x402000u);

    // The same theme with the lines under the graph needs the board: a plain BackColor picture of
    // one pixel, laid over the whole board.
    theme.GraphHLineMode = LineMode::UnderGraph;
    EXPECT_FALSE(simple());
    EXPECT_EQ(renderer.picBack.BackColor(), kBlack);
    EXPECT_EQ(renderer.picReadBoard.Width(), 1);
    EXPECT_EQ(renderer.picReadBoard.Height(), 1);
    EXPECT_EQ(renderer.picReadBoard.Pixel(0, 0), 0x402000u);
    theme.GraphHType = HGridLines::At50;  // one line under the graph, in row 3
    theme.GraphHColor3 = 0x00FF00;
    renderer.LoadThemePictures();
    renderer.GraphReady = false;
    renderer.DrawGraph();
    EXPECT_EQ(renderer.picBoard.Pixel(0, 7), 0x402000u);
    EXPECT_EQ(renderer.picBoard.Pixel(9, 0), 0x402000u);
    EXPECT_EQ(renderer.picBoard.Pixel(5, 3), 0x00FF00u);

    theme.GraphHType = HGridLines::None;
    theme.GraphVType = VGridLines::Every5Minutes;
    theme.GraphVLineMode = LineMode::Merged;
    EXPECT_FALSE(simple());
    theme.GraphVLineMode = LineMode::OverGraph;
    EXPECT_TRUE(simple());
    theme.BackType = BackKind::Pattern;
    EXPECT_FALSE(simple());
}

TEST_F(RendererTest, IconWorkSurfaceFollowsTheIconStyle) {
    settings.IconGraphMode = TrayIconMode::Graph;
    renderer.LoadThemePictures();
    EXPECT_EQ(renderer.picIcon.Width(), 14);
    EXPECT_EQ(renderer.picIcon.Height(), 12);
    EXPECT_EQ(renderer.picIconMask.Width(), 14);
    EXPECT_EQ(renderer.picIconBoard.Height(), 12);
    settings.IconGraphMode = TrayIconMode::Meter2;
    renderer.LoadThemePictures();
    EXPECT_EQ(renderer.picIcon.Width(), 12);
    EXPECT_EQ(renderer.picIcon.Height(), 14);
    EXPECT_EQ(renderer.picIconBack.Height(), 14);
    settings.IconGraphMode = TrayIconMode::Off;  // keeps what it had
    renderer.LoadThemePictures();
    EXPECT_EQ(renderer.picIcon.Width(), 12);
    EXPECT_EQ(renderer.picIcon.Height(), 14);
}

TEST_F(RendererTest, LayoutFitsTheLayersToTheWindowAndTheToneToItsSource) {
    theme.ForeType = ForeKind::Image;
    theme.ForeName = "tone.bmp";
    images.Add(ImagePath("tone.bmp"), Picture(3, 20));
    renderer.LoadThemePictures();
    renderer.SetClientSize(52, 49);
    renderer.LayoutPictures();
    EXPECT_EQ(renderer.GraphOuterWidth(), 52);
    EXPECT_EQ(renderer.GraphOuterHeight(), 49);
    for (const Surface* s : {&renderer.picGraph, &renderer.picBack, &renderer.picBoard}) {
        EXPECT_EQ(s->Width(), 50);
        EXPECT_EQ(s->Height(), 47);
    }
    EXPECT_EQ(renderer.picMask.Width(), 50);
    EXPECT_EQ(renderer.picMask.Height(), 47);
    EXPECT_EQ(renderer.picTone.Width(), 3);
    EXPECT_EQ(renderer.picTone.Height(), 47);
    EXPECT_EQ(renderer.picIconTone.Width(), 3);
    EXPECT_EQ(renderer.picIconTone.Height(), 12);

    // A client area smaller than the border leaves an empty graph, and drawing it is harmless.
    renderer.SetClientSize(1, 1);
    renderer.LayoutPictures();
    EXPECT_EQ(renderer.picGraph.Width(), 0);
    Push({50, 60});
    renderer.DrawGraph();
    EXPECT_TRUE(renderer.GraphReady);
}

TEST_F(RendererTest, ToneColumnsRunRightToLeftThroughTheToneSource) {
    SetRing(8);
    theme.ForeType = ForeKind::Image;
    theme.ForeName = "tone.bmp";
    images.Add(ImagePath("tone.bmp"), Picture(3, 5));
    renderer.LoadThemePictures();
    EXPECT_EQ(renderer.ToneColumn, (std::vector<std::int32_t>{2, 1, 0, 2, 1, 0, 2, 1}));

    // A pattern is one column wide.
    theme.ForeType = ForeKind::Pattern;
    theme.ForeNo = 1;
    images.Add(ImagePath("Pattern.dat"), Picture(4, 16));
    renderer.LoadThemePictures();
    EXPECT_EQ(renderer.picReadTone.Width(), 1);
    EXPECT_EQ(renderer.ToneColumn, std::vector<std::int32_t>(8, 0));

    // A source without width has no columns; the table stays usable.
    renderer.picReadTone.Resize(0, 5);
    renderer.ToneColumn.assign(8, 7);
    renderer.ResetToneColumns();
    EXPECT_EQ(renderer.ToneColumn, std::vector<std::int32_t>(8, 0));
}

TEST_F(RendererTest, CutPatternTakesOneColumnOfTheStrip) {
    const Surface strip = Picture(4, 16);
    images.Add(ImagePath("Pattern.dat"), strip);
    renderer.CutPattern(renderer.picReadTone, 3);
    ASSERT_EQ(renderer.picReadTone.Width(), 1);
    ASSERT_EQ(renderer.picReadTone.Height(), 16);
    EXPECT_EQ(renderer.picReadTone.Pixel(0, 0), strip.Pixel(3, 0));
    EXPECT_EQ(renderer.picReadTone.Pixel(0, 15), strip.Pixel(3, 15));
    EXPECT_EQ(renderer.picPattern.Width(), 1);  // the strip is dropped again
}

TEST_F(RendererTest, PatternNumbersOutsideTheStripLeaveABlankSourceOfTheSameSize) {
    images.Add(ImagePath("Pattern.dat"), Picture(4, 16));
    renderer.picReadTone.SetBackColor(0x334455);
    renderer.picReadTone.Resize(1, 16);
    renderer.picReadTone.SetPixel(0, 3, 0x999999);
    for (const std::int32_t number : {4, -1, 1000}) {
        renderer.CutPattern(renderer.picReadTone, number);
        EXPECT_EQ(renderer.picReadTone.Width(), 1) << number;
        EXPECT_EQ(renderer.picReadTone.Height(), 16) << number;
        EXPECT_EQ(renderer.picReadTone.Pixel(0, 3), 0x334455u) << number;
    }
    // No strip at all: the same, and no message, no fallback.
    FakeImageLoader none;
    Renderer bare(fonts, none, {kFolder}, theme, settings);
    theme.ForeType = ForeKind::Pattern;
    theme.ForeNo = 0;
    bare.LoadThemePictures();
    EXPECT_FALSE(bare.UsesFallbackTheme());
    EXPECT_EQ(bare.DrawnTheme().ForeType, ForeKind::Pattern);
    EXPECT_EQ(bare.picReadTone.Width(), 1);
}

TEST_F(RendererTest, AnImageThatCannotBeLoadedFallsBackToAGreenLineOnBlack) {
    theme.TextFont = {"Fake Sans", 20, kFontBold};
    renderer.LoadThemePictures();
    ASSERT_EQ(renderer.picGraph.Font().points, 20);

    const ThemeRecord good = theme;
    struct Case {
        const char* what;
        void (*spoil)(ThemeRecord&);
    };
    images.Refuse(ImagePath("broken.gif"), ImageLoadStatus::Unreadable);
    images.Add(ImagePath("huge.bmp"), Surface(16385, 1));
    const Case cases[] = {
        {"empty BackName", [](ThemeRecord& t) { t.BackType = BackKind::Image; }},
        {"missing BackName",
         [](ThemeRecord& t) { t.BackType = BackKind::Image, t.BackName = "gone.bmp"; }},
        {"broken ForeName",
         [](ThemeRecord& t) { t.ForeType = ForeKind::Image, t.ForeName = "broken.gif"; }},
        {"oversized ForeName",
         [](ThemeRecord& t) { t.ForeType = ForeKind::Image, t.ForeName = "huge.bmp"; }},
    };
    for (const Case& c : cases) {
        theme = good;
        c.spoil(theme);
        theme.TextFont = {"ＭＳ ゴシック", 9, 0};
        theme.BackColor = 0x0000FF;
        const ThemeRecord given = theme;
        renderer.LoadThemePictures();
        EXPECT_TRUE(renderer.UsesFallbackTheme()) << c.what;
        EXPECT_EQ(theme, given) << c.what;  // reported, not written into the caller's theme
        const ThemeRecord& drawn = renderer.DrawnTheme();
        EXPECT_EQ(drawn.ForeType, ForeKind::Line) << c.what;
        EXPECT_EQ(drawn.ForeEdge, 0) << c.what;
        EXPECT_EQ(drawn.ForeColor1, 0x00FF00) << c.what;
        EXPECT_EQ(drawn.ForeColor2, 0x00FF00) << c.what;
        EXPECT_EQ(drawn.ForeColor3, 0x00FF00) << c.what;
        EXPECT_EQ(drawn.BackType, BackKind::Plain) << c.what;
        EXPECT_EQ(drawn.BackColor, 0) << c.what;
        // The font is not touched.
        EXPECT_EQ(renderer.picGraph.Font().points, 20) << c.what;
        EXPECT_EQ(renderer.picGraph.Font().face, "Fake Sans") << c.what;
        EXPECT_TRUE(renderer.picGraph.Font().bold) << c.what;
    }

    // The frame is a green line on black.
    theme = good;
    theme.ForeType = ForeKind::Image;
    Reset(10, 20);
    Push({0, 100});
    renderer.DrawGraph();
    EXPECT_EQ(renderer.picGraph.Pixel(9, 0), 0x00FF00u);
    EXPECT_EQ(renderer.picGraph.Pixel(8, 19), 0x00FF00u);
    EXPECT_EQ(renderer.picGraph.Pixel(5, 10), kBlack);

    // The next load tries the theme again: one whose pictures load is drawn as it is.
    theme = good;
    renderer.LoadThemePictures();
    EXPECT_FALSE(renderer.UsesFallbackTheme());
    EXPECT_EQ(renderer.DrawnTheme(), good);
}

TEST_F(RendererTest, AChangedThemeIsDrawnFromItsNextLoadOn) {
    theme.TextType = TextKind::Shown;  // top left: rows 2..13 from x = 4
    Reset(40, 20);
    Push({30, 60});
    renderer.DrawGraph();
    const Surface before = renderer.picGraph;

    // Another look in the record, and a frame drawn in full: still the theme that was loaded.
    theme.ForeColor3 = 0x0000CC;
    theme.BackColor = 0x303030;
    theme.TextPrefix = "CPU ";
    theme.GraphHType = HGridLines::Every10;
    renderer.GraphReady = false;
    renderer.DrawGraph();
    EXPECT_TRUE(SamePixels(before, renderer.picGraph));
    EXPECT_EQ(renderer.UsageText(60), "60 %");

    renderer.LoadThemePictures();
    renderer.GraphReady = false;
    renderer.DrawGraph();
    EXPECT_EQ(renderer.DrawnTheme(), theme);
    EXPECT_EQ(renderer.UsageText(60), "CPU 60 %");
    EXPECT_EQ(renderer.picGraph.Pixel(39, 19), 0x0000CCu);
    EXPECT_EQ(renderer.picGraph.Pixel(0, 0), 0x303030u);
}

TEST_F(RendererTest, PicturesComeFromTheFirstFolderThatHoldsThemElseTheLast) {
    // The user's Themes folder, then the shipped one. Both hold a picture and a strip; the user's
    // also holds a file of each name in its turn, and wins.
    TempFolder folder;
    const std::string own = folder.File("own");
    const std::string shipped = folder.File("shipped");
    FakeImageLoader found;
    const auto add = [&found](const std::string& path, Colour colour) {
        Surface s(3, 8);
        s.SetBackColor(colour);
        s.Clear();
        found.Add(path, s);
    };
    for (const char* name : {"pic.bmp", "Pattern.dat"}) {
        add(JoinPath(own, name), 0x0000AA);
        add(JoinPath(shipped, name), 0x00BB00);
    }
    theme.BackType = BackKind::Pattern;
    theme.BackNo = 1;
    theme.ForeType = ForeKind::Image;
    theme.ForeName = "pic.bmp";
    Renderer searching(fonts, found, {own, shipped}, theme, settings);
    struct Case {
        const char* ownFile;  // the one file of the user's folder
        Colour tone;          // picReadTone: the picture
        Colour board;         // picReadBoard: a column of the strip
    };
    for (const Case c : {Case{nullptr, 0x00BB00, 0x00BB00}, Case{"pic.bmp", 0x0000AA, 0x00BB00},
                         Case{"Pattern.dat", 0x00BB00, 0x0000AA}}) {
        std::filesystem::remove_all(own);
        if (c.ownFile != nullptr) {
            WriteBytes(JoinPath(own, c.ownFile), "BM");
        }
        searching.LoadThemePictures();
        const std::string what = c.ownFile == nullptr ? "none" : c.ownFile;
        EXPECT_FALSE(searching.UsesFallbackTheme()) << what;
        EXPECT_EQ(searching.picReadTone.Pixel(1, 5), c.tone) << what;
        EXPECT_EQ(searching.picReadBoard.Pixel(0, 5), c.board) << what;
    }
}

TEST_F(RendererTest, TheFallbackLeavesNothingOfThePreviousThemeBehind) {
    // A blue image background with lines under the graph, then a theme whose tone image is
    // missing: the fallback is black, not the old image nor the blue.
    theme.BackType = BackKind::Image;
    theme.BackName = "blue.bmp";
    theme.GraphHType = HGridLines::At50;
    theme.GraphHLineMode = LineMode::UnderGraph;
    Surface blue(4, 4);
    blue.SetBackColor(0xFF0000);
    blue.Clear();
    images.Add(ImagePath("blue.bmp"), blue);
    Reset(10, 20);
    renderer.DrawGraph();
    ASSERT_EQ(renderer.picGraph.Pixel(2, 2), 0xFF0000u);

    theme.ForeType = ForeKind::Image;
    theme.ForeName = "missing.bmp";
    Reset(10, 20);
    renderer.DrawGraph();
    EXPECT_EQ(renderer.picGraph.Pixel(2, 2), kBlack);

    // And a simple theme with a coloured background loses its colour too.
    theme = BareTheme();
    theme.BackColor = 0xFF0000;
    Reset(10, 20);
    ASSERT_EQ(renderer.picBack.BackColor(), 0xFF0000u);
    theme.ForeType = ForeKind::Image;
    theme.ForeName = "missing.bmp";
    Reset(10, 20);
    renderer.DrawGraph();
    EXPECT_EQ(renderer.picGraph.Pixel(2, 2), kBlack);
}

TEST_F(RendererTest, FontAssignmentsFailOneByOne) {
    theme.TextFont = {"Fake Sans", 14, kFontItalic | kFontUnderline};
    renderer.LoadThemePictures();
    theme.TextFont = {"No Such Face", 400, kFontBold};
    renderer.LoadThemePictures();
    const FontSpec& font = renderer.picGraph.Font();
    EXPECT_EQ(font.face, "Fake Sans");
    EXPECT_EQ(font.points, 14);
    EXPECT_TRUE(font.bold);
    EXPECT_FALSE(font.italic);
    EXPECT_FALSE(font.underline);
    theme.TextFont = {"ＭＳ ゴシック", 0.5, 0};
    renderer.LoadThemePictures();
    EXPECT_EQ(font.face, "ＭＳ ゴシック");
    EXPECT_EQ(font.points, 14);
}

// --- The whole rebuild ---

TEST_F(RendererTest, RebuildShowsTheThemeAndSizeOfNowAtOnce) {
    Push({50, 100});
    renderer.Rebuild(12, 22);
    ASSERT_EQ(renderer.picGraph.Width(), 10);
    ASSERT_EQ(renderer.picGraph.Height(), 20);
    EXPECT_EQ(Rows(renderer.picGraph, 9, 0x00AA00), "0..19");
    EXPECT_EQ(Rows(renderer.picGraph, 8, 0x00AA00), "10..19");
    EXPECT_TRUE(renderer.GraphReady);
    EXPECT_TRUE(renderer.IconReady);

    // Another theme and another size while both graphs are current: without a new sample, both
    // show all of it.
    theme.ForeColor3 = 0x0000CC;
    theme.BackColor = 0x303030;
    renderer.Rebuild(22, 12);
    ASSERT_EQ(renderer.picGraph.Width(), 20);
    ASSERT_EQ(renderer.picGraph.Height(), 10);
    EXPECT_EQ(Rows(renderer.picGraph, 19, 0x0000CC), "0..9");
    EXPECT_EQ(Rows(renderer.picGraph, 18, 0x0000CC), "5..9");
    EXPECT_EQ(renderer.picGraph.Pixel(0, 0), 0x303030u);
    // The icon graph's layers are rebuilt too: its next frame, without a new sample, is all new.
    Surface& frame = renderer.picIconGraph[0];
    renderer.DrawIconGraph(frame);
    EXPECT_EQ(Rows(frame, 14, 0x0000CC), "2..13");
    EXPECT_EQ(Rows(frame, 13, 0x0000CC), "8..13");
    EXPECT_EQ(frame.Pixel(1, 2), 0x303030u);
}

// --- Graph layer ---

TEST_F(RendererTest, ColumnHeightsFollowTheUsage) {
    Reset(10, 47);
    Push({1, 50});
    renderer.DrawGraph();
    // v = 50 on H = 47: 23 pixels, rows 24..46, in the graph, the layer and the mask.
    EXPECT_EQ(Rows(renderer.picGraph, 9, 0x00AA00), "24..46");
    EXPECT_EQ(Rows(renderer.picBack, 9, 0x00AA00), "24..46");
    EXPECT_EQ(Rows(test::MaskPicture(renderer.picMask), 9, kBlack), "24..46");
    // v = 1: no pixel at all.
    EXPECT_EQ(Rows(renderer.picGraph, 8, 0x00AA00), "none");
    EXPECT_EQ(Rows(test::MaskPicture(renderer.picMask), 8, kBlack), "none");
    EXPECT_TRUE(renderer.GraphReady);
}

TEST_F(RendererTest, LineSegmentsAreColouredByDirectionAndReachTheNewerPoint) {
    theme.ForeType = ForeKind::Line;
    Reset(10, 47);
    // 0 then 50 (older, newer): rising, in ForeColor1, up to the newer point's top pixel.
    Push({0, 50});
    renderer.DrawGraph();
    const Surface& g = renderer.picGraph;
    EXPECT_EQ(Rows(g, 9, 0x0000FF), "24..35");
    EXPECT_EQ(Rows(g, 8, 0x0000FF), "36..46");
    EXPECT_EQ(Rows(test::MaskPicture(renderer.picMask), 9, kBlack), "24..35");
    EXPECT_EQ(g.Pixel(9, 23), kBlack);

    // 40 then 20: falling, in ForeColor2, reaching the newer point (row 38).
    Reset(10, 47);
    Push({40, 20});
    renderer.DrawGraph();
    EXPECT_EQ(Rows(g, 9, 0x000080), "34..38");
    EXPECT_EQ(g.Pixel(9, 39), kBlack);

    // Level: stops one pixel short of the newer point, so the newest column stays empty.
    Reset(10, 47);
    Push({0, 0, 0, 0, 0, 0, 0, 0, 30, 30});
    renderer.DrawGraph();
    EXPECT_EQ(Rows(g, 8, 0x0000FF), "33..39");  // the level pixel on top of the rise into it
    EXPECT_EQ(Rows(g, 9, 0x0000FF), "none");

    // Only zero samples: nothing at all.
    SetRing(64);
    Reset(10, 47);
    Push({0, 0, 0});
    renderer.DrawGraph();
    for (std::int32_t x = 0; x < 10; ++x) {
        EXPECT_EQ(Rows(g, x, kBlack), "0..46") << x;
        EXPECT_EQ(Rows(test::MaskPicture(renderer.picMask), x, kWhite), "0..46") << x;
    }
}

TEST_F(RendererTest, AnImageToneMovesWithItsSamplesAcrossARingWrap) {
    // Each slot shows its own column of the image; scrolling after a wrap of the ring must give
    // exactly what a full rebuild gives.
    theme.ForeType = ForeKind::Image;
    theme.ForeName = "tone.bmp";
    theme.ForeEdge = 1;
    theme.ForeColor1 = 0x0000FF;
    theme.ForeColor2 = 0x0000FF;
    images.Add(ImagePath("tone.bmp"), Picture(7, 30));
    SetRing(64, 40);
    Reset(20, 30);
    for (std::int32_t i = 0; i < 22; ++i) {
        Push(100);  // full columns, no line segments inside the graph
    }
    renderer.DrawGraph();
    ASSERT_EQ(pos, 62);
    Push({100, 100, 100});  // 62, 63, 0: the write index wraps
    renderer.DrawGraph();
    EXPECT_EQ(renderer.LastGraphPos, 1);

    Surface incremental = renderer.picBack;
    renderer.GraphReady = false;
    renderer.DrawGraph();
    EXPECT_TRUE(SamePixels(incremental, renderer.picBack));
    // Slot 0 (the newest) shows the rightmost image column, slot 63 the one left of it.
    EXPECT_EQ(renderer.picBack.Pixel(19, 10), Picture(7, 30).Pixel(renderer.ToneColumn[0], 10));
    EXPECT_EQ(renderer.ToneColumn[0], 6);
    EXPECT_EQ(renderer.picBack.Pixel(18, 10), Picture(7, 30).Pixel(renderer.ToneColumn[63], 10));
}

TEST_F(RendererTest, AFrameTellsWhichRowsItChanged) {
    theme.TextType = TextKind::Shown;
    theme.TextPosition = TextPlace::TopRight;
    Reset(40, 40);
    Push({10, 10});
    renderer.DrawGraph();
    EXPECT_EQ(renderer.ChangedRows[0].top, 0);  // a first frame changes everything
    EXPECT_EQ(renderer.ChangedRows[0].bottom, 40);
    // The same low graph: its rows at the bottom, and the text's at the top.
    Push(10);
    renderer.DrawGraph();
    EXPECT_EQ(renderer.ChangedRows[0].top, 36);
    EXPECT_EQ(renderer.ChangedRows[0].bottom, 40);
    EXPECT_GE(renderer.ChangedRows[1].top, 0);
    EXPECT_LE(renderer.ChangedRows[1].bottom, 20);
    EXPECT_LT(renderer.ChangedRows[1].top, renderer.ChangedRows[1].bottom);
    // A peak reaches the top; the next frames still redraw where it was until it scrolls out.
    Push(100);
    renderer.DrawGraph();
    EXPECT_EQ(renderer.ChangedRows[0].top, 0);
    Push(10);
    renderer.DrawGraph();
    EXPECT_EQ(renderer.ChangedRows[0].top, 0);
    // A hidden window draws nothing; shown again, it changes what scrolled meanwhile.
    settings.State = WindowState::Hidden;
    for (int i = 0; i < 40; ++i) {
        Push(10);
        renderer.DrawGraph();
    }
    settings.State = WindowState::Shown;
    renderer.DrawGraph();
    EXPECT_EQ(renderer.ChangedRows[0].top, 0);  // the peak it showed is gone
    renderer.DrawGraph();
    EXPECT_EQ(renderer.ChangedRows[0].top, 36);
}

TEST_F(RendererTest, ABackgroundInASystemColourScrollsInItsColourOfTheMoment) {
    // Rows above the graph are left alone when they scroll, unless the colour they show may have
    // changed since they were laid.
    theme.BackColor = static_cast<std::int32_t>(kButtonFaceColour);
    Reset(10, 10);
    ASSERT_TRUE(renderer.IsSimpleBack());
    Push({50, 50});
    renderer.DrawGraph();
    const Colour before = ResolveColour(kButtonFaceColour);
    SystemColourTable table = SystemColours();
    table[kButtonFaceColour & 0xFF] = 0x0000FE;
    SetSystemColours(table);
    Push(50);
    renderer.DrawGraph();
    EXPECT_EQ(renderer.picGraph.Pixel(9, 0), 0x0000FEu);  // the new column
    EXPECT_EQ(renderer.picGraph.Pixel(0, 0), before);
    SetSystemColours(ClassicSystemColours());
}

TEST_F(RendererTest, IncrementalFramesScrollByTheNewSamples) {
    Reset(10, 20);
    Push({10, 20, 30});
    renderer.DrawGraph();
    Push({40, 50});
    renderer.DrawGraph();
    EXPECT_EQ(Rows(renderer.picGraph, 9, 0x00AA00), "10..19");  // 50
    EXPECT_EQ(Rows(renderer.picGraph, 8, 0x00AA00), "12..19");  // 40
    EXPECT_EQ(Rows(renderer.picGraph, 7, 0x00AA00), "14..19");  // 30, scrolled
    EXPECT_EQ(Rows(renderer.picGraph, 5, 0x00AA00), "18..19");  // 10
    EXPECT_EQ(Rows(renderer.picGraph, 4, 0x00AA00), "none");
    // No new sample: the same frame again.
    const Surface before = renderer.picGraph;
    renderer.DrawGraph();
    EXPECT_TRUE(SamePixels(before, renderer.picGraph));
}

TEST_F(RendererTest, AWindowWiderThanTheHistoryDrawsOnlyTheHistory) {
    SetRing(6);
    Reset(10, 10);
    Push({100, 100, 100, 100, 100, 100});
    renderer.DrawGraph();
    for (std::int32_t x = 4; x < 10; ++x) {
        EXPECT_EQ(Rows(renderer.picGraph, x, 0x00AA00), "0..9") << x;
    }
    for (std::int32_t x = 0; x < 4; ++x) {
        EXPECT_EQ(Rows(renderer.picGraph, x, 0x00AA00), "none") << x;
    }
}

TEST_F(RendererTest, FilledGraphIgnoresSqueezingAndPatternGraphSqueezes) {
    // ForeType 1 with ForePosition 1: plain columns.
    theme.ForePosition = 1;
    Reset(4, 20);
    Push(50);
    renderer.DrawGraph();
    EXPECT_EQ(Rows(renderer.picGraph, 3, 0x00AA00), "10..19");

    // ForeType 2: the column shows the lower part of the pattern at the same height, or the whole
    // pattern squeezed into it with ForePosition 1.
    Surface strip(1, 20);
    for (std::int32_t y = 0; y < 20; ++y) {
        strip.SetPixel(0, y, static_cast<Colour>(0x100 + y));
    }
    images.Add(ImagePath("Pattern.dat"), strip);
    theme.ForeType = ForeKind::Pattern;
    theme.ForeNo = 0;
    theme.ForePosition = 0;
    Reset(4, 20);
    renderer.DrawGraph();
    EXPECT_EQ(renderer.picGraph.Pixel(3, 10), 0x10Au);
    EXPECT_EQ(renderer.picGraph.Pixel(3, 19), 0x113u);
    theme.ForePosition = 1;
    Reset(4, 20);
    renderer.DrawGraph();
    EXPECT_EQ(renderer.picGraph.Pixel(3, 10), 0x100u);  // every second pattern row
    EXPECT_EQ(renderer.picGraph.Pixel(3, 11), 0x102u);
    EXPECT_EQ(renderer.picGraph.Pixel(3, 19), 0x112u);
    EXPECT_EQ(renderer.picGraph.Pixel(3, 9), kBlack);

    // No pattern cut: the columns show the tone source's background colour.
    images.Refuse(ImagePath("Pattern.dat"), ImageLoadStatus::Unreadable);
    theme.ForeNo = 0;
    renderer.picReadTone.SetBackColor(0x445566);
    Reset(4, 20);
    renderer.DrawGraph();
    EXPECT_EQ(Rows(renderer.picGraph, 3, 0x445566), "10..19");
}

TEST_F(RendererTest, OnlyAHiddenWindowDrawsNothing) {
    Reset(10, 10);
    Push(100);
    settings.State = WindowState::Hidden;
    renderer.DrawGraph();
    EXPECT_FALSE(renderer.GraphReady);
    EXPECT_EQ(renderer.LastGraphPos, 0);
    EXPECT_EQ(Rows(renderer.picGraph, 9, 0x00AA00), "none");
    // A hand-edited State=2 is a shown window: drawn as 0 is.
    settings.State = static_cast<WindowState>(2);
    renderer.DrawGraph();
    EXPECT_TRUE(renderer.GraphReady);
    EXPECT_EQ(Rows(renderer.picGraph, 9, 0x00AA00), "0..9");
}

TEST_F(RendererTest, AWindowResizedWithoutLayoutIsLaidOutFirst) {
    Reset(10, 10);
    Push(100);
    renderer.DrawGraph();
    renderer.SetClientSize(32, 22);
    renderer.DrawGraph();
    EXPECT_EQ(renderer.picGraph.Width(), 30);
    EXPECT_EQ(renderer.picGraph.Height(), 20);
    EXPECT_EQ(renderer.picBoard.Height(), 20);
    EXPECT_EQ(Rows(renderer.picGraph, 29, 0x00AA00), "0..19");

    // Nonsense sizes settle after one layout too.
    renderer.SetClientSize(-5, 12);
    renderer.DrawGraph();
    EXPECT_EQ(renderer.picGraph.Width(), 0);
    EXPECT_EQ(renderer.picGraph.Height(), 10);
    renderer.SetClientSize(40, -3);
    renderer.GraphReady = false;
    renderer.DrawGraph();
    EXPECT_FALSE(renderer.GraphReady);  // no client height: nothing drawn
}

// --- Board ---

TEST_F(RendererTest, ImageTilesAreAlignedToTheRightEdge) {
    const Surface image = Picture(30, 5);
    images.Add(ImagePath("tile.bmp"), image);
    theme.BackType = BackKind::Image;
    theme.BackName = "tile.bmp";
    Reset(100, 10);
    renderer.BuildBoard(renderer.picBoard, false, false);
    const Surface& b = renderer.picBoard;
    for (std::int32_t x = 0; x < 100; ++x) {
        const std::int32_t column = x >= 10 ? (x - 10) % 30 : 20 + x;
        ASSERT_EQ(b.Pixel(x, 0), image.Pixel(column, 0)) << x;
        ASSERT_EQ(b.Pixel(x, 9), image.Pixel(column, 4)) << x;  // stretched to the board's height
    }
    // A board narrower than the image: the right-hand part of the image.
    Reset(20, 10);
    renderer.BuildBoard(renderer.picBoard, false, false);
    EXPECT_EQ(b.Pixel(0, 0), image.Pixel(10, 0));
    EXPECT_EQ(b.Pixel(19, 0), image.Pixel(29, 0));
}

TEST_F(RendererTest, APatternBackgroundIsStretchedOverTheBoardsHeight) {
    Surface strip(3, 64);
    for (std::int32_t y = 0; y < 64; ++y) {
        strip.SetPixel(2, y, static_cast<Colour>(0x200 + y));
    }
    images.Add(ImagePath("Pattern.dat"), strip);
    theme.BackType = BackKind::Pattern;
    theme.BackNo = 2;
    Reset(5, 47);
    renderer.DrawGraph();
    const Surface& b = renderer.picBoard;
    for (std::int32_t x = 0; x < 5; ++x) {
        EXPECT_EQ(b.Pixel(x, 0), 0x200u);
        EXPECT_EQ(b.Pixel(x, 46), 0x23Fu);
        for (std::int32_t y = 1; y < 47; ++y) {
            ASSERT_GE(b.Pixel(x, y), b.Pixel(x, y - 1));
        }
    }
    EXPECT_EQ(renderer.picGraph.Pixel(0, 23), b.Pixel(0, 23));  // nothing drawn over it there
}

TEST_F(RendererTest, BuildBoardDoesNothingWhenReadyOrSimpleOrWithoutASource) {
    Reset(10, 10);
    renderer.picBoard.SetBackColor(0x0A0B0C);
    renderer.picBoard.Clear();
    renderer.picReadBoard.SetBackColor(0x111111);
    renderer.picReadBoard.Resize(2, 2);
    renderer.BuildBoard(renderer.picBoard, false, true);
    renderer.BuildBoard(renderer.picBoard, true, false);
    EXPECT_EQ(renderer.picBoard.Pixel(3, 3), 0x0A0B0Cu);
    renderer.picReadBoard.Resize(0, 2);
    renderer.BuildBoard(renderer.picBoard, false, false);  // returns: nothing to tile
    EXPECT_EQ(renderer.picBoard.Pixel(3, 3), 0x0A0B0Cu);
    // An enlarged window with a plain source narrower than the board: still plain.
    theme.GraphHType = HGridLines::Every10;
    theme.BackColor = 0x123456;
    Reset(10, 10);
    Layout(25, 10);
    renderer.BuildBoard(renderer.picBoard, false, false);
    EXPECT_EQ(Row(renderer.picBoard, 5, 0, 24, 0x123456), std::string(25, '#'));
}

// --- Grid lines ---

TEST_F(RendererTest, HorizontalLinesAtH47) {
    theme.GraphHColor1 = 0x01;
    theme.GraphHColor2 = 0x02;
    theme.GraphHColor3 = 0x03;
    Surface s(6, 47);
    theme.GraphHType = HGridLines::Every10;
    renderer.LoadThemePictures();
    renderer.DrawHLines(s);
    std::string rows;
    for (std::int32_t y = 0; y < 47; ++y) {
        const Colour c = s.Pixel(0, y);
        if (c != 0) {
            rows += std::to_string(y) + ":" + std::to_string(c) + " ";
        }
        EXPECT_EQ(s.Pixel(5, y), c);  // across the whole width
    }
    EXPECT_EQ(rows, "4:1 9:2 14:1 18:2 23:3 28:2 32:1 37:2 42:1 ");

    Surface every20(6, 47);
    theme.GraphHType = HGridLines::Every20;
    renderer.LoadThemePictures();
    renderer.DrawHLines(every20);
    rows.clear();
    for (std::int32_t y = 0; y < 47; ++y) {
        if (every20.Pixel(0, y) != 0) {
            rows += std::to_string(y) + " ";
        }
    }
    EXPECT_EQ(rows, "9 18 28 37 ");

    for (const std::int32_t type : {3, 7, -1}) {
        Surface half(6, 47);
        theme.GraphHType = static_cast<HGridLines>(type);
        renderer.LoadThemePictures();
        renderer.DrawHLines(half);
        EXPECT_EQ(Rows(half, 2, 0x03), "23..23") << type;
        EXPECT_EQ(Rows(half, 2, 0x02), "none") << type;
    }
}

TEST_F(RendererTest, VerticalLinesStandAtMinutesFromTheRightEdge) {
    theme.GraphVColor1 = 0x01;
    theme.GraphVColor2 = 0x02;
    theme.GraphVColor3 = 0x03;
    auto columns = [](const Surface& s) {
        std::string out;
        for (std::int32_t x = 0; x < s.Width(); ++x) {
            if (s.Pixel(x, 0) != 0) {
                out += std::to_string(x) + ":" + std::to_string(s.Pixel(x, 0)) + " ";
                EXPECT_EQ(s.Pixel(x, s.Height() - 1), s.Pixel(x, 0));
            }
        }
        return out;
    };
    SetRing(1920);
    theme.GraphVType = VGridLines::EveryMinute;
    renderer.LoadThemePictures();
    Surface w200(200, 5);
    renderer.DrawVLines(w200);
    EXPECT_EQ(columns(w200), "19:1 79:1 139:1 ");

    theme.GraphVType = VGridLines::Every10Minutes;
    renderer.LoadThemePictures();
    Surface w700(700, 5);
    renderer.DrawVLines(w700);
    EXPECT_EQ(columns(w700), "99:3 ");

    theme.GraphVType = VGridLines::Every5Minutes;
    renderer.LoadThemePictures();
    Surface w1300(1300, 5);
    renderer.DrawVLines(w1300);
    EXPECT_EQ(columns(w1300), "99:3 399:2 699:3 999:2 ");

    // The lines reach only as far back as the history does.
    SetRing(130);
    theme.GraphVType = VGridLines::EveryMinute;
    renderer.LoadThemePictures();
    Surface shortHistory(200, 5);
    renderer.DrawVLines(shortHistory);
    EXPECT_EQ(columns(shortHistory), "79:1 139:1 ");
    SetRing(60);
    Surface tiny(200, 5);
    renderer.DrawVLines(tiny);
    EXPECT_EQ(columns(tiny), "");
}

TEST_F(RendererTest, GridPensAreDashedOrDottedOnlyWhileDrawing) {
    theme.GraphHType = HGridLines::At50;
    theme.GraphHLineType = LinePen::Dotted;
    theme.GraphHColor3 = 0x03;
    renderer.LoadThemePictures();
    Surface s(12, 10);
    renderer.DrawHLines(s);
    EXPECT_EQ(Row(s, 4, 0, 11, 0x03), "###...###...");
    EXPECT_EQ(s.Pen(), PenStyle::Solid);

    SetRing(100);
    theme.GraphVType = VGridLines::EveryMinute;
    theme.GraphVLineType = LinePen::Dashed;
    theme.GraphVColor1 = 0x01;
    renderer.LoadThemePictures();
    Surface v(70, 30);
    renderer.DrawVLines(v);
    EXPECT_EQ(Column(v, 9, 0, 29, 0x01), "##################......######");
    EXPECT_EQ(v.Pen(), PenStyle::Solid);
}

TEST_F(RendererTest, GridLineModesComposeBelowAboveOrMergedWithTheGraph) {
    // Full columns on the right half, a line at 50 % across everything.
    theme.BackColor = 0x400000;
    theme.ForeColor3 = 0x00FF00;
    theme.GraphHType = HGridLines::At50;
    theme.GraphHColor3 = 0x0000FF;
    struct Case {
        std::int32_t mode;
        Colour overGraph;
        Colour overBoard;
    };
    for (const Case c :
         {Case{0, 0x00FF00, 0x0000FF}, Case{1, 0x0000FF, 0x0000FF}, Case{2, 0x00FFFF, 0x0000FF}}) {
        theme.GraphHLineMode = static_cast<LineMode>(c.mode);
        SetRing(64);
        Reset(10, 47);
        Push({100, 100, 100, 100, 100});
        renderer.DrawGraph();
        const Surface& g = renderer.picGraph;
        EXPECT_EQ(g.Pixel(8, 23), c.overGraph) << "mode " << c.mode;
        EXPECT_EQ(g.Pixel(2, 23), c.overBoard) << "mode " << c.mode;
        EXPECT_EQ(g.Pixel(8, 10), 0x00FF00u) << "mode " << c.mode;
        EXPECT_EQ(g.Pixel(2, 10), 0x400000u) << "mode " << c.mode;
    }
    // The same for vertical lines, merged.
    theme.GraphHType = HGridLines::None;
    theme.GraphVType = VGridLines::EveryMinute;
    theme.GraphVLineMode = LineMode::Merged;
    theme.GraphVColor1 = 0x0000FF;
    SetRing(200);
    Reset(70, 10);
    for (std::int32_t i = 0; i < 70; ++i) {
        Push(i >= 5 ? 100 : 0);  // x = 9 (a minute back) is covered by a column
    }
    renderer.DrawGraph();
    EXPECT_EQ(renderer.picGraph.Pixel(9, 5), 0x00FFFFu);
    EXPECT_EQ(renderer.picGraph.Pixel(8, 5), 0x00FF00u);
    EXPECT_EQ(renderer.picGraph.Pixel(3, 5), 0x400000u);
}

TEST_F(RendererTest, SimpleModeDrawsVerticalLinesBeforeHorizontalOnes) {
    theme.GraphHType = HGridLines::At50;
    theme.GraphHLineMode = LineMode::OverGraph;
    theme.GraphHColor3 = 0x0000FF;
    theme.GraphVType = VGridLines::EveryMinute;
    theme.GraphVLineMode = LineMode::OverGraph;
    theme.GraphVColor1 = 0xFF0000;
    SetRing(100);
    Reset(70, 10);
    ASSERT_TRUE(renderer.IsSimpleBack());
    renderer.DrawGraph();
    EXPECT_EQ(renderer.picGraph.Pixel(9, 4), 0x0000FFu);  // the crossing shows the later one
    EXPECT_EQ(renderer.picGraph.Pixel(9, 0), 0xFF0000u);
}

// --- Usage text ---

TEST_F(RendererTest, UsageTextIsPlacedInOneOfNinePlaces) {
    theme.TextType = TextKind::Shown;
    theme.TextPosition = TextPlace::TopRight;
    theme.TextFont = {"Fake Sans", 12, 0};  // 6 pixels a character, 12 high
    Reset(100, 47);
    Push(100);  // "100 %": 30 pixels
    renderer.DrawGraph();
    EXPECT_EQ(renderer.TextWidths[100], 30);
    EXPECT_EQ(renderer.TextHeights[100], 12);
    EXPECT_EQ(renderer.TextWidths[7], 18);
    EXPECT_EQ(renderer.UsageText(7), "7 %");
    const Surface& g = renderer.picGraph;
    EXPECT_EQ(Row(g, 2, 64, 72, 0x7F7F7F), "..#####.#");  // x = 66, y = 2
    EXPECT_EQ(Column(g, 66, 0, 14, 0x7F7F7F), "..############.");
    EXPECT_EQ(fonts.drawCalls, 1u);

    struct Case {
        std::int32_t position;
        std::int32_t width;
        std::int32_t x;
        std::int32_t y;
    };
    // W - tw = 37 gives nint(18.5) = 18, 39 gives nint(19.5) = 20; H - th = 35 gives 18 (17.5).
    for (const Case c : {Case{4, 67, 18, 18}, Case{4, 69, 20, 18}, Case{0, 100, 4, 2},
                         Case{6, 100, 4, 33}, Case{9, 100, 66, 33}, Case{-1, 100, 66, 33}}) {
        theme.TextPosition = static_cast<TextPlace>(c.position);
        Reset(c.width, 47);
        renderer.DrawGraph();
        EXPECT_EQ(g.Pixel(c.x, c.y), 0x7F7F7Fu) << c.position << " " << c.width;
        EXPECT_NE(g.Pixel(c.x - 1, c.y), 0x7F7F7Fu) << c.position << " " << c.width;
        EXPECT_NE(g.Pixel(c.x, c.y - 1), 0x7F7F7Fu) << c.position << " " << c.width;
    }
}

TEST_F(RendererTest, EdgedTextShowsLightAboveLeftAndDarkBelowRight) {
    theme.TextType = TextKind::Edged;
    theme.TextPosition = TextPlace::TopLeft;  // x = 4, y = 2
    theme.TextPrefix = "";
    theme.TextSuffix = "";
    theme.TextFont = {"Fake Sans", 10, 0};  // glyph cells 5 wide, glyphs 4 wide, 10 rows
    theme.BackColor = 0x202020;
    Reset(40, 20);
    Push(7);
    renderer.DrawGraph();
    const Surface& g = renderer.picGraph;
    const Colour a = 0x7F7F7F, light = 0xFFFFFF, dark = 0x000001;
    EXPECT_EQ(Column(g, 3, 2, 11, light), "##########");  // left edge
    EXPECT_EQ(Row(g, 1, 4, 7, light), "####");            // top edge
    EXPECT_EQ(Row(g, 12, 4, 7, dark), "####");            // bottom edge
    EXPECT_EQ(Column(g, 8, 2, 11, dark), "##########");   // right edge
    EXPECT_EQ(Row(g, 5, 4, 7, a), "####");                // the text itself
    EXPECT_EQ(g.Pixel(9, 5), 0x202020u);                  // nothing further out
    EXPECT_EQ(fonts.drawCalls, 5u);
    EXPECT_EQ(fonts.colours[0], dark);
    EXPECT_EQ(fonts.colours[1], light);
    EXPECT_EQ(fonts.colours[2], dark);
    EXPECT_EQ(fonts.colours[3], light);
    EXPECT_EQ(fonts.colours[4], a);

    theme.TextType = TextKind::None;
    Reset(40, 20);
    renderer.DrawGraph();
    EXPECT_EQ(fonts.drawCalls, 5u);        // no text
    EXPECT_EQ(renderer.TextWidths[7], 5);  // still measured
}

}  // namespace
}  // namespace moravel::test
