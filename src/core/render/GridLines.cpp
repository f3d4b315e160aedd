// Renderer: the grid lines of the window graph.
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

void Renderer::DrawHLines(Surface& target) {
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
