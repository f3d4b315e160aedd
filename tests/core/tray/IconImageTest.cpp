#include "core/tray/IconImage.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/render/IconFrame.h"

namespace moravel {
namespace {

constexpr std::uint32_t kFace = 0xC8D0D4;  // the transparent colour of these tests
constexpr std::uint32_t kRed = 0x0000FF;

// Pixel words as a surface holds them, set by colour.
struct Picture {
    std::int32_t width;
    std::int32_t height;
    std::vector<PixelWord> pixels;

    Picture(std::int32_t w, std::int32_t h, Colour fill)
        : width(w), height(h), pixels(static_cast<std::size_t>(w * h), ToPixel(fill)) {}
    void Set(std::int32_t x, std::int32_t y, Colour c) { pixels[y * width + x] = ToPixel(c); }
    PixelView View() const { return {pixels, width, height}; }
};

TEST(IconImageTest, PixelsOfTheTransparentColourBecomeMaskedBlackAndTheRestStays) {
    Picture picture(16, 16, kFace);
    picture.Set(0, 0, kRed);
    picture.Set(15, 0, 0x000000);  // black stays opaque black
    picture.Set(7, 9, 0x345678);
    picture.pixels[9 * 16 + 7] |= 0x12000000;  // the top byte is not part of the colour
    picture.Set(3, 15, 0xFFFFFF);

    const IconImage icon = MakeIconImage(picture.View(), kFace);

    ASSERT_EQ(icon.size(), 16);
    EXPECT_FALSE(icon.IsTransparent(0, 0));
    EXPECT_EQ(icon.ColorAt(0, 0), kRed);
    EXPECT_FALSE(icon.IsTransparent(15, 0));
    EXPECT_EQ(icon.ColorAt(15, 0), 0x000000u);
    EXPECT_FALSE(icon.IsTransparent(7, 9));
    EXPECT_EQ(icon.ColorAt(7, 9), 0x345678u);
    EXPECT_FALSE(icon.IsTransparent(3, 15));
    int opaque = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            if (!icon.IsTransparent(x, y)) {
                ++opaque;
            } else {
                EXPECT_EQ(icon.ColorAt(x, y), 0u) << x << "," << y;
            }
        }
    }
    EXPECT_EQ(opaque, 4);
}

TEST(IconImageTest, MaskIsAMonochromeBitmapWithEvenRows) {
    Picture picture(16, 16, kRed);
    picture.Set(0, 0, kFace);  // highest bit of the first byte
    picture.Set(9, 1, kFace);  // second byte of row 1, bit 6
    const IconImage icon = MakeIconImage(picture.View(), kFace);

    ASSERT_EQ(icon.MaskStride(), 2);
    ASSERT_EQ(icon.mask().size(), 32u);
    EXPECT_EQ(icon.mask()[0], 0x80);
    EXPECT_EQ(icon.mask()[1], 0x00);
    EXPECT_EQ(icon.mask()[2], 0x00);
    EXPECT_EQ(icon.mask()[3], 0x40);

    // A 20-pixel row takes 3 bytes of bits, padded to 4.
    const IconImage wide = MakeIconImage(Picture(20, 20, kFace).View(), kFace);
    EXPECT_EQ(wide.MaskStride(), 4);
    EXPECT_EQ(wide.mask().size(), 80u);
    for (std::uint8_t byte : wide.mask()) {
        EXPECT_EQ(byte, 0xFF);
    }
}

TEST(IconImageTest, AllTransparentAndNoTransparentPictures) {
    const IconImage clear = MakeIconImage(Picture(16, 16, kFace).View(), kFace);
    const IconImage solid = MakeIconImage(Picture(16, 16, kRed).View(), kFace);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            EXPECT_TRUE(clear.IsTransparent(x, y));
            EXPECT_EQ(clear.ColorAt(x, y), 0u);
            EXPECT_FALSE(solid.IsTransparent(x, y));
            EXPECT_EQ(solid.ColorAt(x, y), kRed);
        }
    }
}

TEST(IconImageTest, SizeFollowsTheWidthAndMissingRowsAreTransparent) {
    // 32 wide, only 20 high: a 32 x 32 icon whose rows 20..31 are clear.
    const IconImage icon = MakeIconImage(Picture(32, 20, kRed).View(), kFace);
    ASSERT_EQ(icon.size(), 32);
    EXPECT_FALSE(icon.IsTransparent(31, 19));
    EXPECT_TRUE(icon.IsTransparent(0, 20));
    EXPECT_TRUE(icon.IsTransparent(31, 31));

    // Taller than wide: only the top square is used.
    Picture tall(16, 40, kRed);
    tall.Set(0, 16, kFace);
    const IconImage top = MakeIconImage(tall.View(), kFace);
    ASSERT_EQ(top.size(), 16);
    EXPECT_FALSE(top.IsTransparent(0, 15));
}

TEST(IconImageTest, PicturesWithoutPixelsGiveNoIcon) {
    EXPECT_EQ(MakeIconImage(PixelView{}, kFace).size(), 0);
    // A span shorter than the size claims is refused rather than read past.
    std::vector<PixelWord> few(10, ToPixel(kRed));
    EXPECT_EQ(MakeIconImage(PixelView{few, 16, 16}, kFace).size(), 0);
    EXPECT_EQ(MakeIconImage(PixelView{few, -4, 2}, kFace).size(), 0);
}

TEST(IconImageTest, FramePictureWithTheButtonFaceFollowsTheSystemColourTable) {
    Surface frame;
    PaintIconFrame(frame, 1);
    // Columns 0 and 15 show the button face: transparent. The inner area stays black and opaque.
    IconImage icon = MakeIconImage(frame, kButtonFaceColour);
    ASSERT_EQ(icon.size(), 16);
    EXPECT_TRUE(icon.IsTransparent(0, 7));
    EXPECT_TRUE(icon.IsTransparent(15, 7));
    EXPECT_FALSE(icon.IsTransparent(7, 7));
    EXPECT_EQ(icon.ColorAt(7, 7), 0u);
    EXPECT_FALSE(icon.IsTransparent(1, 7));  // white edge

    // A desktop whose button face is white: the frame's white edge turns transparent too, the
    // clear columns (painted in the old face colour) do not.
    const SystemColourTable saved = SystemColours();
    SystemColourTable table = saved;
    table[kButtonFaceColour & kColourBits] = 0xFFFFFF;
    SetSystemColours(table);
    icon = MakeIconImage(frame, kButtonFaceColour);
    SetSystemColours(saved);
    EXPECT_TRUE(icon.IsTransparent(1, 7));
    EXPECT_EQ(icon.IsTransparent(0, 7), frame.Pixel(0, 7) == 0xFFFFFFu);
}

TEST(IconImageTest, UpdatingInPlaceReportsEveryChangeAndOnlyChanges) {
    Surface frame;
    PaintIconFrame(frame, 0);
    IconImage icon;
    EXPECT_TRUE(UpdateIconImage(icon, frame, kButtonFaceColour));
    EXPECT_EQ(icon, MakeIconImage(frame, kButtonFaceColour));
    EXPECT_FALSE(UpdateIconImage(icon, frame, kButtonFaceColour));
    const PixelWord* memory = icon.color().data();

    frame.SetPixel(5, 5, kRed);
    EXPECT_TRUE(UpdateIconImage(icon, frame, kButtonFaceColour));
    EXPECT_EQ(icon.ColorAt(5, 5), kRed);
    EXPECT_EQ(icon.color().data(), memory);  // the same memory
    EXPECT_FALSE(UpdateIconImage(icon, frame, kButtonFaceColour));
    // A clear pixel turned black changes the mask alone: the colour image is black there already.
    ASSERT_TRUE(icon.IsTransparent(3, 0));
    frame.SetPixel(3, 0, 0x000000);
    EXPECT_TRUE(UpdateIconImage(icon, frame, kButtonFaceColour));
    EXPECT_FALSE(icon.IsTransparent(3, 0));
    // The transparent colour itself changing turns other pixels clear.
    EXPECT_TRUE(UpdateIconImage(icon, frame, 0x000000));
    EXPECT_TRUE(icon.IsTransparent(3, 0));
    EXPECT_EQ(icon, MakeIconImage(frame, 0x000000));

    EXPECT_TRUE(UpdateIconImage(icon, Surface(20, 20), kButtonFaceColour));
    EXPECT_EQ(icon.size(), 20);
}

// A 16-pixel icon with a transparent corner and three colours, so a pixel copied from the wrong
// place shows.
IconImage Graph16() {
    IconImage icon(16);
    for (std::int32_t y = 0; y < 16; ++y) {
        for (std::int32_t x = 0; x < 16; ++x) {
            if (x + y > 2) {
                icon.SetOpaque(x, y, static_cast<Colour>(x * 0x10 + y * 0x1000 + 0x050000));
            }
        }
    }
    return icon;
}

TEST(IconImageTest, TrayIconsAreWholeFactorEnlargementsCentredInTheTraysSize) {
    const IconImage icon = Graph16();
    for (const std::int32_t tray : {32, 48, 24, 40}) {
        const IconImage big = EnlargedIcon(icon, tray);
        ASSERT_EQ(big.size(), tray);
        const std::int32_t factor = tray / 16;
        const std::int32_t offset = (tray - 16 * factor) / 2;
        for (std::int32_t y = 0; y < tray; ++y) {
            for (std::int32_t x = 0; x < tray; ++x) {
                const std::int32_t fx = (x - offset) / factor;
                const std::int32_t fy = (y - offset) / factor;
                const bool inside = x >= offset && y >= offset && fx < 16 && fy < 16;
                const bool transparent = !inside || icon.IsTransparent(fx, fy);
                ASSERT_EQ(big.IsTransparent(x, y), transparent) << tray << ": " << x << "," << y;
                if (!transparent) {
                    ASSERT_EQ(big.ColorAt(x, y), icon.ColorAt(fx, fy))
                        << tray << ": " << x << "," << y;
                }
            }
        }
    }
    // 24 pixels: the icon as it is with a margin of 4; 40: twice with a margin of 4.
    EXPECT_TRUE(EnlargedIcon(icon, 24).IsTransparent(3, 12));
    EXPECT_EQ(EnlargedIcon(icon, 24).ColorAt(4 + 15, 4 + 15), icon.ColorAt(15, 15));
    EXPECT_EQ(EnlargedIcon(icon, 40).ColorAt(4 + 31, 4 + 30), icon.ColorAt(15, 15));

    // The tray's own size or smaller, and an empty icon: unchanged.
    EXPECT_EQ(EnlargedIcon(icon, 16), icon);
    EXPECT_EQ(EnlargedIcon(icon, 12), icon);
    EXPECT_EQ(EnlargedIcon(icon, 0), icon);
    EXPECT_EQ(EnlargedIcon(IconImage(0), 32).size(), 0);
}

}  // namespace
}  // namespace moravel
