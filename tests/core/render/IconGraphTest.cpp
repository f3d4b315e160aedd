// The tray-icon graph: the frame pictures and the three styles.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/render/IconFrame.h"
#include "core/tray/IconImage.h"
#include "support/RenderFixture.h"

namespace moravel::test {
namespace {

using IconGraphTest = RenderFixture;

constexpr Colour kScaleLine = 0x007F3F;
constexpr Colour kBright = 0x00FF00;
constexpr Colour kDim = 0x007F00;

TEST_F(IconGraphTest, FramePicturesArePixelExact) {
    // The clear pixels show the button face, which is silver in the classic scheme too; paint
    // them with a distinct button face so they can be told apart.
    SystemColourTable table = ClassicSystemColours();
    table[15] = 0x00123456;
    SetSystemColours(table);
    Surface f0;
    Surface f1;
    PaintIconFrame(f0, 0);
    PaintIconFrame(f1, 1);
    SetSystemColours(ClassicSystemColours());
    auto art = [](const Surface& s) {
        std::string out;
        for (std::int32_t y = 0; y < s.Height(); ++y) {
            for (std::int32_t x = 0; x < s.Width(); ++x) {
                const Colour c = s.Pixel(x, y);
                out += c == 0x123456   ? ' '
                       : c == 0xFFFFFF ? 'W'
                       : c == 0xC0C0C0 ? 'S'
                       : c == 0x808080 ? 'G'
                       : c == 0x000000 ? 'B'
                                       : '?';
            }
            out += '\n';
        }
        return out;
    };
    ASSERT_EQ(f0.Width(), 16);
    ASSERT_EQ(f0.Height(), 16);
    EXPECT_EQ(art(f0),
              "                \n"
              "WWWWWWWWWWWWWWWS\n"
              "WBBBBBBBBBBBBBBG\n"
              "WBBBBBBBBBBBBBBG\n"
              "WBBBBBBBBBBBBBBG\n"
              "WBBBBBBBBBBBBBBG\n"
              "WBBBBBBBBBBBBBBG\n"
              "WBBBBBBBBBBBBBBG\n"
              "WBBBBBBBBBBBBBBG\n"
              "WBBBBBBBBBBBBBBG\n"
              "WBBBBBBBBBBBBBBG\n"
              "WBBBBBBBBBBBBBBG\n"
              "WBBBBBBBBBBBBBBG\n"
              "WBBBBBBBBBBBBBBG\n"
              "SGGGGGGGGGGGGGGG\n"
              "                \n");
    EXPECT_EQ(art(f1),
              " WWWWWWWWWWWWWS \n"
              " WBBBBBBBBBBBBG \n"
              " WBBBBBBBBBBBBG \n"
              " WBBBBBBBBBBBBG \n"
              " WBBBBBBBBBBBBG \n"
              " WBBBBBBBBBBBBG \n"
              " WBBBBBBBBBBBBG \n"
              " WBBBBBBBBBBBBG \n"
              " WBBBBBBBBBBBBG \n"
              " WBBBBBBBBBBBBG \n"
              " WBBBBBBBBBBBBG \n"
              " WBBBBBBBBBBBBG \n"
              " WBBBBBBBBBBBBG \n"
              " WBBBBBBBBBBBBG \n"
              " WBBBBBBBBBBBBG \n"
              " SGGGGGGGGGGGGG \n");
    EXPECT_EQ(f0.BackColor(), kButtonFaceColour);
}

// Meter 1: the newest value bright, a higher previous value dim above it, the scale over both.
TEST_F(IconGraphTest, Meter1ShowsTheNewestAndAHigherPreviousValue) {
    settings.IconGraphMode = TrayIconMode::Meter1;
    Reset(20, 20);
    Push({60, 30});  // previous 60 % (h1 = 8), newest 30 % (h0 = 4), on H = 14
    Surface& frame = renderer.picIconGraph[1];
    const Surface framed = frame;
    renderer.DrawIconGraph(frame);
    EXPECT_TRUE(renderer.IconReady);
    const Surface& icon = renderer.picIcon;
    ASSERT_EQ(icon.Height(), 14);
    EXPECT_EQ(Column(icon, 0, 0, 13, kBright), "..........####");
    EXPECT_EQ(Column(icon, 11, 0, 13, kDim), "......####....");
    EXPECT_EQ(Column(icon, 5, 0, 13, kScaleLine), "..#..#........");
    // Copied into the inner area at (2, 1); the frame itself is untouched.
    for (std::int32_t y = 0; y < 14; ++y) {
        for (std::int32_t x = 0; x < 12; ++x) {
            ASSERT_EQ(frame.Pixel(x + 2, y + 1), icon.Pixel(x, y));
        }
    }
    for (std::int32_t i = 0; i < 16; ++i) {
        for (const auto& [x, y] : {std::pair{i, 0}, std::pair{i, 15}, std::pair{0, i},
                                   std::pair{1, i}, std::pair{14, i}, std::pair{15, i}}) {
            ASSERT_EQ(frame.Pixel(x, y), framed.Pixel(x, y)) << x << "," << y;
        }
    }

    // 80 % after 20 %: only the bright bar; scale lines at 20..80 % otherwise.
    Push(80);
    renderer.DrawIconGraph(frame);
    EXPECT_EQ(Column(icon, 3, 0, 13, kBright), "...###########");
    EXPECT_EQ(Column(icon, 3, 0, 13, kDim), "..............");
    Push({0, 0});
    renderer.DrawIconGraph(frame);
    EXPECT_EQ(Column(icon, 3, 0, 13, kScaleLine), "..#..#..#..#..");
    EXPECT_EQ(Column(icon, 3, 0, 13, kBlack), "##.##.##.##.##");
}

TEST_F(IconGraphTest, Meter2ShowsTheNewestLevelInTheThemesLook) {
    settings.IconGraphMode = TrayIconMode::Meter2;
    theme.ForeType = ForeKind::Line;
    theme.ForeColor1 = 0x0000FF;
    theme.ForeColor2 = 0x000080;
    Reset(20, 20);
    Push({90, 50});
    renderer.DrawIconGraph(renderer.picIconGraph[1]);
    const Surface& icon = renderer.picIcon;
    ASSERT_EQ(icon.Width(), 12);
    EXPECT_EQ(Row(icon, 7, 0, 11, 0x0000FF), "###########.");
    EXPECT_EQ(Column(icon, 0, 0, 13, 0x0000FF), ".......#######");
    EXPECT_EQ(Column(icon, 11, 0, 13, 0x000080), ".......#######");
    EXPECT_EQ(Row(icon, 10, 1, 10, kBlack), "##########");
    EXPECT_EQ(renderer.picIconGraph[1].Pixel(2, 8), 0x0000FFu);

    // Filled: a solid block of the newest value's height across the whole width.
    theme.ForeType = ForeKind::Filled;
    theme.ForeColor3 = 0x00AA00;
    Reset(20, 20);
    Push(50);
    renderer.DrawIconGraph(renderer.picIconGraph[1]);
    for (std::int32_t x = 0; x < 12; ++x) {
        EXPECT_EQ(Rows(icon, x, 0x00AA00), "7..13") << x;
    }
    // It redraws everything each time: a lower value leaves nothing of the higher one.
    Push(0);
    renderer.DrawIconGraph(renderer.picIconGraph[1]);
    EXPECT_EQ(Rows(icon, 4, 0x00AA00), "none");
}

TEST_F(IconGraphTest, Meter2OnABoardKeepsTheBoardAroundTheLevel) {
    settings.IconGraphMode = TrayIconMode::Meter2;
    theme.ForeType = ForeKind::Filled;
    theme.ForeColor3 = 0x00AA00;
    theme.BackType = BackKind::Image;
    theme.BackName = "back.bmp";
    Surface back(4, 4);
    back.SetBackColor(0x300000);
    back.Clear();
    images.Add(ImagePath("back.bmp"), back);
    Reset(20, 20);
    Push(50);
    renderer.DrawIconGraph(renderer.picIconGraph[1]);
    EXPECT_EQ(Rows(renderer.picIcon, 6, 0x00AA00), "7..13");
    EXPECT_EQ(Rows(renderer.picIcon, 6, 0x300000), "0..6");
}

TEST_F(IconGraphTest, ScrollShowsTheLastFourteenSecondsAndScrollsWithNewOnes) {
    settings.IconGraphMode = TrayIconMode::Graph;
    Reset(20, 20);
    for (std::int32_t v = 1; v <= 30; ++v) {
        Push(v * 3);  // 3 .. 90 %
    }
    // ResetPicture's rebuild goes to picIcon itself.
    renderer.DrawIconGraph(renderer.picIcon);
    EXPECT_TRUE(renderer.IconReady);
    Surface& frame = renderer.picIconGraph[0];
    renderer.DrawIconGraph(frame);
    auto height = [&](std::int32_t x) {
        std::int32_t h = 0;
        for (std::int32_t y = 0; y < 12; ++y) {
            h += frame.Pixel(x + 1, y + 2) == 0x00AA00 ? 1 : 0;
        }
        return h;
    };
    // Column 13 is the newest (90 %), column 0 the sample 13 seconds older (51 %).
    EXPECT_EQ(height(13), 12 * 90 / 100);
    EXPECT_EQ(height(0), 12 * 51 / 100);
    EXPECT_EQ(frame.Pixel(0, 5), 0xFFFFFFu);  // the frame's left edge stays

    Push({100, 0});
    renderer.DrawIconGraph(frame);
    EXPECT_EQ(height(13), 0);
    EXPECT_EQ(height(12), 12);
    EXPECT_EQ(height(11), 12 * 90 / 100);
    EXPECT_EQ(height(0), 12 * 57 / 100);
    EXPECT_EQ(renderer.LastIconPos, pos);
}

// The number: every value from 0 to 100 in the theme's colours, each picture its own, the back
// transparent where the theme's back is the button face, as for the other styles.
TEST_F(IconGraphTest, TheNumberShowsEveryValueInTheThemesColours) {
    settings.IconGraphMode = TrayIconMode::Number;
    theme.BackColor = 0x00402000;
    theme.ForeColor1 = 0x0000FFFF;
    Reset(20, 20);
    Surface& picture = renderer.IconPicture();
    ASSERT_EQ(&picture, &renderer.picIconNumber);
    const auto art = [&] {
        std::string out;
        for (std::int32_t y = 0; y < 16; ++y) {
            for (std::int32_t x = 0; x < 16; ++x) {
                const Colour c = picture.Pixel(x, y);
                out += c == 0x0000FFFF ? '#' : c == 0x00402000 ? '.' : '?';
            }
            out += '\n';
        }
        return out;
    };
    std::vector<std::string> seen;
    for (std::int32_t value = 0; value <= 100; ++value) {
        Push(value);
        renderer.DrawIconGraph(picture);
        const std::string drawn = art();
        ASSERT_EQ(drawn.find('?'), std::string::npos) << value;
        ASSERT_EQ(std::count(seen.begin(), seen.end(), drawn), 0) << value;
        seen.push_back(drawn);
    }
    EXPECT_EQ(seen[100],
              "................\n"
              "##.######.######\n"
              "##.######.######\n"
              "##.##..##.##..##\n"
              "##.##..##.##..##\n"
              "##.##..##.##..##\n"
              "##.##..##.##..##\n"
              "##.##..##.##..##\n"
              "##.##..##.##..##\n"
              "##.##..##.##..##\n"
              "##.##..##.##..##\n"
              "##.##..##.##..##\n"
              "##.##..##.##..##\n"
              "##.######.######\n"
              "##.######.######\n"
              "................\n");
    EXPECT_EQ(seen[42],
              "................\n"
              "##...##.#######.\n"
              "##...##.#######.\n"
              "##...##......##.\n"
              "##...##......##.\n"
              "##...##......##.\n"
              "##...##......##.\n"
              "#######.#######.\n"
              "#######.#######.\n"
              ".....##.##......\n"
              ".....##.##......\n"
              ".....##.##......\n"
              ".....##.##......\n"
              ".....##.#######.\n"
              ".....##.#######.\n"
              "................\n");

    // A back in the button face is the icon's transparency; the digits stay. Same colours: the
    // digits take the back's opposite.
    theme.BackColor = static_cast<std::int32_t>(kButtonFaceColour);
    Reset(20, 20);
    Push(7);
    renderer.DrawIconGraph(picture);
    const IconImage icon = MakeIconImage(picture, kButtonFaceColour);
    EXPECT_TRUE(icon.IsTransparent(0, 0));
    EXPECT_FALSE(icon.IsTransparent(8, 1));  // the seven's top
    theme.BackColor = theme.ForeColor1;
    Reset(20, 20);
    Push(7);
    renderer.DrawIconGraph(picture);
    EXPECT_EQ(picture.Pixel(8, 1), 0x00FF0000u);
}

TEST_F(IconGraphTest, IconStyleZeroDrawsNothing) {
    settings.IconGraphMode = TrayIconMode::Off;
    Reset(20, 20);
    Push(100);
    const Surface before = renderer.picIconGraph[0];
    renderer.DrawIconGraph(renderer.picIconGraph[0]);
    EXPECT_TRUE(SamePixels(before, renderer.picIconGraph[0]));
    EXPECT_FALSE(renderer.IconReady);
}

}  // namespace
}  // namespace moravel::test
