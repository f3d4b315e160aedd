#include "core/render/Colour.h"

namespace moravel {

namespace {

constexpr SystemColourTable kClassic = {
    Rgb(192, 192, 192),  //  0 scroll bar
    Rgb(0, 128, 128),    //  1 desktop
    Rgb(0, 0, 128),      //  2 active caption
    Rgb(128, 128, 128),  //  3 inactive caption
    Rgb(192, 192, 192),  //  4 menu
    Rgb(255, 255, 255),  //  5 window
    Rgb(0, 0, 0),        //  6 window frame
    Rgb(0, 0, 0),        //  7 menu text
    Rgb(0, 0, 0),        //  8 window text
    Rgb(255, 255, 255),  //  9 caption text
    Rgb(192, 192, 192),  // 10 active border
    Rgb(192, 192, 192),  // 11 inactive border
    Rgb(128, 128, 128),  // 12 application workspace
    Rgb(0, 0, 128),      // 13 highlight
    Rgb(255, 255, 255),  // 14 highlight text
    Rgb(192, 192, 192),  // 15 button face
    Rgb(128, 128, 128),  // 16 button shadow
    Rgb(128, 128, 128),  // 17 grey text
    Rgb(0, 0, 0),        // 18 button text
    Rgb(192, 192, 192),  // 19 inactive caption text
    Rgb(255, 255, 255),  // 20 button highlight
    Rgb(0, 0, 0),        // 21 3D dark shadow
    Rgb(192, 192, 192),  // 22 3D light
    Rgb(0, 0, 0),        // 23 tooltip text
    Rgb(255, 255, 225),  // 24 tooltip background
    Rgb(0, 0, 0),        // 25 (unused)
    Rgb(0, 0, 128),      // 26 hot-tracked item
    Rgb(16, 132, 208),   // 27 active caption gradient
    Rgb(181, 181, 181),  // 28 inactive caption gradient
    Rgb(0, 0, 128),      // 29 menu highlight
    Rgb(192, 192, 192),  // 30 menu bar
};

SystemColourTable gSystemColours = kClassic;

}  // namespace

const SystemColourTable& ClassicSystemColours() {
    return kClassic;
}

const SystemColourTable& SystemColours() {
    return gSystemColours;
}

void SetSystemColours(const SystemColourTable& table) {
    gSystemColours = table;
    for (Colour& c : gSystemColours) {
        c &= kColourBits;
    }
}

Colour ResolveSystemColour(Colour colour) {
    const Colour index = colour & kColourBits;
    return index < kSystemColourCount ? gSystemColours[index] : 0;
}

}  // namespace moravel
