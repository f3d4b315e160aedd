#include "core/render/ProcessorView.h"

#include <algorithm>

#include "core/render/RenderMath.h"
#include "core/render/Renderer.h"

namespace moravel {

using render_detail::ColumnHeight;

ProcessorBands LayOutProcessorBands(std::int32_t processors, std::int32_t height) {
    ProcessorBands layout;
    layout.processors = std::max(processors, 0);
    layout.height = std::max(height, 0);
    layout.bands = std::min(layout.processors, layout.height);
    layout.graphs = layout.bands > 0 && layout.height / layout.bands >= kGraphBandRows;
    return layout;
}

Colour HeatColour(Colour background, Colour graph, std::int32_t load) {
    const std::int32_t l = std::clamp(load, 0, 100);
    const auto mix = [l](std::uint32_t from, std::uint32_t to) {
        const std::int32_t a = static_cast<std::int32_t>(from);
        const std::int32_t b = static_cast<std::int32_t>(to);
        return static_cast<std::uint32_t>(render_detail::Nint(a + (b - a) * l / 100.0));
    };
    return Rgb(mix(RedOf(background), RedOf(graph)), mix(GreenOf(background), GreenOf(graph)),
               mix(BlueOf(background), BlueOf(graph)));
}

namespace {

// The colour a picture shows on the whole: the mean of its pixels.
Colour MeanColour(const Surface& picture) {
    const std::size_t count = static_cast<std::size_t>(picture.Width()) *
                              static_cast<std::size_t>(std::max(picture.Height(), 0));
    if (count == 0) {
        return 0;
    }
    std::uint64_t r = 0;
    std::uint64_t g = 0;
    std::uint64_t b = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const Colour c = ToColour(picture.Pixels()[i]);
        r += RedOf(c);
        g += GreenOf(c);
        b += BlueOf(c);
    }
    return Rgb(static_cast<std::uint32_t>(r / count), static_cast<std::uint32_t>(g / count),
               static_cast<std::uint32_t>(b / count));
}

}  // namespace

void ProcessorView::TakeThemeColours() {
    const ThemeRecord& theme = renderer_.DrawnTheme();
    background_ = theme.BackType == BackKind::Plain
                      ? ResolveColour(static_cast<Colour>(theme.BackColor))
                      : MeanColour(renderer_.picReadBoard);
    switch (theme.ForeType) {
        case ForeKind::Line:
            graph_ = ResolveColour(static_cast<Colour>(theme.ForeColor1));
            break;
        case ForeKind::Filled:
            graph_ = ResolveColour(static_cast<Colour>(theme.ForeColor3));
            break;
        default:  // a pattern or a picture: the colour it shows on the whole
            graph_ = MeanColour(renderer_.picReadTone);
            break;
    }
    lineGraph_ = theme.ForeType == ForeKind::Line;
    edgeLine_ = lineGraph_ || theme.ForeEdge == 1;
    boardPicture_ = theme.BackType != BackKind::Plain;
    tonePicture_ = theme.ForeType != ForeKind::Line && theme.ForeType != ForeKind::Filled;
    backPixel_ = ToPixel(background_);
    offlinePixel_ = ToPixel(HeatColour(background_, graph_, 25));
    separatorPixel_ = ToPixel(HeatColour(background_, graph_, 40));
    risePixel_ = ToPixel(ResolveColour(static_cast<Colour>(theme.ForeColor1)));
    fallPixel_ = ToPixel(ResolveColour(static_cast<Colour>(theme.ForeColor2)));
}

namespace {

// Row `r` of `rows` of column `x` of `picture`, stretched (nearest pixel) over the rows.
PixelWord StretchedPixel(const Surface& picture, std::int32_t x, std::int32_t r,
                         std::int32_t rows) {
    const std::int32_t w = picture.Width();
    const std::int32_t h = picture.Height();
    if (w <= 0 || h <= 0 || rows <= 0) {
        return 0;
    }
    const auto y = static_cast<std::int32_t>(std::int64_t{r} * h / rows);
    return picture.Pixels()[static_cast<std::ptrdiff_t>(std::clamp(y, 0, h - 1)) * w +
                            std::clamp(x, 0, w - 1)];
}

}  // namespace

PixelWord ProcessorView::BoardPixel(std::int32_t slot, std::int32_t r, std::int32_t rows) const {
    if (!boardPicture_) {
        return backPixel_;
    }
    // The board's picture moves with the samples, left to right as it reads.
    const Surface& board = renderer_.picReadBoard;
    return StretchedPixel(board, slot % std::max(board.Width(), 1), r, rows);
}

PixelWord ProcessorView::TonePixel(std::int32_t slot, std::int32_t r, std::int32_t rows) const {
    if (!tonePicture_) {
        return ToPixel(graph_);
    }
    const std::int32_t column = static_cast<std::size_t>(slot) < renderer_.ToneColumn.size()
                                    ? renderer_.ToneColumn[static_cast<std::size_t>(slot)]
                                    : 0;
    return StretchedPixel(renderer_.picReadTone, column, r, rows);
}

PixelWord ProcessorView::HeatPixel(std::int32_t slot, std::int32_t load) const {
    if (!tonePicture_) {
        return ToPixel(HeatColour(background_, graph_, load));
    }
    // Towards the tone's colour at the top of a column of this load.
    constexpr std::int32_t kRows = 100;
    const Colour tone = ToColour(TonePixel(slot, kRows - std::max(load, 1), kRows));
    return ToPixel(HeatColour(background_, tone, load));
}

void ProcessorView::Draw(const ProcessorHistoryView& processors, const HistoryView& total) {
    Surface& frame = renderer_.picGraph;
    const std::int32_t w = frame.Width();
    const std::int32_t h = frame.Height();
    const std::int32_t count = processors.Empty() ? 0 : processors.count;
    const std::int32_t pos = count > 0 ? std::clamp(*processors.pos, 0, count - 1) : 0;
    if (!ready_ || layer_.Width() != w || layer_.Height() != h ||
        bands_.processors != processors.processors || count == 0) {
        TakeThemeColours();
        layer_.Resize(w, h);
        layer_.SetBackColor(background_);
        layer_.Clear();
        bands_ = LayOutProcessorBands(count > 0 ? processors.processors : 0, h);
        lastPos_ = count > 0 ? pos - std::min(w, count) : 0;
        ready_ = true;
    }
    if (count > 0 && bands_.bands > 0) {
        // The samples written since the last frame, at most a frame's width of them.
        std::int32_t fresh = ((pos - lastPos_) % count + count) % count;
        if (fresh == 0 && lastPos_ != pos) {
            fresh = count;
        }
        fresh = std::min(fresh, w);
        layer_.ScrollLeft(fresh, background_);
        for (std::int32_t i = 0; i < fresh; ++i) {
            const std::int32_t slot = ((pos - fresh + i) % count + count) % count;
            DrawColumn(processors, w - fresh + i, slot);
        }
    }
    lastPos_ = pos;
    frame.BitBlt(0, 0, w, h, layer_, 0, 0, RasterOp::SrcCopy);
    renderer_.DrawVLines(frame);
    renderer_.DrawUsageText(frame, total.Sample(total.PrevIndex(total.Pos())));
    renderer_.ChangedRows = {Renderer::RowBand{0, h}, Renderer::RowBand{0, 0}};
}

void ProcessorView::DrawColumn(const ProcessorHistoryView& processors, std::int32_t x,
                               std::int32_t slot) {
    if (bands_.graphs) {
        DrawGraphColumn(processors, x, slot);
    } else {
        DrawHeatColumn(processors, x, slot);
    }
}

void ProcessorView::FillRows(std::int32_t x, std::int32_t top, std::int32_t bottom,
                             PixelWord pixel) {
    PixelWord* p = layer_.Pixels() + static_cast<std::ptrdiff_t>(top) * layer_.Width() + x;
    for (std::int32_t y = top; y < bottom; ++y, p += layer_.Width()) {
        *p = pixel;
    }
}

void ProcessorView::FillOffline(std::int32_t x, std::int32_t top, std::int32_t bottom,
                                std::int32_t slot) {
    // A checker that moves with the samples: no load looks like it.
    PixelWord* p = layer_.Pixels() + static_cast<std::ptrdiff_t>(top) * layer_.Width() + x;
    for (std::int32_t y = top; y < bottom; ++y, p += layer_.Width()) {
        *p = ((y + slot) & 1) == 0 ? offlinePixel_ : backPixel_;
    }
}

void ProcessorView::DrawHeatColumn(const ProcessorHistoryView& processors, std::int32_t x,
                                   std::int32_t slot) {
    for (std::int32_t b = 0; b < bands_.bands; ++b) {
        std::int32_t load = -1;
        for (std::int32_t p = bands_.First(b); p < bands_.First(b + 1); ++p) {
            const std::uint8_t usage = processors.Row(p)[slot];
            if (usage != kProcessorOffline) {
                load = std::max<std::int32_t>(load, std::min<std::int32_t>(usage, 100));
            }
        }
        if (load < 0) {
            FillOffline(x, bands_.Top(b), bands_.Top(b + 1), slot);
        } else {
            FillRows(x, bands_.Top(b), bands_.Top(b + 1), HeatPixel(slot, load));
        }
    }
}

void ProcessorView::DrawGraphColumn(const ProcessorHistoryView& processors, std::int32_t x,
                                    std::int32_t slot) {
    const std::int32_t previous = slot == 0 ? processors.count - 1 : slot - 1;
    for (std::int32_t b = 0; b < bands_.bands; ++b) {
        // A separating row on top of every band but the first.
        const std::int32_t top = bands_.Top(b) + (b > 0 ? 1 : 0);
        const std::int32_t bottom = bands_.Top(b + 1);
        if (b > 0) {
            FillRows(x, top - 1, top, separatorPixel_);
        }
        const std::uint8_t usage = processors.Row(b)[slot];
        if (usage == kProcessorOffline) {
            FillOffline(x, top, bottom, slot);
            continue;
        }
        const std::int32_t rows = bottom - top;
        const std::int32_t height = ColumnHeight(rows, std::min<std::int32_t>(usage, 100));
        PixelWord* p = layer_.Pixels() + static_cast<std::ptrdiff_t>(top) * layer_.Width() + x;
        for (std::int32_t r = 0; r < rows; ++r, p += layer_.Width()) {
            const bool graph = !lineGraph_ && r >= rows - height;
            *p = graph ? TonePixel(slot, r, rows) : BoardPixel(slot, r, rows);
        }
        // The line: from the height before to this one, in the rising or the falling colour.
        const std::uint8_t before = processors.Row(b)[previous];
        const std::int32_t y = bottom - 1 - std::min(height, rows - 1);
        std::int32_t from = y;
        if (before != kProcessorOffline) {
            from = bottom - 1 -
                   std::min(ColumnHeight(rows, std::min<std::int32_t>(before, 100)), rows - 1);
        }
        if (edgeLine_) {
            FillRows(x, std::min(from, y), std::max(from, y) + 1,
                     before != kProcessorOffline && before > usage ? fallPixel_ : risePixel_);
        }
    }
}

}  // namespace moravel
