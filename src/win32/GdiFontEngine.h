// Text for the surfaces through GDI: fonts by face, size in points and style, glyphs drawn white on
// black into a DIB section and blended into the surface as coverage.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/render/FontEngine.h"
#include "win32/DibCanvas.h"
#include "win32/Handles.h"

namespace moravel {

enum class TextQuality { Antialiased, Plain };

// A face is asked of GDI as it is named; where it is not installed GDI's font mapper picks a
// substitute (a Wine prefix may map "ＭＳ ゴシック" to IPAGothic, which has its metrics). The empty
// face is the desktop's message font. Text is measured and drawn by ExtTextOutW, so the width is
// the sum of the characters' advances without kerning, and the height is ascent plus descent.
// Only the part of a text that falls on the target is rendered, and a text drawn again at the same
// place relative to the target's edges (the edged look draws it five times) is not rendered again.
// Nothing is allocated once the canvas and the text buffers have grown to what a frame needs.
class GdiFontEngine final : public FontEngine {
  public:
    // `logicalDpi` turns points into pixels: 0 takes the screen's; tests use 96.
    explicit GdiFontEngine(double logicalDpi = 0, TextQuality quality = TextQuality::Antialiased);

    bool HasFace(std::string_view face) override;
    TextSize Measure(const FontSpec& font, std::string_view text) override;
    void Draw(Surface& target, const FontSpec& font, std::int32_t x, std::int32_t y,
              std::string_view text, Colour colour) override;

    // The font GDI is asked for to draw `font` (for tests).
    LOGFONTW ToLogFont(const FontSpec& font) const;
    // The face GDI chose for the font of the last call that had a valid size; "" before any.
    std::string SelectedFace();
    double Dpi() const { return dpi_; }
    // Points become pixels at `logicalDpi` from now on (the window moved to a screen of another
    // dpi); 0 takes the screen's.
    void SetDpi(double logicalDpi);

  private:
    // Where the text on the canvas was rendered: its origin on the canvas and the part it covers.
    struct Rendered {
        std::int32_t originX = 0;
        std::int32_t originY = 0;
        std::int32_t width = 0;
        std::int32_t height = 0;
        bool operator==(const Rendered&) const = default;
    };

    // Makes `font` the current one; false for a size outside 1..300 points or a font GDI refuses.
    bool Select(const FontSpec& font);
    // The advance width of wide_ in the current font.
    std::int32_t WideWidth();
    // Renders wide_ white on black with its top-left at the place `where` says, unless it is
    // there already. False when the canvas cannot hold it.
    bool Render(const Rendered& where);

    double dpi_;
    BYTE quality_;
    std::wstring defaultFace_;
    DibCanvas canvas_;
    std::optional<FontSpec> selected_;
    FontHandle font_;
    SelectedObject fontSelection_;  // after font_: put back before the font is deleted
    TEXTMETRICW metrics_ = {};
    std::wstring wide_;
    std::wstring renderedText_;
    std::optional<Rendered> rendered_;
};

}  // namespace moravel
