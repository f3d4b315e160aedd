// The tray icon as a number: the usage in digits that fill a 16 x 16 picture.
#pragma once

#include <cstdint>

#include "core/render/Colour.h"
#include "core/render/Surface.h"

namespace moravel {

// Draws `usage` (held to 0..100) into the 16 x 16 area at the top left of `target`: the whole area
// in `back`, the digits in `digits`, as blocky segments two pixels thick that stay readable at the
// tray's size. One or two digits are 7 x 14 pixels each; 100 is a narrow one and two zeros across
// the whole width. Where the two colours are the same, the digits take the back's opposite.
void DrawUsageNumber(Surface& target, std::int32_t usage, Colour back, Colour digits);

}  // namespace moravel
