// Frames allocate nothing: every operator new of this executable is counted while a window is open.
#include <gtest/gtest.h>

#include <vector>

#include "core/render/ProcessorView.h"
#include "support/AllocationCounter.h"
#include "support/RenderFixture.h"

namespace moravel::test {
namespace {

// Counts the allocations made by `frame`.
template <typename Frame>
std::size_t AllocationsOf(Frame frame) {
    const std::size_t before = AllocationCount();
    frame();
    return AllocationCount() - before;
}

class NoAllocationTest : public RenderFixture {
  protected:
    // A pattern board (the fourth pattern of `strip`) under an image tone with its edge line.
    void PatternBoardAndImageTone(const Surface& strip) {
        images.Add(ImagePath("Pattern.dat"), strip);
        images.Add(ImagePath("tone.bmp"), Picture(9, 30));
        theme.BackType = BackKind::Pattern;
        theme.BackNo = 4;
        theme.ForeType = ForeKind::Image;
        theme.ForeName = "tone.bmp";
        theme.ForeEdge = 1;
    }
};

TEST_F(NoAllocationTest, TheCounterSeesAllocations) {
    EXPECT_GE(AllocationsOf([] { delete new int(5); }), 1u);
}

TEST_F(NoAllocationTest, FramesAfterTheFirstAllocateNothing) {
    // A theme that uses every layer: pattern board, image tone, line on top, grid lines in all
    // three modes with dashes and dots, edged text with prefix and suffix.
    Surface strip(6, 40);
    for (std::int32_t y = 0; y < 40; ++y) {
        for (std::int32_t x = 0; x < 6; ++x) {
            strip.SetPixel(x, y, static_cast<Colour>(0x010101 * (y + x)));
        }
    }
    PatternBoardAndImageTone(strip);
    theme.GraphHType = HGridLines::Every10;
    theme.GraphHLineType = LinePen::Dotted;
    theme.GraphHLineMode = LineMode::Merged;
    theme.GraphVType = VGridLines::EveryMinute;
    theme.GraphVLineType = LinePen::Dashed;
    theme.GraphVLineMode = LineMode::UnderGraph;
    theme.TextType = TextKind::Edged;
    theme.TextFont = {"ＭＳ ゴシック", 12, 0};  // a face too long to be kept inside a string
    theme.TextPrefix = "CPU ";
    theme.TextSuffix = " percent of the time";
    SetRing(1920);

    for (const TrayIconMode mode :
         {TrayIconMode::Graph, TrayIconMode::Meter1, TrayIconMode::Meter2}) {
        settings.IconGraphMode = mode;
        Reset(400, 120);
        Push({10, 50, 90});
        renderer.DrawGraph();
        renderer.DrawIconGraph(renderer.picIcon);

        Surface& frame = renderer.picIconGraph[mode == TrayIconMode::Graph ? 0 : 1];
        for (std::int32_t tick = 0; tick < 200; ++tick) {
            // New values, the same value again (the text laid from its record), and now and then
            // no new sample at all.
            if (tick % 7 != 6) {
                Push(tick % 4 < 2 ? 42 : (tick * 37) % 101);
            }
            if (tick % 3 == 0 || tick % 7 == 6) {
                EXPECT_EQ(AllocationsOf([&] {
                              renderer.DrawGraph();
                              renderer.DrawIconGraph(frame);
                          }),
                          0u)
                    << "mode " << static_cast<int>(mode) << " tick " << tick;
            }
        }
        // A rebuild frame (after a resize to the same size) reuses what is there as well.
        renderer.GraphReady = false;
        renderer.IconReady = false;
        EXPECT_EQ(AllocationsOf([&] {
                      renderer.DrawGraph();
                      renderer.DrawIconGraph(frame);
                  }),
                  0u)
            << "mode " << static_cast<int>(mode);
    }
}

// The per-processor frames likewise, in heat strips and in graphs, with a pattern board and an
// image tone.
TEST_F(NoAllocationTest, PerProcessorFramesAfterTheFirstAllocateNothing) {
    PatternBoardAndImageTone(Picture(6, 40));
    theme.GraphVType = VGridLines::EveryMinute;
    theme.TextType = TextKind::Edged;
    SetRing(1920);
    for (const std::int32_t processors : {4, 64}) {
        std::vector<std::uint8_t> rows(static_cast<std::size_t>(processors) * 1920, 50);
        const ProcessorHistoryView history{rows.data(), processors, 1920, &pos};
        ProcessorView view(renderer);
        Reset(400, 120);
        renderer.DrawGraph();
        view.Draw(history, {ring.data(), 1920, &pos});
        EXPECT_EQ(AllocationsOf([&] {
                      for (int i = 0; i < 50; ++i) {
                          Push(i % 101);
                          rows[static_cast<std::size_t>(pos)] = kProcessorOffline;
                          view.Draw(history, {ring.data(), 1920, &pos});
                      }
                  }),
                  0u)
            << processors;
    }
}

}  // namespace
}  // namespace moravel::test
