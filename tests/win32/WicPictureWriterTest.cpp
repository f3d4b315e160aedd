#include "win32/WicPictureWriter.h"

#include <gtest/gtest.h>

#include <string>

#include "core/os/TextFile.h"
#include "core/render/Colour.h"
#include "support/TempFolder.h"
#include "win32/WicImageLoader.h"

namespace moravel {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

constexpr Colour kSeeThrough = Rgb(255, 0, 255);

// The colour type of a PNG file's header: 2 for RGB, 6 for RGB with alpha; -1 when not a PNG.
int PngColourType(const std::string& bytes) {
    if (bytes.size() < 26 || bytes.rfind("\x89PNG\r\n\x1a\n", 0) != 0 ||
        bytes.compare(12, 4, "IHDR") != 0) {
        return -1;
    }
    return static_cast<unsigned char>(bytes[25]);
}

Surface ReadBack(const std::string& path) {
    Surface picture;
    picture.SetBackColor(kSeeThrough);
    WicImageLoader loader;
    EXPECT_EQ(loader.Load(path, picture), ImageLoadStatus::Ok);
    return picture;
}

TEST(WicPictureWriterTest, WritesEverySurfacePixelAsAnOpaquePng) {
    TempFolder folder;
    // An odd width, so a row is not a multiple of the encoder's 3-byte pixels times 4.
    Surface picture(7, 5);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 7; ++x) {
            picture.SetPixel(x, y, Rgb(x * 36, y * 60, 255 - x * y * 7));
        }
    }
    const std::string path = folder.File("graph.png");
    ASSERT_TRUE(WritePngFile(picture, path));
    EXPECT_EQ(PngColourType(ReadBytes(path)), 2);
    const Surface back = ReadBack(path);
    ASSERT_EQ(back.Width(), 7);
    ASSERT_EQ(back.Height(), 5);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 7; ++x) {
            EXPECT_EQ(back.Pixel(x, y), picture.Pixel(x, y)) << x << "," << y;
        }
    }
}

TEST(WicPictureWriterTest, WritesTheIconWithItsTransparency) {
    TempFolder folder;
    IconImage icon(16);
    icon.SetOpaque(0, 0, Rgb(0, 0, 0));  // opaque black is not transparent
    icon.SetOpaque(15, 0, Rgb(10, 200, 30));
    icon.SetOpaque(3, 9, Rgb(255, 255, 255));
    const std::string path = folder.File("icon.png");
    ASSERT_TRUE(WritePngFile(icon, path));
    EXPECT_EQ(PngColourType(ReadBytes(path)), 6);
    const Surface back = ReadBack(path);
    ASSERT_EQ(back.Width(), 16);
    ASSERT_EQ(back.Height(), 16);
    EXPECT_EQ(back.Pixel(0, 0), Rgb(0, 0, 0));
    EXPECT_EQ(back.Pixel(15, 0), Rgb(10, 200, 30));
    EXPECT_EQ(back.Pixel(3, 9), Rgb(255, 255, 255));
    EXPECT_EQ(back.Pixel(1, 0), kSeeThrough);
    EXPECT_EQ(back.Pixel(15, 15), kSeeThrough);
}

TEST(WicPictureWriterTest, ReplacesAFileAndLeavesNothingWhenItCannotWrite) {
    TempFolder folder;
    const std::string path = folder.File("picture.png");
    WriteBytes(path, "an older picture");
    Surface picture(3, 2);
    picture.SetPixel(2, 1, Rgb(1, 2, 3));
    ASSERT_TRUE(WritePngFile(picture, path));
    EXPECT_EQ(ReadBack(path).Pixel(2, 1), Rgb(1, 2, 3));

    const std::string nowhere = folder.File("no such folder\\picture.png");
    EXPECT_FALSE(WritePngFile(picture, nowhere));
    EXPECT_FALSE(IsFile(nowhere));
    // Nothing to write is a failure too, and the file stays as it was.
    const std::string before = ReadBytes(path);
    EXPECT_FALSE(WritePngFile(Surface(0, 0), path));
    EXPECT_FALSE(WritePngFile(IconImage(0), path));
    EXPECT_EQ(ReadBytes(path), before);
}

}  // namespace
}  // namespace moravel
