// The two 16 x 16 frame pictures of the tray-icon graph, drawn pixel for pixel.
#pragma once

#include <cstdint>

#include "core/render/Surface.h"

namespace moravel {

inline constexpr std::int32_t kIconFrameSize = 16;

// Makes `target` the frame picture `element` (0: a 14 x 12 inner area at (1, 2); 1: a 12 x 14
// inner area at (2, 1)): 16 x 16, background the button-face system colour, which shows in the
// clear pixels; white, silver and grey frame lines; a black inner area. Any other element gives a
// cleared 16 x 16 picture.
void PaintIconFrame(Surface& target, std::int32_t element);

}  // namespace moravel
