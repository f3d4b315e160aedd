// Renderer: the text of the newest usage value over the window graph.
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

void Renderer::DrawUsageText(Surface& target, std::int32_t value) {
    if (!GraphReady) {
        // A rebuild frame: font, prefix or suffix may have changed since the last one.
        RebuildTexts();
        for (std::size_t a = 0; a < texts_.size(); ++a) {
            TextWidths[a] = Nint(target.TextWidth(fonts_, texts_[a]));
            TextHeights[a] = Nint(target.TextHeight(fonts_, texts_[a]));
        }
    }
    if (theme_.TextType == TextKind::None) {
        return;
    }
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

    const std::string_view text = texts_[v];
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

}  // namespace moravel
