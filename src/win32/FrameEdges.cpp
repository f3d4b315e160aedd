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

}  // namespace moravel
