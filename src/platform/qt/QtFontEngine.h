// Text for the surfaces through Qt: fonts by face, size in points and style, glyphs drawn
// anti-aliased into the surface's pixels.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QString>
#include <optional>
#include <string>
#include <string_view>

#include "render/FontEngine.h"

namespace moravel {

// The installed family that stands in for `face` when the face itself is missing: the IPA fonts
// carry the metrics of the Japanese Windows faces ("ＭＳ ゴシック" is IPAGothic). "" when `face`
// has no stand-in.
QString StandInFamily(std::string_view face);

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
    // Makes font_ and metrics_ those of `font`; false for a size outside 1..300 points.
    bool Select(const FontSpec& font);
    // text_ becomes `text`, decoded from UTF-8 into the buffer it already has.
    const QString& Decode(std::string_view text);

    double dpi_;
    std::optional<FontSpec> selected_;
    QFont font_;
    std::optional<QFontMetricsF> metrics_;
    QString text_;
    QImage scratch_;
};

}  // namespace moravel
