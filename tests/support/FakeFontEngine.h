// A font engine with fixed, simple metrics, for pixel tests of text.
//
// Every character (UTF-8 code point) takes a cell points / 2 pixels wide; a line is `points` pixels
// high. A glyph is a solid block filling its cell except the cell's last column, all rows of the
// line. Faces are those in `faces`. Draw records what it was asked without allocating.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/render/FontEngine.h"

namespace moravel::test {

class FakeFontEngine : public FontEngine {
  public:
    bool HasFace(std::string_view face) override {
        for (const std::string& f : faces) {
            if (f == face) {
                return true;
            }
        }
        return false;
    }

    TextSize Measure(const FontSpec& font, std::string_view text) override {
        if (!FontSizeAllowed(font.points)) {
            return {};
        }
        return {static_cast<double>(CodePoints(text)) * font.points / 2, font.points};
    }

    void Draw(Surface& target, const FontSpec& font, std::int32_t x, std::int32_t y,
              std::string_view text, Colour colour) override {
        if (!FontSizeAllowed(font.points)) {
            return;
        }
        colours[drawCalls % colours.size()] = colour;
        ++drawCalls;
        const double cell = font.points / 2;
        const auto rows = static_cast<std::int32_t>(std::lround(font.points));
        const std::size_t n = CodePoints(text);
        for (std::size_t k = 0; k < n; ++k) {
            const auto left =
                x + static_cast<std::int32_t>(std::floor(static_cast<double>(k) * cell));
            const auto right =
                x + static_cast<std::int32_t>(std::floor(static_cast<double>(k + 1) * cell)) - 2;
            for (std::int32_t row = y; row < y + rows; ++row) {
                for (std::int32_t col = left; col <= right; ++col) {
                    target.SetPixel(col, row, colour);
                }
            }
        }
    }

    static std::size_t CodePoints(std::string_view text) {
        std::size_t n = 0;
        for (const char c : text) {
            if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
                ++n;
            }
        }
        return n;
    }

    std::vector<std::string> faces = {"", "Fake Sans", "ＭＳ ゴシック"};
    std::size_t drawCalls = 0;
    std::array<Colour, 8> colours{};  // the colours of the last draws, by call number modulo 8
};

}  // namespace moravel::test
