// The borderless main window's sizing edges.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "core/app/PlaceDialog.h"
#include "core/app/ShellRules.h"

namespace moravel {

// What the point `screen` is over in a window whose outer frame is `frame`, as WM_NCHITTEST
// answers: the edge or corner (HTLEFT ... HTBOTTOMRIGHT) within `border` pixels of the frame's
// sides, else HTCLIENT. In a window narrower than two borders the left edge wins, and in one
// lower than two borders the top edge.
LRESULT SizingEdgeAt(const ScreenRect& frame, POINT screen, int border);

// Whether the hit-test code is one of those edges or corners.
bool IsSizingEdge(WPARAM hit);

// The button (1 left, 2 right, 4 middle) and what it did, of a mouse button message of a window's
// frame (WM_NCLBUTTONDOWN ... WM_NCMBUTTONDBLCLK); nothing for other messages.
struct FrameButton {
    std::int32_t button = 0;
    MouseAction action = MouseAction::Press;
    bool operator==(const FrameButton&) const = default;
};
std::optional<FrameButton> FrameButtonOf(UINT message);

}  // namespace moravel
