// Text for the surfaces through Qt: fonts by face, size in points and style, glyphs drawn
// anti-aliased into the surface's pixels.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QString>
#include <cstdint>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/render/FontEngine.h"

namespace moravel {

// The installed family that stands in for `face` when the face itself is missing: the IPA fonts
// carry the metrics of the Japanese Windows faces ("ＭＳ ゴシック" is IPAGothic). "" when `face`
// has no stand-in.
QString StandInFamily(std::string_view face);

// Text is laid out character by character at the characters' advances (no kerning, as the
// desktop's bitmap-era text output does). Each character is rendered once per font and its
// coverage kept, so a frame's text, drawn up to five times for an edged look, costs no rendering
// and no allocation once its characters have been seen.
class QtFontEngine final : public FontEngine {
  public:
    // `logicalDpi` turns points into pixels: the screen's logical DPI in the program, 96 in tools
    // and tests. Needs a QGuiApplication.
    explicit QtFontEngine(double logicalDpi);

    bool HasFace(std::string_view face) override;
    TextSize Measure(const FontSpec& font, std::string_view text) override;
    void Draw(Surface& target, const FontSpec& font, std::int32_t x, std::int32_t y,
              std::string_view text, Colour colour) override;

    // The Qt font that draws `font` (after the stand-in of its face); for tests.
    QFont ToQFont(const FontSpec& font) const;

  private:
    // One character in the selected font: its advance and its coverage, `width` x `height`
    // pixels whose top-left is (left, top) from the character's place on the text's box.
    struct Glyph {
        double advance = 0;
        int left = 0;
        int top = 0;
        int width = 0;
        int height = 0;
        std::vector<std::uint8_t> coverage;
    };

    // Makes the font of `font` current; false for a size outside 1..300 points.
    bool Select(const FontSpec& font);
    const Glyph& GlyphOf(char32_t code);

    double dpi_;
    std::optional<FontSpec> selected_;
    QFont font_;
    std::optional<QFontMetricsF> metrics_;
    std::unordered_map<char32_t, Glyph> glyphs_;
    QImage scratch_;
};

}  // namespace moravel
