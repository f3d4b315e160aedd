#include "core/app/WindowDrag.h"

#include <cmath>

namespace moravel {
namespace {

// The move along one axis, kept inside [low, high) unless free.
std::int32_t KeepInside(std::int32_t start, std::int32_t size, std::int32_t delta, std::int32_t low,
                        std::int32_t high) {
    if (start + delta < low) {
        return low - start;
    }
    if (start + size + delta > high) {
        return high - (start + size);
    }
    return delta;
}

}  // namespace

void FollowMouse(DragState& drag, ScreenPoint mouse) {
    for (const ScreenArea& screen : drag.Screens) {
        const ScreenRect& b = screen.bounds;
        if (mouse.x >= b.left && mouse.x < b.right && mouse.y >= b.top && mouse.y < b.bottom) {
            drag.WorkArea = screen.workArea;
            return;
        }
    }
}

ScreenPoint DragWindow(const DragState& drag, const ScreenRect& window, bool modifierHeld, double x,
                       double y) {
    auto dx = static_cast<std::int32_t>(std::nearbyint(x - drag.DownX));
    auto dy = static_cast<std::int32_t>(std::nearbyint(y - drag.DownY));
    if (!modifierHeld) {
        dx = KeepInside(window.left, window.width(), dx, drag.WorkArea.left, drag.WorkArea.right);
        dy = KeepInside(window.top, window.height(), dy, drag.WorkArea.top, drag.WorkArea.bottom);
    }
    return {window.left + dx, window.top + dy};
}

}  // namespace moravel
