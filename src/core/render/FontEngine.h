// Text measurement and glyph drawing for the surfaces. The UI layer provides the real engine; tests
// use a fake with fixed metrics.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/render/Colour.h"
#include "core/render/Surface.h"

namespace moravel {

struct TextSize {
    double width = 0;
    double height = 0;
};

class FontEngine {
  public:
    FontEngine() = default;
    virtual ~FontEngine() = default;
    FontEngine(const FontEngine&) = delete;
    FontEngine& operator=(const FontEngine&) = delete;

    // Whether text can be drawn in `face` (a face may be provided by a stand-in with the same
    // metrics). The empty face is the default face and always available.
    virtual bool HasFace(std::string_view face) = 0;

    // Size in pixels of `text` (UTF-8) in `font`: the advance width of the whole string and the
    // font's line height (ascent plus descent), as the text would be drawn by Draw. A font whose
    // size is outside 1..300 points measures {0, 0}.
    virtual TextSize Measure(const FontSpec& font, std::string_view text) = 0;

    // Draws the glyphs of `text` (UTF-8) in `font` and `colour` (a plain 0x00BBGGRR value) so that
    // the text's box has its top-left at (x, y) of `target`. Only glyph pixels change (transparent
    // background); underline and strike-out are part of the glyphs. Clipped to the target; write
    // through Surface::SetPixel, BlendPixel or BlendRow, and only as the arguments say: what is
    // written must not depend on what the target shows, for the renderer records the writes and
    // lays them again on later frames. An engine keeps its scratch space between calls. A size
    // outside 1..300 points draws nothing.
    virtual void Draw(Surface& target, const FontSpec& font, std::int32_t x, std::int32_t y,
                      std::string_view text, Colour colour) = 0;
};

}  // namespace moravel
