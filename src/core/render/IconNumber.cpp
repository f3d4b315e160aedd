#include "core/render/IconNumber.h"

#include <algorithm>
#include <array>

namespace moravel {
namespace {

constexpr std::int32_t kStroke = 2;
constexpr std::int32_t kDigitTop = 1;
constexpr std::int32_t kDigitHeight = 14;

// The segments of each digit, bits a to g: top, upper right, lower right, bottom, lower left,
// upper left, middle.
constexpr std::array<std::uint8_t, 10> kSegments = {
    0b0111111, 0b0000110, 0b1011011, 0b1001111, 0b1100110,
    0b1101101, 0b1111101, 0b0000111, 0b1111111, 0b1101111,
};

// One digit in the cell at `x` of `width` pixels.
void DrawDigit(Surface& target, std::int32_t x, std::int32_t width, std::int32_t digit,
               Colour colour) {
    const std::int32_t top = kDigitTop;
    const std::int32_t bottom = kDigitTop + kDigitHeight - 1;
    const std::int32_t middle = kDigitTop + (kDigitHeight - kStroke) / 2;
    const std::int32_t right = x + width - 1;
    const auto on = [&](int segment) { return (kSegments[digit] >> segment & 1) != 0; };
    const auto box = [&](std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
        target.FillBox(x1, y1, x2, y2, colour);
    };
    if (on(0)) {
        box(x, top, right, top + kStroke - 1);
    }
    if (on(1)) {
        box(right - kStroke + 1, top, right, middle + kStroke - 1);
    }
    if (on(2)) {
        box(right - kStroke + 1, middle, right, bottom);
    }
    if (on(3)) {
        box(x, bottom - kStroke + 1, right, bottom);
    }
    if (on(4)) {
        box(x, middle, x + kStroke - 1, bottom);
    }
    if (on(5)) {
        box(x, top, x + kStroke - 1, middle + kStroke - 1);
    }
    if (on(6)) {
        box(x, middle, right, middle + kStroke - 1);
    }
}

}  // namespace

void DrawUsageNumber(Surface& target, std::int32_t usage, Colour back, Colour digits) {
    constexpr std::int32_t kSize = 16;
    constexpr std::int32_t kWide = 7;
    const Colour plainBack = ResolveColour(back);
    Colour plainDigits = ResolveColour(digits);
    if (plainDigits == plainBack) {
        plainDigits = plainBack ^ kColourBits;
    }
    target.FillBox(0, 0, kSize - 1, kSize - 1, back);
    const std::int32_t value = std::clamp(usage, 0, 100);
    if (value == 100) {
        DrawDigit(target, 0, kStroke, 1, plainDigits);  // the one as a bare stroke
        DrawDigit(target, 3, 6, 0, plainDigits);
        DrawDigit(target, 10, 6, 0, plainDigits);
    } else if (value >= 10) {
        DrawDigit(target, 0, kWide, value / 10, plainDigits);
        DrawDigit(target, kWide + 1, kWide, value % 10, plainDigits);
    } else {
        DrawDigit(target, (kSize - kWide) / 2, kWide, value, plainDigits);
    }
}

}  // namespace moravel
