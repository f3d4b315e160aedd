// The window graph of each processor: one horizontal band per processor, top to bottom in the
// processors' order, drawn in the theme's colours. A band tall enough to read shows that
// processor's graph; thinner bands are heat strips, a column a second whose colour runs from the
// theme's background to its graph colour with the load. Past one row per processor, neighbours
// share a row and it shows the busiest of them. The total's text is drawn over it as in the total
// view.
#pragma once

#include <cstdint>

#include "core/cpu/CpuSampler.h"
#include "core/render/Colour.h"
#include "core/render/HistoryView.h"
#include "core/render/Surface.h"

namespace moravel {

class Renderer;

// Bands at least this many rows high show a graph each; below, every band is a heat strip.
inline constexpr std::int32_t kGraphBandRows = 10;

// How `processors` share `height` rows: min(processors, height) bands, band b covering the rows
// [Top(b), Top(b + 1)) and the processors [First(b), First(b + 1)); band heights differ by at
// most one row, and so do the numbers of processors bands share.
struct ProcessorBands {
    std::int32_t bands = 0;
    std::int32_t processors = 0;
    std::int32_t height = 0;
    bool graphs = false;  // every band has kGraphBandRows rows or more

    std::int32_t Top(std::int32_t band) const {
        return static_cast<std::int32_t>(std::int64_t{band} * height / bands);
    }
    std::int32_t First(std::int32_t band) const {
        return static_cast<std::int32_t>(std::int64_t{band} * processors / bands);
    }
};
ProcessorBands LayOutProcessorBands(std::int32_t processors, std::int32_t height);

// The colour of a load of `load` percent (0..100) in a heat strip: each channel of `background`
// moved towards that of `graph` by load / 100, to the nearest value. Plain colours (resolved).
Colour HeatColour(Colour background, Colour graph, std::int32_t load);

// Draws into the renderer's picGraph, which must be laid out (Renderer::Rebuild). Memory is taken
// only by the first frame after Reset and by a frame whose size or processor count changed.
class ProcessorView {
  public:
    explicit ProcessorView(Renderer& renderer) : renderer_(renderer) {}

    // The next frame draws everything anew, in the renderer's current theme.
    void Reset() { ready_ = false; }
    // A frame: the bands moved on by the samples written since the last frame, the theme's
    // vertical grid lines, and the text of the total's newest sample.
    void Draw(const ProcessorHistoryView& processors, const HistoryView& total);

    const ProcessorBands& Bands() const { return bands_; }
    Colour BackgroundColour() const { return background_; }
    Colour GraphColour() const { return graph_; }

  private:
    void TakeThemeColours();
    // Row `r` of `rows` of the background, and of the graph's tone, in the column of `slot`: the
    // theme's pictures stretched over a band as the total view stretches them over the graph.
    PixelWord BoardPixel(std::int32_t slot, std::int32_t r, std::int32_t rows) const;
    PixelWord TonePixel(std::int32_t slot, std::int32_t r, std::int32_t rows) const;
    PixelWord HeatPixel(std::int32_t slot, std::int32_t load) const;
    void DrawColumn(const ProcessorHistoryView& processors, std::int32_t x, std::int32_t slot);
    void DrawHeatColumn(const ProcessorHistoryView& processors, std::int32_t x, std::int32_t slot);
    void DrawGraphColumn(const ProcessorHistoryView& processors, std::int32_t x, std::int32_t slot);
    void FillRows(std::int32_t x, std::int32_t top, std::int32_t bottom, PixelWord pixel);
    void FillOffline(std::int32_t x, std::int32_t top, std::int32_t bottom, std::int32_t slot);

    Renderer& renderer_;
    Surface layer_;  // the bands, scrolled as the samples come
    ProcessorBands bands_;
    bool ready_ = false;
    std::int32_t lastPos_ = 0;
    Colour background_ = 0;
    Colour graph_ = 0;
    PixelWord backPixel_ = 0;
    PixelWord offlinePixel_ = 0;
    PixelWord separatorPixel_ = 0;
    PixelWord risePixel_ = 0;
    PixelWord fallPixel_ = 0;
    bool lineGraph_ = false;
    bool edgeLine_ = false;
    bool boardPicture_ = false;  // the background is a pattern or a picture
    bool tonePicture_ = false;   // the graph is a pattern or a picture
};

}  // namespace moravel
