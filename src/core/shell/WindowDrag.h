// Dragging the borderless main window with the left mouse button.
#pragma once

#include <cstdint>

#include "core/shell/PlaceDialog.h"

namespace moravel {

// The mouse state the main window keeps between a press and its release.
struct DragState {
    double DownX = 0;  // mouse position inside the window at the last press
    double DownY = 0;
    std::int32_t DownButton = 0;  // 1 left, 2 right, 4 middle
    ScreenRect WorkArea;          // read at every left-button press
};

// Where the window (its outer frame `window`) goes when the mouse, pressed at (DownX, DownY)
// inside it, is now at (x, y) inside it. Without a modifier the window stays inside the work
// area, each axis on its own, the near edge tested first; with any modifier it moves freely.
ScreenPoint DragWindow(const DragState& drag, const ScreenRect& window, bool modifierHeld, double x,
                       double y);

}  // namespace moravel
