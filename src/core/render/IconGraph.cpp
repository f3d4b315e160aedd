// Renderer: the tray-icon graph in its three styles.
#include <algorithm>

#include "core/render/IconNumber.h"
#include "core/render/RenderMath.h"
#include "core/render/Renderer.h"

namespace moravel {

using render_detail::ColumnHeight;

namespace {

constexpr Colour kScaleBack = 0x000000;
constexpr Colour kScaleLine = 0x007F3F;
constexpr Colour kNewestBar = 0x00FF00;
constexpr Colour kPreviousBar = 0x007F00;

}  // namespace

void Renderer::DrawIconGraph(Surface& target) {
    // The copy fills exactly the inner area of the frame picture; the frame stays as it is.
    switch (settings_.IconGraphMode) {
        case TrayIconMode::Graph:
            DrawIconScroll(picIcon);
            target.BitBlt(1, 2, picIcon.Width(), picIcon.Height(), picIcon, 0, 0,
                          RasterOp::SrcCopy);
            break;
        case TrayIconMode::Meter1:
            DrawIconMeter1(picIcon);
            target.BitBlt(2, 1, picIcon.Width(), picIcon.Height(), picIcon, 0, 0,
                          RasterOp::SrcCopy);
            break;
        case TrayIconMode::Meter2:
            DrawIconMeter2(picIcon);
            target.BitBlt(2, 1, picIcon.Width(), picIcon.Height(), picIcon, 0, 0,
                          RasterOp::SrcCopy);
            break;
        case TrayIconMode::Number:
            if (&target != &picIcon) {  // no layers to rebuild: the number is drawn whole
                DrawUsageNumber(
                    target,
                    history_.Empty() ? 0 : history_.Sample(history_.PrevIndex(history_.Pos())),
                    static_cast<Colour>(theme_.BackColor), static_cast<Colour>(theme_.ForeColor1));
            }
            break;
        default:
            break;
    }
}

Surface& Renderer::IconPicture() {
    switch (settings_.IconGraphMode) {
        case TrayIconMode::Graph:
            return picIconGraph[0];
        case TrayIconMode::Number:
            return picIconNumber;
        default:
            return picIconGraph[1];
    }
}

void Renderer::ComposeIcon(Surface& target, bool simple) const {
    const std::int32_t w = target.Width();
    const std::int32_t h = target.Height();
    target.Clear();
    if (simple) {
        target.BitBlt(0, 0, w, h, picIconBack, 0, 0, RasterOp::SrcCopy);
    } else {
        target.BitBlt(0, 0, w, h, picIconBoard, 0, 0, RasterOp::SrcCopy);
        target.CutOut(picIconMask);
        target.BitBlt(0, 0, w, h, picIconBack, 0, 0, RasterOp::SrcInvert);
    }
}

void Renderer::DrawIconScroll(Surface& target) {
    const bool simple = IsSimpleBack();
    BuildTone(picIconTone, IconReady);
    UpdateGraphLayers(picIconBack, picIconMask, picIconTone, LastIconPos, simple, IconReady);
    BuildBoard(picIconBoard, simple, IconReady);
    ComposeIcon(target, simple);
    IconReady = true;
}

void Renderer::DrawIconMeter2(Surface& target) {
    const bool simple = IsSimpleBack();
    BuildTone(picIconTone, IconReady);
    BuildMeterLayers(picIconBack, picIconMask, picIconTone, simple);
    BuildBoard(picIconBoard, simple, IconReady);
    ComposeIcon(target, simple);
    IconReady = true;
}

void Renderer::BuildMeterLayers(Surface& back, CoverageMask& mask, const Surface& tone,
                                bool /*simple*/) {
    const std::int32_t w = back.Width();
    const std::int32_t h = back.Height();
    back.Clear();
    mask.Clear();
    if (history_.Empty()) {
        return;
    }
    // The whole meter shows the newest sample; each column takes the tone column of the sample
    // a scrolling graph would show there.
    std::int32_t idx = history_.PrevIndex(history_.Pos());
    const std::int32_t level = ColumnHeight(h, history_.Sample(idx));
    const std::int32_t y = h - level;
    if (FillsColumns(theme_.ForeType) && level >= 1) {
        for (std::int32_t i = 0; i < w; ++i) {
            FillColumn(back, mask, tone, w - 1 - i, y, idx);
            idx = history_.PrevIndex(idx);
        }
    }
    if (theme_.ForeType == ForeKind::Line || theme_.ForeEdge == 1) {
        const Colour left = static_cast<Colour>(theme_.ForeColor1);
        const Colour right = static_cast<Colour>(theme_.ForeColor2);
        back.DrawLine(0, y, w, y, left);
        mask.CoverLine(0, y, w, y);
        back.DrawLine(0, y, 0, h, left);
        mask.CoverLine(0, y, 0, h);
        back.DrawLine(w - 1, y, w - 1, h, right);
        mask.CoverLine(w - 1, y, w - 1, h);
    }
}

void Renderer::DrawIconMeter1(Surface& target) {
    DrawMeterBars(target, picIconBack, IconReady);
    IconReady = true;
}

void Renderer::DrawMeterBars(Surface& target, Surface& scale, bool ready) {
    if (!ready) {
        // The scale: black, with lines at 20, 40, 60 and 80 %.
        const std::int32_t ws = scale.Width();
        const std::int32_t hs = scale.Height();
        scale.FillBox(0, 0, ws - 1, hs, kScaleBack);
        for (std::int32_t k = 1; k <= 4; ++k) {
            const std::int32_t y =
                hs - static_cast<std::int32_t>(static_cast<std::int64_t>(hs) * k / 5) - 1;
            scale.DrawLine(0, y, ws, y, kScaleLine);
        }
    }
    target.BitBlt(0, 0, scale.Width(), scale.Height(), scale, 0, 0, RasterOp::SrcCopy);
    if (history_.Empty()) {
        return;
    }
    const std::int32_t w = target.Width();
    const std::int32_t h = target.Height();
    std::int32_t idx = history_.PrevIndex(history_.Pos());
    const std::int32_t newest = ColumnHeight(h, history_.Sample(idx));
    idx = history_.PrevIndex(idx);
    const std::int32_t previous = ColumnHeight(h, history_.Sample(idx));
    // The value just before, when it was higher, as a dimmer bar above the newest one.
    if (previous > std::max(0, newest)) {
        target.FillBox(0, h - previous, w - 1, h, kPreviousBar);
    }
    if (newest > 0) {
        target.FillBox(0, h - newest, w - 1, h, kNewestBar);
    }
}

}  // namespace moravel
