// An off-screen drawing surface: 32-bit pixels with the raster operations the renderer relies on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/render/Colour.h"
#include "core/render/CoverageMask.h"

namespace moravel {

class FontEngine;

// Raster operations of block copies, with their GDI codes. D is the destination, S the source.
enum class RasterOp : std::uint32_t {
    SrcCopy = 0x00CC0020,    // D = S
    SrcAnd = 0x008800C6,     // D = D & S
    SrcInvert = 0x00660046,  // D = D ^ S
    DSna = 0x00220326,       // D = D & ~S
};

// One-pixel cosmetic pens. Dashes are 18 pixels on and 6 off, dots 3 on and 3 off, counted from
// each line's first pixel; the gaps leave the surface as it was.
enum class PenStyle : std::int32_t {
    Solid = 0,
    Dash = 1,
    Dot = 2,
};

// A font as the surfaces carry it. An empty face is the UI's default face.
struct FontSpec {
    std::string face;
    double points = 9;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    bool operator==(const FontSpec&) const = default;
};

inline constexpr double kMinFontPoints = 1;
inline constexpr double kMaxFontPoints = 300;

// True for sizes from 1 to 300 points.
bool FontSizeAllowed(double points);

// The single pixels a drawing wrote (SetPixel, BlendPixel, BlendRow, DrawLine), in order, so that
// the same drawing can be laid on a later frame of a surface of the same size without being drawn
// again: Surface::Replay writes exactly what the drawing wrote, blends mixed with what lies under
// them then. It holds at most the entries reserved for it; a drawing that writes more leaves it
// incomplete, and an incomplete log must not be replayed.
class PixelLog {
  public:
    // Room for `entries` pixels; memory is taken here only.
    void Reserve(std::size_t entries) { entries_.reserve(entries); }
    // Empty and complete again.
    void Clear() {
        entries_.clear();
        complete_ = true;
    }
    std::size_t Size() const { return entries_.size(); }
    bool Complete() const { return complete_; }

  private:
    friend class Surface;
    struct Entry {
        std::uint32_t offset;  // y * width + x
        PixelWord pixel;       // the colour's pixel word, its coverage (255: set) in the top byte
    };
    void Add(std::size_t offset, PixelWord pixel, std::uint32_t coverage) {
        if (entries_.size() == entries_.capacity() || offset > UINT32_MAX) {
            complete_ = false;
            return;
        }
        entries_.push_back({static_cast<std::uint32_t>(offset), pixel | (coverage << 24)});
    }

    std::vector<Entry> entries_;
    bool complete_ = true;
};

// The rows a drawing wrote to: the band [top, bottom), empty while top >= bottom.
struct RowSpan {
    std::int32_t top = INT32_MAX;
    std::int32_t bottom = INT32_MIN;
    bool Empty() const { return top >= bottom; }
    void Add(std::int32_t y) {
        top = y < top ? y : top;
        bottom = y + 1 > bottom ? y + 1 : bottom;
    }
};

// Width and height are the inner (drawable) size; every operation clips to it. Pixels are stored
// as PixelWord (0x00RRGGBB, top byte 0), the layout the screen takes without conversion; colours
// go in and come out as 0x00BBGGRR (Pixel, SetPixel, the drawing calls) and are converted there.
// Colours passed in may be system colours and are resolved when drawn. A surface keeps its content
// until it is cleared, resized or drawn over.
class Surface {
  public:
    // 1 x 1, black background, solid pen, the default font.
    Surface();
    Surface(std::int32_t width, std::int32_t height);

    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }

    // A new size (negative counts as 0); the whole content becomes the background colour. Memory
    // is allocated only when the surface grows beyond any size it has had.
    void Resize(std::int32_t width, std::int32_t height);
    // Drops the picture and its memory: back to 1 x 1, cleared (for a large picture that is no
    // longer needed).
    void Release();

    Colour BackColor() const { return backColor_; }
    // The colour Clear() fills with; a system colour is resolved at each clear.
    void SetBackColor(Colour colour) { backColor_ = colour; }

    PenStyle Pen() const { return pen_; }
    void SetPen(PenStyle style) { pen_ = style; }

    const FontSpec& Font() const { return font_; }
    // Each assignment either takes effect or fails and leaves the font as it was: a face the
    // engine cannot provide fails, so does a size outside 1..300 points.
    bool SetFontFace(FontEngine& engine, std::string_view face);
    bool SetFontSize(double points);
    void SetFontBold(bool on) { font_.bold = on; }
    void SetFontItalic(bool on) { font_.italic = on; }
    void SetFontUnderline(bool on) { font_.underline = on; }
    void SetFontStrikeOut(bool on) { font_.strikeOut = on; }

    // Row by row from the top, Width() pixel words per row (0x00RRGGBB; see ToPixel, ToColour).
    PixelWord* Pixels() { return pixels_.data(); }
    const PixelWord* Pixels() const { return pixels_.data(); }
    // The colour of the pixel at (x, y); 0 outside the surface.
    Colour Pixel(std::int32_t x, std::int32_t y) const;
    // Clipped: outside the surface nothing happens.
    void SetPixel(std::int32_t x, std::int32_t y, Colour colour);
    // For anti-aliased glyphs: coverage 255 sets the colour, 0 leaves the pixel, values between
    // mix the two linearly per channel (rounded to nearest). Clipped.
    void BlendPixel(std::int32_t x, std::int32_t y, Colour colour, std::uint8_t coverage);
    // BlendPixel for the `count` pixels from (x, y) rightwards, pixel i with coverage[i]: a row of
    // a glyph at once. Clipped.
    void BlendRow(std::int32_t x, std::int32_t y, Colour colour, const std::uint8_t* coverage,
                  std::int32_t count);

    // While `log` is set, every pixel that SetPixel, BlendPixel, BlendRow and DrawLine write (text
    // comes through the first three) is also entered in it; nullptr stops.
    void RecordInto(PixelLog* log) { log_ = log; }
    // While `span` is set, the rows SetPixel, BlendPixel, BlendRow and Replay write (the ways text
    // reaches a surface) are added to it; nullptr stops.
    void TrackRows(RowSpan* span) { rows_ = span; }
    // Writes the entries [begin, end) of `log`, made on a surface of this size, as they were
    // drawn.
    void Replay(const PixelLog& log, std::size_t begin, std::size_t end);
    // Shortens `log`, just recorded on this surface and nothing drawn since: a pixel the drawing
    // set outright at some point (coverage 255) becomes one entry setting it to the value it has
    // now, since what lay under it no longer shows; pixels only blended keep their blends in
    // order. Replaying the shorter log gives the same pixels.
    void Settle(PixelLog& log);
    // The same under a SRCINVERT of `graph` already made: what Replay before that SRCINVERT and
    // the SRCINVERT after it would give (graph as large as this surface; else nothing happens).
    void ReplayUnder(const PixelLog& log, std::size_t begin, std::size_t end, const Surface& graph);

    // Fills the whole surface with the background colour.
    void Clear();

    // Block copy of the w x h rectangle at (sx, sy) of `source` to (dx, dy) of this surface.
    // Never stretches. Clipped to both surfaces; pixels whose source lies outside `source` stay
    // as they were. `source` may be this surface, rectangles overlapping (a scroll).
    void BitBlt(std::int32_t dx, std::int32_t dy, std::int32_t w, std::int32_t h,
                const Surface& source, std::int32_t sx, std::int32_t sy, RasterOp op);

    // Every row moved left by `n` pixels and the `n` columns at the right filled with `fill`: a
    // block copy of the area from (n, 0) to (0, 0) and a filled box, as a scrolling graph wants.
    void ScrollLeft(std::int32_t n, Colour fill) { ScrollLeft(n, fill, 0); }
    // The same for the rows from `fromRow` down only.
    void ScrollLeft(std::int32_t n, Colour fill, std::int32_t fromRow);

    // Each pixel covered by `mask` (from (0, 0)) becomes black: a SRCAND of the mask's picture,
    // black where covered and white elsewhere.
    void CutOut(const CoverageMask& mask);
    // What a block copy of `board`, CutOut(mask) and then, when given, a SRCINVERT of `graph` give,
    // each over the whole surface from (0, 0), in one pass. The sources are other surfaces.
    void ComposeMasked(const Surface& board, const CoverageMask& mask, const Surface* graph) {
        ComposeMasked(board, mask, graph, 0, height_);
    }
    // The same for the rows [top, bottom) only, where the sources cover the surface; where they
    // do not, the whole surface is composed.
    void ComposeMasked(const Surface& board, const CoverageMask& mask, const Surface* graph,
                       std::int32_t top, std::int32_t bottom);

    // Copies the sw x sh rectangle at (sx, sy) of `source` into the dw x dh rectangle at (dx, dy),
    // nearest pixel, SRCCOPY. Nothing happens when any of the four sizes is 0 or less. Clipped to
    // both surfaces as BitBlt. `source` must not be this surface.
    void StretchBlt(std::int32_t dx, std::int32_t dy, std::int32_t dw, std::int32_t dh,
                    const Surface& source, std::int32_t sx, std::int32_t sy, std::int32_t sw,
                    std::int32_t sh);

    // A one-pixel line in the pen style from (x1, y1) towards (x2, y2); the end point itself is not
    // drawn, so a line from a point to itself draws nothing.
    void DrawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                  Colour colour);

    // A filled box with corners (x1, y1) and (x2, y2), both included, in either order.
    void FillBox(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, Colour colour);

    // `text` (UTF-8) in the surface's font with its top-left at (x, y), transparent background.
    void DrawText(FontEngine& engine, std::int32_t x, std::int32_t y, std::string_view text,
                  Colour colour);
    // Size in pixels of `text` in the surface's font (the height is the font's line height).
    double TextWidth(FontEngine& engine, std::string_view text) const;
    double TextHeight(FontEngine& engine, std::string_view text) const;

  private:
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::vector<PixelWord> pixels_;
    PixelLog* log_ = nullptr;
    RowSpan* rows_ = nullptr;
    Colour backColor_ = 0;
    PenStyle pen_ = PenStyle::Solid;
    FontSpec font_;
};

}  // namespace moravel
