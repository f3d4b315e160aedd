#include "win32/WicImageLoader.h"

#include <gtest/gtest.h>
#include <objbase.h>

#include <span>
#include <string>
#include <thread>
#include <vector>

#include "support/TempFolder.h"

namespace moravel {
namespace {

using test::TempFolder;
using test::WriteBytes;

void PutLe(std::string& bytes, std::size_t at, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

std::string Be32(std::uint32_t value) {
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<char>((value >> (24 - 8 * i)) & 0xFF);
    }
    return bytes;
}

std::uint32_t Crc32(const std::string& bytes) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (char byte : bytes) {
        crc ^= static_cast<unsigned char>(byte);
        for (int k = 0; k < 8; ++k) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

std::string PngChunk(const std::string& type, const std::string& data) {
    return Be32(static_cast<std::uint32_t>(data.size())) + type + data + Be32(Crc32(type + data));
}

// An 8-bit RGBA PNG of 0xAARRGGBB pixels (row by row from the top; none for transparent black),
// its image data in stored (uncompressed) deflate blocks.
std::string PngBytes(std::uint32_t width, std::uint32_t height,
                     const std::vector<std::uint32_t>& pixels) {
    std::string raw;
    for (std::uint32_t y = 0; y < height; ++y) {
        raw += '\0';  // no filter
        for (std::uint32_t x = 0; x < width; ++x) {
            const std::uint32_t p = pixels.empty() ? 0 : pixels[y * width + x];
            raw += static_cast<char>((p >> 16) & 0xFF);
            raw += static_cast<char>((p >> 8) & 0xFF);
            raw += static_cast<char>(p & 0xFF);
            raw += static_cast<char>(p >> 24);
        }
    }
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (char c : raw) {
        a = (a + static_cast<unsigned char>(c)) % 65521;
        b = (b + a) % 65521;
    }
    std::string zlib = "\x78\x01";
    for (std::size_t at = 0; at < raw.size() || at == 0; at += 65535) {
        const auto length =
            static_cast<std::uint16_t>(std::min<std::size_t>(raw.size() - at, 65535));
        zlib += at + length >= raw.size() ? '\x01' : '\x00';  // the last block, or not
        zlib += static_cast<char>(length & 0xFF);
        zlib += static_cast<char>(length >> 8);
        zlib += static_cast<char>(~length & 0xFF);
        zlib += static_cast<char>((~length >> 8) & 0xFF);
        zlib += raw.substr(at, length);
    }
    zlib += Be32((b << 16) | a);
    const std::string header = Be32(width) + Be32(height) + std::string("\x08\x06\x00\x00\x00", 5);
    return "\x89PNG\r\n\x1A\n" + PngChunk("IHDR", header) + PngChunk("IDAT", zlib) +
           PngChunk("IEND", "");
}

// A 24-bit bottom-up BMP; pixels are 0x00BBGGRR, row by row from the top.
std::string BmpBytes(std::int32_t width, std::int32_t height,
                     const std::vector<std::uint32_t>& pixels) {
    const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
    const std::uint32_t imageBytes = stride * static_cast<std::uint32_t>(height);
    std::string bytes(54 + (pixels.empty() ? 0 : imageBytes), '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutLe(bytes, 2, 54 + imageBytes, 4);
    PutLe(bytes, 10, 54, 4);
    PutLe(bytes, 14, 40, 4);
    PutLe(bytes, 18, static_cast<std::uint32_t>(width), 4);
    PutLe(bytes, 22, static_cast<std::uint32_t>(height), 4);
    PutLe(bytes, 26, 1, 2);
    PutLe(bytes, 28, 24, 2);
    PutLe(bytes, 34, imageBytes, 4);
    for (std::int32_t y = 0; y < height && !pixels.empty(); ++y) {
        const std::size_t row = 54 + stride * static_cast<std::uint32_t>(height - 1 - y);
        for (std::int32_t x = 0; x < width; ++x) {
            const std::uint32_t c = pixels[static_cast<std::size_t>(y * width + x)];
            bytes[row + x * 3 + 0] = static_cast<char>((c >> 16) & 0xFF);
            bytes[row + x * 3 + 1] = static_cast<char>((c >> 8) & 0xFF);
            bytes[row + x * 3 + 2] = static_cast<char>(c & 0xFF);
        }
    }
    return bytes;
}

// A one-pixel grey TIFF, which WIC decodes but a theme may not use.
std::string TiffBytes() {
    std::string bytes = std::string("II*\0", 4) + std::string(4, '\0');
    PutLe(bytes, 4, 8, 4);
    const std::uint16_t entries[][3] = {
        {256, 3, 1}, {257, 3, 1}, {258, 3, 8}, {259, 3, 1},
        {262, 3, 1}, {273, 4, 0}, {278, 3, 1}, {279, 4, 1},
    };
    std::string ifd(2 + 8 * 12 + 4, '\0');
    PutLe(ifd, 0, 8, 2);
    const std::uint32_t pixelAt = 8 + static_cast<std::uint32_t>(ifd.size());
    for (int i = 0; i < 8; ++i) {
        const std::size_t at = 2 + static_cast<std::size_t>(i) * 12;
        PutLe(ifd, at, entries[i][0], 2);
        PutLe(ifd, at + 2, entries[i][1], 2);
        PutLe(ifd, at + 4, 1, 4);
        PutLe(ifd, at + 8, entries[i][0] == 273 ? pixelAt : entries[i][2], 4);
    }
    return bytes + ifd + "\x80";
}

class WicImageLoaderTest : public ::testing::Test {
  protected:
    TempFolder folder_;
    WicImageLoader loader_;
};

TEST_F(WicImageLoaderTest, HandMadeBmpNamedDatIsReadByContent) {
    const std::string path = folder_.File("Pattern.dat");
    WriteBytes(path, BmpBytes(2, 3, {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF, 0x000000, 0x123456}));

    Surface surface;
    ASSERT_EQ(loader_.Load(path, surface), ImageLoadStatus::Ok);
    ASSERT_EQ(surface.Width(), 2);
    ASSERT_EQ(surface.Height(), 3);
    EXPECT_EQ(surface.Pixel(0, 0), 0x0000FFu);
    EXPECT_EQ(surface.Pixel(1, 0), 0x00FF00u);
    EXPECT_EQ(surface.Pixel(0, 1), 0xFF0000u);
    EXPECT_EQ(surface.Pixel(1, 1), 0xFFFFFFu);
    EXPECT_EQ(surface.Pixel(0, 2), 0x000000u);
    EXPECT_EQ(surface.Pixel(1, 2), 0x123456u);
}

TEST_F(WicImageLoaderTest, TransparentPixelsShowTheTargetsBackgroundColour) {
    const std::string path = folder_.File("alpha.gif");  // a PNG, whatever its name says
    WriteBytes(path, PngBytes(3, 1, {0xFFFF0000, 0x00FF0000, 0x80FFFFFF}));

    Surface surface;
    surface.SetBackColor(0x00FF0000);  // blue
    ASSERT_EQ(loader_.Load(path, surface), ImageLoadStatus::Ok);
    ASSERT_EQ(surface.Width(), 3);
    EXPECT_EQ(surface.Pixel(0, 0), 0x0000FFu);
    EXPECT_EQ(surface.Pixel(1, 0), 0xFF0000u);
    EXPECT_EQ(surface.Pixel(2, 0), Rgb(128, 128, 255));

    // A system colour as background is resolved (the button face).
    Surface face;
    face.SetBackColor(kButtonFaceColour);
    ASSERT_EQ(loader_.Load(path, face), ImageLoadStatus::Ok);
    EXPECT_EQ(face.Pixel(1, 0), ResolveColour(kButtonFaceColour));
}

TEST_F(WicImageLoaderTest, ShippedThemePicturesLoadWithTheirPixels) {
    const std::string themes = std::string(MORAVEL_SOURCE_DIR) + "/data/Themes/";
    const struct {
        const char* name;
        int width;
        int height;
    } files[] = {
        {"Pattern.dat", 32, 100}, {"rainbow.bmp", 180, 64}, {"night.jpg", 320, 100},
        {"paper.gif", 60, 100},   {"brick.ico", 32, 32},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        Surface surface;
        ASSERT_EQ(loader_.Load(themes + f.name, surface), ImageLoadStatus::Ok);
        EXPECT_EQ(surface.Width(), f.width);
        EXPECT_EQ(surface.Height(), f.height);
    }
    // The graph paper: a faint line every tenth column, rows in pairs of two shades (the same
    // pixels the Qt front end reads).
    Surface paper;
    ASSERT_EQ(loader_.Load(themes + "paper.gif", paper), ImageLoadStatus::Ok);
    EXPECT_EQ(paper.Pixel(9, 0), Rgb(205, 222, 238));
    EXPECT_EQ(paper.Pixel(0, 0), Rgb(249, 247, 234));
    EXPECT_EQ(paper.Pixel(0, 2), Rgb(252, 250, 238));
    EXPECT_EQ(paper.Pixel(59, 99), Rgb(205, 222, 238));
}

TEST_F(WicImageLoaderTest, PicturesInMemoryLoadAsTheirFilesDo) {
    const std::string png = PngBytes(3, 1, {0xFFFF0000, 0x00FF0000, 0x80FFFFFF});
    const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(png.data()), png.size());
    Surface surface;
    surface.SetBackColor(0x00FF0000);  // blue
    ASSERT_EQ(LoadPictureBytes(bytes, surface), ImageLoadStatus::Ok);
    ASSERT_EQ(surface.Width(), 3);
    ASSERT_EQ(surface.Height(), 1);
    EXPECT_EQ(surface.Pixel(0, 0), 0x0000FFu);
    EXPECT_EQ(surface.Pixel(1, 0), 0xFF0000u);
    EXPECT_EQ(surface.Pixel(2, 0), Rgb(128, 128, 255));

    // What is no picture, or a cut one, leaves the target as it was.
    const std::string junk = "this is not a picture at all";
    const std::string bmp = BmpBytes(20000, 1, {});
    for (const std::string& bad : {junk, png.substr(0, 40), bmp, std::string()}) {
        Surface kept(5, 4);
        EXPECT_NE(
            LoadPictureBytes(
                std::span(reinterpret_cast<const std::uint8_t*>(bad.data()), bad.size()), kept),
            ImageLoadStatus::Ok);
        EXPECT_EQ(kept.Width(), 5);
    }
}

TEST_F(WicImageLoaderTest, FailuresLeaveTheTargetAsItWas) {
    // Headers announcing 20000 pixels on a side and 81 megapixels, without the pixels: refused by
    // their size, since decoding them would fail otherwise. A whole picture too wide is refused
    // too (Wine's PNG decoder decodes when it opens a file, unlike Windows', so it is whole).
    WriteBytes(folder_.File("wide.bmp"), BmpBytes(20000, 1, {}));
    WriteBytes(folder_.File("huge.bmp"), BmpBytes(9000, 9000, {}));
    WriteBytes(folder_.File("wide.png"), PngBytes(18000, 1, {}));
    WriteBytes(folder_.File("junk.dat"), "this is not a picture at all");
    WriteBytes(folder_.File("empty.bmp"), "");
    WriteBytes(folder_.File("one.tif"), TiffBytes());
    std::vector<std::uint32_t> green(64 * 64, 0xFF00FF00);
    WriteBytes(folder_.File("truncated.png"), PngBytes(64, 64, green).substr(0, 60));
    WriteBytes(folder_.File("cut.png"), PngBytes(64, 64, green).substr(0, 5000));

    const struct {
        std::string path;
        ImageLoadStatus status;
    } cases[] = {
        {folder_.File("wide.bmp"), ImageLoadStatus::TooLarge},
        {folder_.File("huge.bmp"), ImageLoadStatus::TooLarge},
        {folder_.File("wide.png"), ImageLoadStatus::TooLarge},
        {folder_.File("junk.dat"), ImageLoadStatus::Unreadable},
        {folder_.File("empty.bmp"), ImageLoadStatus::Unreadable},
        {folder_.File("one.tif"), ImageLoadStatus::Unreadable},
        {folder_.File("truncated.png"), ImageLoadStatus::Unreadable},
        {folder_.File("cut.png"), ImageLoadStatus::Unreadable},
        {folder_.File("missing.bmp"), ImageLoadStatus::Missing},
        {folder_.path(), ImageLoadStatus::Missing},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        Surface surface(5, 4);
        surface.SetBackColor(0x00ABCDEF);
        surface.Clear();
        EXPECT_EQ(loader_.Load(c.path, surface), c.status);
        EXPECT_EQ(surface.Width(), 5);
        EXPECT_EQ(surface.Height(), 4);
        EXPECT_EQ(surface.Pixel(4, 3), 0x00ABCDEFu);
    }
}

TEST_F(WicImageLoaderTest, LoadsOnAnyThreadWhateverItsApartment) {
    const std::string path = folder_.File("one.bmp");
    WriteBytes(path, BmpBytes(1, 1, {0x123456}));
    auto loadOn = [&](bool multithreaded) {
        Colour seen = 0;
        std::thread thread([&] {
            if (multithreaded) {
                CoInitializeEx(nullptr, COINIT_MULTITHREADED);
            }
            Surface surface;
            for (int i = 0; i < 2; ++i) {  // the second load reuses the thread's apartment
                if (WicImageLoader().Load(path, surface) == ImageLoadStatus::Ok) {
                    seen = surface.Pixel(0, 0);
                }
            }
            if (multithreaded) {
                CoUninitialize();
            }
        });
        thread.join();
        return seen;
    };
    EXPECT_EQ(loadOn(false), 0x123456u);
    EXPECT_EQ(loadOn(true), 0x123456u);
}

}  // namespace
}  // namespace moravel
