#include "win32/FrameEdges.h"

namespace moravel {

LRESULT SizingEdgeAt(const ScreenRect& frame, POINT screen, int border) {
    const bool left = screen.x < frame.left + border;
    const bool right = !left && screen.x >= frame.right - border;
    const bool top = screen.y < frame.top + border;
    const bool bottom = !top && screen.y >= frame.bottom - border;
    if (top) {
        return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
    }
    if (bottom) {
        return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
    }
    return left ? HTLEFT : right ? HTRIGHT : HTCLIENT;
}

bool IsSizingEdge(WPARAM hit) {
    return hit >= HTLEFT && hit <= HTBOTTOMRIGHT;
}

std::optional<FrameButton> FrameButtonOf(UINT message) {
    if (message < WM_NCLBUTTONDOWN || message > WM_NCMBUTTONDBLCLK) {
        return std::nullopt;
    }
    // Three messages a button, in the order down, up, double click.
    static constexpr std::int32_t kButtons[] = {1, 2, 4};
    static constexpr MouseAction kActions[] = {MouseAction::Press, MouseAction::Release,
                                               MouseAction::DoubleClick};
    const UINT step = message - WM_NCLBUTTONDOWN;
    return FrameButton{kButtons[step / 3], kActions[step % 3]};
}

}  // namespace moravel
