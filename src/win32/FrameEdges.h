// The borderless main window's sizing edges.
#pragma once

#include <windows.h>

#include "core/app/PlaceDialog.h"

namespace moravel {

// What the point `screen` is over in a window whose outer frame is `frame`, as WM_NCHITTEST
// answers: the edge or corner (HTLEFT ... HTBOTTOMRIGHT) within `border` pixels of the frame's
// sides, else HTCLIENT. In a window narrower than two borders the left edge wins, and in one
// lower than two borders the top edge.
LRESULT SizingEdgeAt(const ScreenRect& frame, POINT screen, int border);

}  // namespace moravel
