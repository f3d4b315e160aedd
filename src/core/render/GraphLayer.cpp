// Renderer: the window graph's frame, the graph layer and its mask, and the tone.
#include <algorithm>

#include "core/render/RenderMath.h"
#include "core/render/Renderer.h"

namespace moravel {

using render_detail::ColumnHeight;
using render_detail::Nint;

void Renderer::DrawGraph() {
    if (clientHeight_ <= 0 || IsHidden(settings_.State)) {
        return;
    }
    if (graphOuterHeight_ != clientHeight_ || graphOuterWidth_ != clientWidth_) {
        // The window changed size without a layout: do what the resize handler does. The layout
        // makes the sizes match, so this happens once.
        LayoutPictures();
        GraphReady = false;
        DrawGraph();
        return;
    }
    if (!GraphReady) {
        // Everything is drawn anew in a rebuild frame, the lines and the text included.
        DropFrameRecords();
    }
    const bool simple = IsSimpleBack();
    BuildTone(picTone, GraphReady);
    UpdateGraphLayers(picBack, picMask, picTone, LastGraphPos, simple, GraphReady);
    // What can differ from the frame before: the rows the graph covers now or covered then, and
    // those the text was drawn in. The rest is the board and its lines in both.
    const std::int32_t graphTop = picMask.FirstCoveredRow();
    RowBands rows{RowBand{0, picGraph.Height()}, RowBand{0, 0}};
    if (frameKept_) {  // never after a rebuild: DropFrameRecords cleared it above
        rows = {RowBand{std::min(graphTop, frameGraphTop_), picGraph.Height()}, frameTextRows_};
    }
    rows = ComposeGraph(picGraph, simple, rows);
    RowSpan drawn;
    picGraph.TrackRows(&drawn);
    DrawFrameText(picGraph, history_.Sample(history_.PrevIndex(history_.Pos())));
    picGraph.TrackRows(nullptr);
    const RowBand newText = drawn.Empty() ? RowBand{0, 0} : RowBand{drawn.top, drawn.bottom};
    frameKept_ = true;
    frameGraphTop_ = graphTop;
    frameTextRows_ = newText;
    ChangedRows = {rows[0], Union(rows[1], newText)};
    GraphReady = true;
}

void Renderer::DropFrameRecords() {
    frameKept_ = false;
    gridRecorded_ = false;
    textSeen_ = false;
    textRecorded_ = false;
    baseKept_ = false;
}

namespace {

// The bands of rows of a layer copied to the frame; a layer that does not cover the frame (never
// after a layout) is copied whole over the cleared frame.
void CopyLayer(Surface& target, const Surface& layer, const Renderer::RowBands& rows) {
    if (layer.Width() < target.Width() || layer.Height() < target.Height()) {
        target.Clear();
        target.BitBlt(0, 0, target.Width(), target.Height(), layer, 0, 0, RasterOp::SrcCopy);
        return;
    }
    for (const Renderer::RowBand& band : rows) {
        target.BitBlt(0, band.top, target.Width(), band.bottom - band.top, layer, 0, band.top,
                      RasterOp::SrcCopy);
    }
}

}  // namespace

Renderer::RowBand Renderer::Union(const RowBand& a, const RowBand& b) {
    if (a.top >= a.bottom) {
        return b;
    }
    if (b.top >= b.bottom) {
        return a;
    }
    return {std::min(a.top, b.top), std::max(a.bottom, b.bottom)};
}

Renderer::RowBands Renderer::ComposeGraph(Surface& target, bool simple, const RowBands& rows) {
    // The grid lines of the last frame are laid again while they would come out the same.
    const GridInputs inputs = GridInputsOf(target, simple);
    const bool reuse = gridRecorded_ && inputs == gridInputs_;
    if (!reuse) {
        gridInputs_ = inputs;
        gridLog_.Clear();
        gridSteps_.fill(0);
        baseKept_ = false;
    }
    // Only the bands when the rest of the last frame stays: the same lines on the same base, and a
    // graph layer as large as the frame whose background cannot have changed (as a system colour
    // may have). Laying the recorded lines again over the rest writes what is there already.
    const bool graphFits = picBack.Width() == target.Width() && picBack.Height() == target.Height();
    const bool partial =
        reuse && graphFits && (simple || baseKept_) && !IsSystemColour(picBack.BackColor());
    const RowBands bands = partial ? rows : RowBands{RowBand{0, target.Height()}, RowBand{0, 0}};
    if (simple) {
        CopyLayer(target, picBack, bands);
    } else if (reuse && baseKept_) {
        ComposeFromBase(target, bands);
    } else {
        // The board is laid from its source only here, where the lines under the graph change.
        LayBoard(target);
        // Drawn, not recorded: they are kept on the board below, which is laid again only when
        // they change.
        DrawGridLines(target, LineMode::UnderGraph, simple);
        // The board with the lines under the graph stays as it is until they change.
        baseKept_ = picBoard.Width() == target.Width() && picBoard.Height() == target.Height();
        if (baseKept_) {
            picBoard.BitBlt(0, 0, target.Width(), target.Height(), target, 0, 0, RasterOp::SrcCopy);
        }
        target.CutOut(picMask);
        GridStep(target, LineMode::Merged, simple, reuse);
        target.BitBlt(0, 0, target.Width(), target.Height(), picBack, 0, 0, RasterOp::SrcInvert);
    }
    GridStep(target, LineMode::OverGraph, simple, reuse);
    gridRecorded_ = gridLog_.Complete();
    return bands;
}

void Renderer::ComposeFromBase(Surface& target, const RowBands& rows) {
    // Board and lines under the graph, mask and graph layer in one pass; the lines merged with the
    // graph are laid beneath the graph layer's exclusive or. Bands of rows are composed only with
    // a graph layer as large as the frame (else `rows` is the whole frame).
    const bool merged = gridSteps_[1] != gridSteps_[2];
    const bool graphFits = picBack.Width() == target.Width() && picBack.Height() == target.Height();
    if (!merged || graphFits) {
        for (const RowBand& band : rows) {
            target.ComposeMasked(picBoard, picMask, &picBack, band.top, band.bottom);
        }
        target.ReplayUnder(gridLog_, gridSteps_[1], gridSteps_[2], picBack);
        return;
    }
    target.ComposeMasked(picBoard, picMask, nullptr);
    target.Replay(gridLog_, gridSteps_[1], gridSteps_[2]);
    target.BitBlt(0, 0, target.Width(), target.Height(), picBack, 0, 0, RasterOp::SrcInvert);
}

void Renderer::BuildTone(Surface& tone, bool ready) const {
    if (ready) {
        return;
    }
    switch (theme_.ForeType) {
        case ForeKind::Line:
        case ForeKind::Filled:
            tone.Clear();
            break;
        case ForeKind::Pattern:
        case ForeKind::Image:
            tone.StretchBlt(0, 0, tone.Width(), tone.Height(), picReadTone, 0, 0,
                            picReadTone.Width(), picReadTone.Height());
            break;
        default:
            break;
    }
}

void Renderer::UpdateGraphLayers(Surface& back, CoverageMask& mask, const Surface& tone,
                                 std::int32_t& lastPos, bool /*simple*/, bool ready) {
    // `simple` only decides whether the mask will be used; it is kept up to date either way, so a
    // later change of mode finds it right.
    const std::int32_t w = back.Width();
    const std::int32_t h = back.Height();
    const std::int32_t n = history_.Empty() ? 0 : history_.count;
    const std::int32_t pos = history_.Pos();

    std::int32_t fresh = 0;
    if (n > 0) {
        const std::int64_t diff = static_cast<std::int64_t>(pos) - lastPos;
        fresh = static_cast<std::int32_t>((diff % n + n) % n);
    }
    fresh = std::min(fresh, w);
    lastPos = pos;

    std::int32_t count = 0;
    if (mask.Width() != w || mask.Height() != h) {
        // The mask follows its layer's size; a mask made again has everything to draw.
        mask.Resize(w, h);
        ready = false;
    }
    if (ready) {
        // Rows above the graph's top hold only the background, which moving leaves as it is
        // (unless the background is a system colour, which may have changed since it was laid).
        const std::int32_t top = IsSystemColour(back.BackColor()) ? 0 : mask.FirstCoveredRow();
        back.ScrollLeft(fresh, back.BackColor(), top);
        mask.ScrollLeft(fresh, top);
        count = fresh;
    } else {
        back.Clear();
        mask.Clear();
        count = std::min(n, w);
    }
    if (n == 0) {
        return;
    }
    if (FillsColumns(theme_.ForeType)) {
        FillColumns(back, mask, tone, count);
    }
    if (theme_.ForeType == ForeKind::Line || theme_.ForeEdge == 1) {
        DrawGraphLine(back, mask, count);
    }
}

std::int32_t Renderer::ToneColumnOf(std::int32_t index) const {
    return index >= 0 && static_cast<std::size_t>(index) < ToneColumn.size()
               ? ToneColumn[static_cast<std::size_t>(index)]
               : 0;
}

void Renderer::FillColumn(Surface& back, CoverageMask& mask, const Surface& tone, std::int32_t x,
                          std::int32_t y, std::int32_t index) {
    const std::int32_t h = back.Height() - y;
    const std::int32_t column = ToneColumnOf(index);
    if (theme_.ForePosition != 0 && theme_.ForeType != ForeKind::Filled) {
        // The whole tone squeezed into the column.
        back.StretchBlt(x, y, 1, h, tone, column, 0, 1, tone.Height());
    } else {
        // The tone at the same height: it stays fixed to the graph's area.
        back.BitBlt(x, y, 1, h, tone, column, y, RasterOp::SrcCopy);
    }
    mask.CoverLine(x, y, x, back.Height());
}

void Renderer::FillColumns(Surface& back, CoverageMask& mask, const Surface& tone,
                           std::int32_t count) {
    const std::int32_t w = back.Width();
    const std::int32_t h = back.Height();
    std::int32_t idx = history_.PrevIndex(history_.Pos());
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t x = w - 1 - i;
        const std::int32_t columnHeight = ColumnHeight(h, history_.Sample(idx));
        if (columnHeight > 0) {
            FillColumn(back, mask, tone, x, h - columnHeight, idx);
        }
        idx = history_.PrevIndex(idx);
    }
}

void Renderer::DrawGraphLine(Surface& back, CoverageMask& mask, std::int32_t count) {
    const std::int32_t w = back.Width();
    const std::int32_t h = back.Height();
    const Colour rising = static_cast<Colour>(theme_.ForeColor1);
    const Colour falling = static_cast<Colour>(theme_.ForeColor2);

    std::int32_t idx = history_.PrevIndex(history_.Pos());
    std::int32_t x1 = w - 1;
    std::int32_t h1 = ColumnHeight(h, history_.Sample(idx));
    std::int32_t y1 = h - h1;
    for (std::int32_t i = 0; i <= count; ++i) {
        // (x0, y0) the newer point, (x1, y1) the older one.
        const std::int32_t x0 = x1;
        const std::int32_t h0 = h1;
        const std::int32_t y0 = y1;
        idx = history_.PrevIndex(idx);
        x1 = w - 2 - i;
        h1 = ColumnHeight(h, history_.Sample(idx));
        y1 = h - h1;
        if (i == count) {
            // A vertical stub at the last point, halfway towards the older one.
            x1 = x0;
            y1 = Nint((y0 + y1) / 2.0);
        }
        if (h0 <= 0 && h1 <= 0) {
            continue;
        }
        // A line leaves out its end point: +-1 makes it reach the newer point.
        if (h0 < h1) {
            back.DrawLine(x1, y1, x0, y0 + 1, falling);
            mask.CoverLine(x1, y1, x0, y0 + 1);
        } else if (h0 == h1) {
            back.DrawLine(x1, y1, x0, y0, rising);
            mask.CoverLine(x1, y1, x0, y0);
        } else {
            back.DrawLine(x1, y1, x0, y0 - 1, rising);
            mask.CoverLine(x1, y1, x0, y0 - 1);
        }
    }
}

}  // namespace moravel
