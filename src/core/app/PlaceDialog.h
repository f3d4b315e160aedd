// Where a dialog goes beside another window of the program, inside the work area.
#pragma once

#include <cstdint>

namespace moravel {

// A rectangle by its edges, in screen pixels; right and bottom are exclusive.
struct ScreenRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    std::int32_t width() const { return right - left; }
    std::int32_t height() const { return bottom - top; }
    bool operator==(const ScreenRect&) const = default;
};

struct ScreenPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

enum class PlaceMode : std::int32_t { Cascade = 0, Beside = 1 };

// The new top-left corner of a dialog of `dialogWidth` × `dialogHeight` placed against `owner`
// (its outer frame); `ownerCaption` is the owner's outer height less its client height, the step
// of a cascade. The result is clamped into `workArea`; when the dialog is larger than the work
// area its right and bottom edges win.
ScreenPoint PlaceDialog(std::int32_t dialogWidth, std::int32_t dialogHeight,
                        const ScreenRect& owner, std::int32_t ownerCaption,
                        const ScreenRect& workArea, PlaceMode mode);

}  // namespace moravel
