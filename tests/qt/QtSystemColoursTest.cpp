#include "qt/QtSystemColours.h"

#include <gtest/gtest.h>

namespace moravel {
namespace {

TEST(QtSystemColoursTest, PaletteRolesGiveTheSystemColours) {
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Button, QColor(10, 20, 30));
    palette.setColor(QPalette::Active, QPalette::Highlight, QColor(1, 2, 3));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(100, 101, 102));
    const SystemColourTable table = SystemColoursFromPalette(palette);
    EXPECT_EQ(table[15], Rgb(10, 20, 30));  // button face, 0x00BBGGRR
    EXPECT_EQ(table[15], 0x001E140Au);
    EXPECT_EQ(table[13], Rgb(1, 2, 3));
    EXPECT_EQ(table[17], Rgb(100, 101, 102));
    EXPECT_EQ(table[25], ClassicSystemColours()[25]);

    const SystemColourTable saved = SystemColours();
    SetSystemColours(table);
    EXPECT_EQ(ResolveColour(kButtonFaceColour), Rgb(10, 20, 30));
    SetSystemColours(saved);
}

}  // namespace
}  // namespace moravel
