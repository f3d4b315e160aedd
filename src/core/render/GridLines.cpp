// Renderer: the grid lines of the window graph, and their record between frames.
#include <algorithm>

#include "core/render/RenderMath.h"
#include "core/render/Renderer.h"

namespace moravel {

using render_detail::ColumnHeight;

namespace {

PenStyle PenOf(LinePen pen) {
    switch (pen) {
        case LinePen::Dashed:
            return PenStyle::Dash;
        case LinePen::Dotted:
            return PenStyle::Dot;
        default:
            return PenStyle::Solid;
    }
}

constexpr std::int32_t kSecondsPerMinute = 60;

}  // namespace

void Renderer::DrawHLines(Surface& target) const {
    const HGridLines type = theme_.GraphHType;
    if (type == HGridLines::None) {
        return;
    }
    const std::int32_t w = target.Width();
    const std::int32_t h = target.Height();
    target.SetPen(PenOf(theme_.GraphHLineType));
    for (std::int32_t p = 10; p <= 90; p += 10) {
        // The row just above the top of a column of p percent.
        const std::int32_t y = h - ColumnHeight(h, p) - 1;
        Colour colour = static_cast<Colour>(theme_.GraphHColor1);
        if (p == 50) {
            colour = static_cast<Colour>(theme_.GraphHColor3);
        } else if (p % 20 == 0) {
            colour = static_cast<Colour>(theme_.GraphHColor2);
        }
        bool drawn = false;
        if (type == HGridLines::Every10) {
            drawn = true;
        } else if (type == HGridLines::Every20) {
            drawn = p % 20 == 0;
        } else {
            drawn = p == 50;  // At50, and any number without a name
        }
        if (drawn) {
            target.DrawLine(0, y, w, y, colour);
        }
    }
    target.SetPen(PenStyle::Solid);
}

void Renderer::DrawVLines(Surface& target) {
    const VGridLines type = theme_.GraphVType;
    if (type == VGridLines::None) {
        return;
    }
    const std::int32_t w = target.Width();
    const std::int32_t h = target.Height();
    const std::int32_t n = history_.Empty() ? 0 : history_.count;
    target.SetPen(PenOf(theme_.GraphVLineType));
    // Lines at whole minutes before the newest sample, as long as the history reaches that far.
    for (std::int32_t t = kSecondsPerMinute; t <= n - 1; t += kSecondsPerMinute) {
        const std::int32_t x = w - t - 1;
        if (x < 0) {
            break;
        }
        Colour colour = static_cast<Colour>(theme_.GraphVColor1);
        if (t % 600 == 0) {
            colour = static_cast<Colour>(theme_.GraphVColor3);
        } else if (t % 300 == 0) {
            colour = static_cast<Colour>(theme_.GraphVColor2);
        }
        bool drawn = false;
        if (type == VGridLines::EveryMinute) {
            drawn = true;
        } else if (type == VGridLines::Every5Minutes) {
            drawn = t % 300 == 0;
        } else {
            drawn = t % 600 == 0;  // Every10Minutes, and any number without a name
        }
        if (drawn) {
            target.DrawLine(x, 0, x, h, colour);
        }
    }
    target.SetPen(PenStyle::Solid);
}

}  // namespace moravel

namespace moravel {

namespace {

// Where the lines drawn at a composition step are kept in the record.
std::size_t StepIndex(LineMode step) {
    switch (step) {
        case LineMode::UnderGraph:
            return 0;
        case LineMode::Merged:
            return 1;
        default:
            return 2;
    }
}

// The largest record of grid lines kept (8 MB); a window that needs more draws its lines in every
// frame instead.
constexpr std::size_t kMaxGridRecord = std::size_t{1} << 20;

}  // namespace

Renderer::GridInputs Renderer::GridInputsOf(const Surface& target, bool simple) const {
    auto resolved = [](std::int32_t a, std::int32_t b, std::int32_t c) {
        return std::array<Colour, 3>{ResolveColour(static_cast<Colour>(a)),
                                     ResolveColour(static_cast<Colour>(b)),
                                     ResolveColour(static_cast<Colour>(c))};
    };
    return GridInputs{
        target.Width(),
        target.Height(),
        history_.Empty() ? 0 : history_.count,
        simple,
        theme_.GraphHType,
        theme_.GraphHLineType,
        theme_.GraphHLineMode,
        resolved(theme_.GraphHColor1, theme_.GraphHColor2, theme_.GraphHColor3),
        theme_.GraphVType,
        theme_.GraphVLineType,
        theme_.GraphVLineMode,
        resolved(theme_.GraphVColor1, theme_.GraphVColor2, theme_.GraphVColor3),
    };
}

void Renderer::ReserveGridRecord() {
    const auto w = static_cast<std::size_t>(picGraph.Width());
    const auto h = static_cast<std::size_t>(picGraph.Height());
    // At most nine rows across, and a column for every minute that fits.
    const std::size_t columns = w > 0 ? (w - 1) / kSecondsPerMinute : 0;
    gridLog_.Reserve(std::min(9 * w + columns * h, kMaxGridRecord));
}

void Renderer::GridStep(Surface& target, LineMode step, bool simple, bool reuse) {
    const std::size_t k = StepIndex(step);
    if (reuse) {
        target.Replay(gridLog_, gridSteps_[k], gridSteps_[k + 1]);
        return;
    }
    gridSteps_[k] = gridLog_.Size();
    target.RecordInto(&gridLog_);
    DrawGridLines(target, step, simple);
    target.RecordInto(nullptr);
    gridSteps_[k + 1] = gridLog_.Size();
}

void Renderer::DrawGridLines(Surface& target, LineMode step, bool simple) {
    if (simple) {
        // Over the graph layer alone: the vertical lines first.
        DrawVLines(target);
        DrawHLines(target);
        return;
    }
    if (theme_.GraphHLineMode == step) {
        DrawHLines(target);
    }
    if (theme_.GraphVLineMode == step) {
        DrawVLines(target);
    }
}

}  // namespace moravel
