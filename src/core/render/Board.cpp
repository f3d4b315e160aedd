// Renderer: the board, the background under the graph.
#include "core/render/Renderer.h"

namespace moravel {

namespace {

constexpr Colour kBlack = 0x000000;

}  // namespace

void Renderer::BuildBoard(Surface& board, bool simple, bool ready) const {
    if (ready || simple) {
        return;
    }
    const std::int32_t tile = picReadBoard.Width();
    const std::int32_t sourceHeight = picReadBoard.Height();
    const std::int32_t w = board.Width();
    const std::int32_t h = board.Height();
    // A source without width has nothing to lay (and would never advance).
    if (tile <= 0) {
        return;
    }
    // Tiles of the source's width from the right edge leftwards, each stretched to the board's
    // height; the leftmost one is cut on its left side.
    for (std::int32_t x = w - 1; x >= 0; x -= tile) {
        std::int32_t left = x - tile + 1;
        std::int32_t width = tile;
        std::int32_t sx = 0;
        if (left < 0) {
            width = x + 1;
            sx = tile - width;
            left = 0;
        }
        board.StretchBlt(left, 0, width, h, picReadBoard, sx, 0, width, sourceHeight);
    }
}

void Renderer::LayBoard(Surface& target) const {
    if (picReadBoard.Width() <= 0 || picReadBoard.Height() <= 0) {
        // Nothing to tile: a black board, as under a graph whose picture could not be had.
        target.FillBox(0, 0, target.Width(), target.Height(), kBlack);
        return;
    }
    BuildBoard(target, false, false);
}

}  // namespace moravel
