#include <gtest/gtest.h>

#include "core/dialogs/FontChoice.h"
#include "core/os/Encoding.h"

namespace moravel {
namespace {

TEST(FontChoice, TheDialogOpensWithTheThemesFont) {
    const FontChoice plain = FontChoiceFor("ＭＳ ゴシック", 14, 0);
    EXPECT_EQ(plain.face, "ＭＳ ゴシック");
    EXPECT_EQ(plain.points, 14);
    EXPECT_EQ(plain.weight, 400);
    EXPECT_FALSE(plain.italic || plain.underline || plain.strikeOut);

    const FontChoice all = FontChoiceFor("Fake", 10.5, 15);
    EXPECT_EQ(all.weight, 700);
    EXPECT_TRUE(all.italic && all.underline && all.strikeOut);
    EXPECT_EQ(all.points, 10.5);

    EXPECT_EQ(FontChoiceFor("F", 500, 0).points, 300);  // the dialog offers 1 to 300 points
    EXPECT_EQ(FontChoiceFor("F", 0, 0).points, 1);
}

TEST(FontChoice, FaceNamesAreCutTo31AnsiBytes) {
    // 16 double-byte characters are 32 bytes: the 16th does not fit.
    const std::string longFace = "あいうえおかきくけこさしすせそた";
    const FontChoice choice = FontChoiceFor(longFace, 9, 0);
    EXPECT_EQ(choice.face, "あいうえおかきくけこさしすせそ");
    EXPECT_EQ(Utf8ToAnsi(choice.face).size(), 30u);
    EXPECT_EQ(FontChoiceFor(std::string(40, 'a'), 9, 0).face, std::string(31, 'a'));

    std::string name;
    double size = 9;
    std::int32_t style = 0;
    ApplyFontChoice({std::string(40, 'b'), 9, 400}, name, size, style);
    EXPECT_EQ(name, std::string(31, 'b'));
}

TEST(FontChoice, TheAnswerMapsBackToSizeAndStyleBits) {
    std::string name = "old";
    double size = 14;
    std::int32_t style = 0;
    ApplyFontChoice({"Serif", 10.5, 300, false, false, false}, name, size, style);
    EXPECT_EQ(name, "Serif");
    EXPECT_EQ(size, 10.5);
    EXPECT_EQ(style, 1);  // a light weight is not 400, so it counts as bold

    ApplyFontChoice({"Serif", 12.04, 400, true, true, true}, name, size, style);
    EXPECT_EQ(size, 12);  // tenths of a point
    EXPECT_EQ(style, 2 | 4 | 8);

    ApplyFontChoice({"Serif", 512, 700, false, false, true}, name, size, style);
    EXPECT_EQ(size, 300);
    EXPECT_EQ(style, 1 | 8);

    ApplyFontChoice({"Serif", -1, 400}, name, size, style);  // a font sized in pixels only
    EXPECT_EQ(size, 300);
}

}  // namespace
}  // namespace moravel
