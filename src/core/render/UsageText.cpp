// Renderer: the text of the newest usage value over the window graph, and its record between
// frames.
#include <algorithm>
#include <charconv>

#include "core/render/RenderMath.h"
#include "core/render/Renderer.h"

namespace moravel {

using render_detail::Nint;

void Renderer::RebuildTexts() {
    for (std::int32_t value = 0; value < kUsageValueCount; ++value) {
        char digits[4];
        const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        std::string& text = texts_[static_cast<std::size_t>(value)];
        text.assign(theme_.TextPrefix);
        text.append(digits, end);
        text.append(theme_.TextSuffix);
    }
}

std::string_view Renderer::UsageText(std::int32_t value) const {
    return texts_[static_cast<std::size_t>(std::clamp(value, 0, kUsageValueCount - 1))];
}

namespace {

// The text's record holds at most this many pixels (2 MB); a text that needs more is drawn in
// every frame instead.
constexpr std::size_t kMaxTextRecord = std::size_t{1} << 18;
constexpr std::size_t kEdgedDraws = 5;

}  // namespace

void Renderer::MeasureTexts(const Surface& target) {
    // A rebuild frame: font, prefix or suffix may have changed since the last one.
    RebuildTexts();
    std::int32_t widest = 0;
    std::int32_t tallest = 0;
    for (std::size_t a = 0; a < texts_.size(); ++a) {
        TextWidths[a] = Nint(target.TextWidth(fonts_, texts_[a]));
        TextHeights[a] = Nint(target.TextHeight(fonts_, texts_[a]));
        widest = std::max(widest, TextWidths[a]);
        tallest = std::max(tallest, TextHeights[a]);
    }
    // Room for the pixels of the edged text's five drawings, each within twice the area of its box
    // widened by a line height (glyphs may reach beyond the box).
    const auto w = static_cast<std::size_t>(widest) + static_cast<std::size_t>(tallest);
    const auto area = std::min(
        2 * w * static_cast<std::size_t>(tallest),
        static_cast<std::size_t>(target.Width()) * static_cast<std::size_t>(target.Height()));
    textLog_.Reserve(std::min(kEdgedDraws * area, kMaxTextRecord));
}

Renderer::TextPlacement Renderer::PlaceText(const Surface& target, std::int32_t value) const {
    const std::size_t v = static_cast<std::size_t>(std::clamp(value, 0, kUsageValueCount - 1));
    const std::int32_t w = target.Width();
    const std::int32_t h = target.Height();
    const std::int32_t tw = TextWidths[v];
    const std::int32_t th = TextHeights[v];
    const GridCell cell = CellOf(theme_.TextPosition);

    std::int32_t x = 4;
    switch (cell.column) {
        case 1:
            x = Nint((static_cast<double>(w) - tw) / 2);
            break;
        case 2:
            x = w - tw - 4;
            break;
        default:
            break;
    }
    std::int32_t y = 2;
    switch (cell.row) {
        case 1:
            y = Nint((static_cast<double>(h) - th) / 2);
            break;
        case 2:
            y = h - th - 2;
            break;
        default:
            break;
    }
    return {v, x, y};
}

void Renderer::DrawTextAt(Surface& target, const TextPlacement& place) {
    const std::string_view text = texts_[place.value];
    const std::int32_t x = place.x;
    const std::int32_t y = place.y;
    if (theme_.TextType == TextKind::Edged) {
        // An edge: light above and to the left, dark below and to the right.
        const Colour light = static_cast<Colour>(theme_.TextColor2);
        const Colour dark = static_cast<Colour>(theme_.TextColor3);
        target.DrawText(fonts_, x + 1, y, text, dark);
        target.DrawText(fonts_, x - 1, y, text, light);
        target.DrawText(fonts_, x, y + 1, text, dark);
        target.DrawText(fonts_, x, y - 1, text, light);
    }
    target.DrawText(fonts_, x, y, text, static_cast<Colour>(theme_.TextColor1));
}

void Renderer::DrawUsageText(Surface& target, std::int32_t value) {
    if (!GraphReady) {
        MeasureTexts(target);
    }
    if (theme_.TextType == TextKind::None) {
        return;
    }
    DrawTextAt(target, PlaceText(target, value));
}

void Renderer::DrawFrameText(Surface& target, std::int32_t value) {
    if (!GraphReady) {
        MeasureTexts(target);
    }
    if (theme_.TextType == TextKind::None) {
        return;
    }
    const TextInputs inputs{target.Width(),
                            target.Height(),
                            PlaceText(target, value),
                            theme_.TextType,
                            {ResolveColour(static_cast<Colour>(theme_.TextColor1)),
                             ResolveColour(static_cast<Colour>(theme_.TextColor2)),
                             ResolveColour(static_cast<Colour>(theme_.TextColor3))}};
    const bool same = textSeen_ && inputs == textInputs_ && target.Font() == textFont_;
    if (same && textRecorded_) {
        // The same text in the same place, colours and font: its pixels as last drawn.
        target.Replay(textLog_, 0, textLog_.Size());
        return;
    }
    if (!same) {
        // A new text is drawn as it is, and recorded when the next frame shows it again: a value
        // that changes with every tick costs no record.
        textInputs_ = inputs;
        textFont_ = target.Font();  // in the memory the last font took, unless it is longer
        textSeen_ = true;
        textRecorded_ = false;
        DrawTextAt(target, inputs.place);
        return;
    }
    textLog_.Clear();
    target.RecordInto(&textLog_);
    DrawTextAt(target, inputs.place);
    target.RecordInto(nullptr);
    textRecorded_ = textLog_.Complete();
    if (textRecorded_) {
        target.Settle(textLog_);  // what the edge drawings cover, laid once
    }
}

}  // namespace moravel
