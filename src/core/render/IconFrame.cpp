#include "core/render/IconFrame.h"

namespace moravel {

namespace {

constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kSilver = 0xC0C0C0;
constexpr Colour kGrey = 0x808080;
constexpr Colour kBlack = 0x000000;

}  // namespace

void PaintIconFrame(Surface& target, std::int32_t element) {
    target.SetBackColor(kButtonFaceColour);
    target.Resize(kIconFrameSize, kIconFrameSize);
    if (element == 0) {
        // Rows 0 and 15 clear; the frame spans rows 1..14, inner area 14 x 12 at (1, 2).
        target.FillBox(0, 1, 14, 1, kWhite);
        target.SetPixel(15, 1, kSilver);
        target.FillBox(0, 2, 0, 13, kWhite);
        target.FillBox(15, 2, 15, 13, kGrey);
        target.SetPixel(0, 14, kSilver);
        target.FillBox(1, 14, 15, 14, kGrey);
        target.FillBox(1, 2, 14, 13, kBlack);
    } else if (element == 1) {
        // Columns 0 and 15 clear; the frame spans columns 1..14, inner area 12 x 14 at (2, 1).
        target.FillBox(1, 0, 13, 0, kWhite);
        target.SetPixel(14, 0, kSilver);
        target.FillBox(1, 1, 1, 14, kWhite);
        target.FillBox(14, 1, 14, 14, kGrey);
        target.SetPixel(1, 15, kSilver);
        target.FillBox(2, 15, 14, 15, kGrey);
        target.FillBox(2, 1, 13, 14, kBlack);
    }
}

}  // namespace moravel
