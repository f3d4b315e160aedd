// The per-processor window graph: how processors share the rows, the heat colours, and the bands
// drawn from a processor history.
#include "core/render/ProcessorView.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/RenderFixture.h"

namespace moravel::test {
namespace {

TEST(ProcessorBands, EveryProcessorHasRowsAndEveryRowItsProcessors) {
    // From the smallest window's inner height (18) up; the machines of 1 to 256 processors.
    for (const std::int32_t n : {1, 2, 7, 16, 64, 256}) {
        for (const std::int32_t h : {18, 19, 40, 69, 70, 98, 160, 640, 1080, 2160}) {
            SCOPED_TRACE(testing::Message() << n << " processors, " << h << " rows");
            const ProcessorBands bands = LayOutProcessorBands(n, h);
            ASSERT_EQ(bands.bands, std::min(n, h));
            EXPECT_EQ(bands.Top(0), 0);
            EXPECT_EQ(bands.Top(bands.bands), h);
            EXPECT_EQ(bands.First(0), 0);
            EXPECT_EQ(bands.First(bands.bands), n);
            const std::int32_t rows = h / bands.bands;
            const std::int32_t shared = n / bands.bands;
            for (std::int32_t b = 0; b < bands.bands; ++b) {
                // Never thinner than a row, as even as they go, in the processors' order.
                const std::int32_t height = bands.Top(b + 1) - bands.Top(b);
                const std::int32_t count = bands.First(b + 1) - bands.First(b);
                ASSERT_TRUE(height == rows || height == rows + 1) << b;
                ASSERT_TRUE(count == shared || count == shared + 1) << b;
                ASSERT_GE(count, 1);
            }
            EXPECT_EQ(bands.graphs, rows >= kGraphBandRows);
        }
    }
    struct Case {
        std::int32_t n, h, bands;
        bool graphs;
    };
    for (const Case c :
         {Case{1, 18, 1, true}, Case{2, 18, 2, false}, Case{2, 98, 2, true}, Case{7, 69, 7, false},
          Case{7, 70, 7, true}, Case{16, 98, 16, false}, Case{16, 160, 16, true},
          Case{256, 98, 98, false}, Case{0, 98, 0, false}, Case{4, 0, 0, false}}) {
        const ProcessorBands bands = LayOutProcessorBands(c.n, c.h);
        EXPECT_EQ(bands.bands, c.bands) << c.n << " " << c.h;
        EXPECT_EQ(bands.graphs, c.graphs) << c.n << " " << c.h;
    }
}

TEST(HeatColour, FromTheBackgroundToTheGraphColourByLoad) {
    struct Case {
        Colour back, graph;
        std::int32_t load;
        Colour heat;
    };
    for (const Case c : {
             Case{0x000000, 0x00FF00, 0, 0x000000},
             Case{0x000000, 0x00FF00, 100, 0x00FF00},
             Case{0x000000, 0x00FF00, 50, 0x008000},  // 127.5 to the even 128
             Case{0xFFFFFF, 0x000000, 25, 0xBFBFBF},  // 191.25, each channel on its own
             Case{0x204060, 0x604020, 50, 0x404040},
             Case{0x000000, 0x00FF00, 150, 0x00FF00},  // held to 0..100
             Case{0x000000, 0x00FF00, -5, 0x000000},
         }) {
        EXPECT_EQ(HeatColour(c.back, c.graph, c.load), c.heat)
            << std::hex << c.back << " " << c.graph << " " << std::dec << c.load;
    }
}

constexpr std::uint8_t kOff = kProcessorOffline;
constexpr Colour kGreen = 0x00AA00;  // the bare theme's fill

class ProcessorViewTest : public RenderFixture {
  protected:
    // A history of `processors` rows of the ring's slots, none read yet.
    void SetProcessors(std::int32_t processors) {
        rows.assign(static_cast<std::size_t>(processors) * ring.size(), kOff);
        history = {rows.data(), processors, static_cast<std::int32_t>(ring.size()), &pos};
    }
    // Appends one sample of every processor, the total as well.
    void PushEach(const std::vector<std::uint8_t>& usages) {
        for (std::size_t p = 0; p < usages.size(); ++p) {
            rows[p * ring.size() + static_cast<std::size_t>(pos)] = usages[p];
        }
        Push(0);
    }
    void Draw(std::int32_t w, std::int32_t h) {
        Reset(w, h);
        renderer.DrawGraph();
        view.Draw(history, {ring.data(), static_cast<std::int32_t>(ring.size()), &pos});
    }
    Colour At(std::int32_t x, std::int32_t y) const { return renderer.picGraph.Pixel(x, y); }

    std::vector<std::uint8_t> rows;
    ProcessorHistoryView history;
    ProcessorView view{renderer};
};

TEST_F(ProcessorViewTest, HeatStripsShowLoadOfflineAndTheBusiestOfASharedRow) {
    SetProcessors(4);
    PushEach({100, 0, kOff, 50});
    Draw(10, 8);  // four bands of two rows: heat strips
    ASSERT_FALSE(view.Bands().graphs);
    EXPECT_EQ(At(9, 0), kGreen);
    EXPECT_EQ(At(9, 1), kGreen);
    EXPECT_EQ(At(9, 2), kBlack);
    EXPECT_EQ(At(9, 6), HeatColour(kBlack, kGreen, 50));
    // Offline is neither no load nor any load: a checker of two colours.
    const Colour offline = HeatColour(kBlack, kGreen, 25);
    EXPECT_TRUE((At(9, 4) == offline && At(9, 5) == kBlack) ||
                (At(9, 4) == kBlack && At(9, 5) == offline));
    EXPECT_EQ(At(8, 0), kBlack);  // older columns: nothing recorded yet
    EXPECT_NE(At(8, 4), At(8, 5));

    // The next frame scrolls: the column drawn before moves left by the samples since.
    PushEach({0, 100, 20, 50});
    view.Draw(history, {ring.data(), static_cast<std::int32_t>(ring.size()), &pos});
    EXPECT_EQ(At(8, 0), kGreen);
    EXPECT_EQ(At(9, 0), kBlack);
    EXPECT_EQ(At(9, 2), kGreen);
    EXPECT_EQ(At(9, 4), HeatColour(kBlack, kGreen, 20));

    // Eight processors on four rows: each row the busiest of its two, offline ones left out.
    SetProcessors(8);
    PushEach({10, 30, kOff, 40, kOff, kOff, 0, 0});
    Draw(10, 4);
    EXPECT_EQ(At(9, 0), HeatColour(kBlack, kGreen, 30));
    EXPECT_EQ(At(9, 1), HeatColour(kBlack, kGreen, 40));
    EXPECT_NE(At(9, 2), HeatColour(kBlack, kGreen, 0));  // both offline
    EXPECT_EQ(At(9, 3), kBlack);
}

TEST_F(ProcessorViewTest, TallBandsAreGraphsOfTheirOwn) {
    SetProcessors(2);
    PushEach({50, 100});
    PushEach({50, 25});
    Draw(10, 40);  // two bands of 20 rows
    ASSERT_TRUE(view.Bands().graphs);
    // Band 0: rows 0..19, a column of 50 % is the lower 10 rows.
    EXPECT_EQ(Column(renderer.picGraph, 9, 0, 19, kGreen), "..........##########");
    // Band 1: a separating row (20), then 19 rows with 25 % = 4 rows at the bottom.
    EXPECT_EQ(Column(renderer.picGraph, 9, 20, 39, kGreen), "................####");
    EXPECT_NE(At(9, 20), kBlack);
    EXPECT_EQ(Column(renderer.picGraph, 8, 21, 39, kGreen), "###################");
}

TEST_F(ProcessorViewTest, TheTotalsTextWhereTheTotalViewDrawsIt) {
    theme.TextType = TextKind::Shown;
    theme.TextPosition = TextPlace::Centre;
    SetProcessors(2);
    PushEach({10, 90});
    ring[0] = 37;
    Reset(60, 40);
    renderer.DrawGraph();
    const Surface total = renderer.picGraph;
    view.Draw(history, {ring.data(), static_cast<std::int32_t>(ring.size()), &pos});
    std::int32_t textPixels = 0;
    for (std::int32_t y = 0; y < 40; ++y) {
        for (std::int32_t x = 0; x < 60; ++x) {
            if (total.Pixel(x, y) == static_cast<Colour>(theme.TextColor1)) {
                ++textPixels;
                ASSERT_EQ(At(x, y), static_cast<Colour>(theme.TextColor1)) << x << "," << y;
            }
        }
    }
    EXPECT_GT(textPixels, 20);
}

}  // namespace
}  // namespace moravel::test
