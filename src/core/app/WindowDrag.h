// Dragging the borderless main window with the left mouse button.
#pragma once

#include <cstdint>
#include <vector>

#include "core/app/PlaceDialog.h"

namespace moravel {

// One screen of the desktop: all of it, and its work area (the screen less panels).
struct ScreenArea {
    ScreenRect bounds;
    ScreenRect workArea;
};

// The mouse state the main window keeps between a press and its release.
struct DragState {
    double DownX = 0;  // mouse position inside the window at the last press
    double DownY = 0;
    std::int32_t DownButton = 0;      // 1 left, 2 right, 4 middle
    ScreenRect WorkArea;              // the window is kept inside it: see FollowMouse
    std::vector<ScreenArea> Screens;  // read at every left-button press
};

// The window follows the mouse across screens: WorkArea becomes the work area of the screen under
// the mouse at `mouse` (screen pixels), at the press and at every move. Over no screen (a gap
// between screens of unequal size) the last work area stays.
void FollowMouse(DragState& drag, ScreenPoint mouse);

// Where the window (its outer frame `window`) goes when the mouse, pressed at (DownX, DownY)
// inside it, is now at (x, y) inside it. Without a modifier the window stays inside the work
// area, each axis on its own, the near edge tested first; with any modifier it moves freely.
ScreenPoint DragWindow(const DragState& drag, const ScreenRect& window, bool modifierHeld, double x,
                       double y);

}  // namespace moravel
