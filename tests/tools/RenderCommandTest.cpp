#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "core/render/Colour.h"
#include "core/render/Surface.h"
#include "support/TempFolder.h"

// The pictures are read back with the loader of the front end the tool draws with.
#ifdef _WIN32
#include "win32/WicImageLoader.h"
#else
#include <sys/wait.h>

#include "qt/QtImageLoader.h"
#endif

namespace moravel {
namespace {

#ifdef _WIN32
using PictureLoader = WicImageLoader;
#else
using PictureLoader = QtImageLoader;
#endif

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

const char* const kShippedThemes[] = {"graph.tm",   "line.tm",  "sunset.tm", "night.tm",
                                      "rainbow.tm", "paper.tm", "brick.tm",  "meter.tm",
                                      "lcd.tm",     "scope.tm", "glacier.tm"};

// Runs moravel-tool with `args`; returns its exit status.
int Tool(const std::string& args) {
#ifdef _WIN32
    const std::string command = std::string("\"\"") + MORAVEL_TOOL + "\" " + args + " 2>NUL\"";
    return std::system(command.c_str());
#else
    const std::string command = std::string("'") + MORAVEL_TOOL + "' " + args + " 2>/dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

std::string Quoted(const std::string& path) {
#ifdef _WIN32
    return "\"" + path + "\"";
#else
    return "'" + path + "'";
#endif
}

// Where a written picture is transparent, the picture read back shows this colour.
constexpr Colour kSeeThrough = Rgb(255, 0, 255);

// The picture in the PNG file at `path`; a picture of size 0 when it cannot be read.
Surface ReadPicture(const std::string& path) {
    Surface picture;
    picture.SetBackColor(kSeeThrough);
    PictureLoader loader;
    if (loader.Load(path, picture) != ImageLoadStatus::Ok) {
        picture.Resize(0, 0);
    }
    return picture;
}

bool IsPng(const std::string& path) {
    return ReadBytes(path).rfind("\x89PNG\r\n\x1a\n", 0) == 0;
}

class RenderCommandTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // Two usable lines, clamped, then a line that ends the reading.
        WriteBytes(history_, "150\r\n -3 \r\nabc\r\n40\r\n");
        // The built-in theme without its text, so every pixel is the graph's or the grid's.
        WriteBytes(theme_, "[Theme]\r\nTextType=0\r\n");
    }

    TempFolder folder_;
    std::string history_ = folder_.File("TestData.dat");
    std::string theme_ = folder_.File("plain.tm");
};

TEST_F(RenderCommandTest, DrawsTheHistoryAsTheWindowsFirstFrame) {
    const std::string out = folder_.File("graph.png");
    ASSERT_EQ(Tool("render --history " + Quoted(history_) + " --theme " + Quoted(theme_) +
                   " --size 40x20 --history-size 8 --out " + Quoted(out)),
              0);
    EXPECT_TRUE(IsPng(out));
    const Surface image = ReadPicture(out);
    ASSERT_EQ(image.Width(), 40);
    ASSERT_EQ(image.Height(), 20);
    // Slots 0 and 1 hold 100 and 0 and the write position is 2: the newest sample (0) is in the
    // last column, the 100 before it fills the column to its left, older slots are empty.
    const Colour fill = Rgb(0, 127, 0);
    for (int y = 0; y < 20; ++y) {
        EXPECT_EQ(image.Pixel(38, y), fill) << y;
        EXPECT_EQ(image.Pixel(39, y), Rgb(0, 0, 0)) << y;
    }
    // Older slots are empty: only the dotted grid shows there.
    EXPECT_EQ(image.Pixel(37, 0), Rgb(0, 0, 0));
    EXPECT_EQ(image.Pixel(37, 19), Rgb(0, 0, 0));
}

TEST_F(RenderCommandTest, DrawsEachProcessorOfAPerProcessorHistory) {
    // The total, then two processors: 100 and 0, then 0 and 100 (the newest).
    WriteBytes(history_, "50,100,0\r\n50,0,100\r\n");
    const std::string out = folder_.File("processors.png");
    const std::string args = "render --history " + Quoted(history_) + " --theme " + Quoted(theme_) +
                             " --size 40x20 --history-size 8 --out " + Quoted(out);
    ASSERT_EQ(Tool(args + " --view processors"), 0);
    Surface image = ReadPicture(out);
    ASSERT_EQ(image.Width(), 40);
    // Two bands of ten rows, graphs of their own; the second starts with a separating row.
    const Colour fill = Rgb(0, 127, 0);
    for (int y = 0; y < 10; ++y) {
        EXPECT_EQ(image.Pixel(38, y), fill) << y;
        EXPECT_EQ(image.Pixel(39, y), Rgb(0, 0, 0)) << y;
    }
    for (int y = 11; y < 20; ++y) {
        EXPECT_EQ(image.Pixel(38, y), Rgb(0, 0, 0)) << y;
        EXPECT_EQ(image.Pixel(39, y), fill) << y;
    }
    // The same file without the view: the total, half of each column.
    ASSERT_EQ(Tool(args), 0);
    image = ReadPicture(out);
    EXPECT_EQ(image.Pixel(39, 9), Rgb(0, 0, 0));
    EXPECT_EQ(image.Pixel(39, 10), fill);
    EXPECT_EQ(Tool(args + " --view each"), 2);
}

TEST_F(RenderCommandTest, WritesTheTrayIconPictureWithItsTransparency) {
    const std::string icon = folder_.File("icon.png");
    ASSERT_EQ(Tool("render --history " + Quoted(history_) + " --theme " + Quoted(theme_) +
                   " --history-size 8 --icon-mode 2 --icon-out " + Quoted(icon)),
              0);
    EXPECT_TRUE(IsPng(icon));
    const Surface image = ReadPicture(icon);
    ASSERT_EQ(image.Width(), 16);
    ASSERT_EQ(image.Height(), 16);
    // Meter 1: newest 0 %, previous 100 %: the dim bar of the previous value fills the meter.
    EXPECT_EQ(image.Pixel(7, 7), Rgb(0, 127, 0));
    EXPECT_EQ(image.Pixel(2, 14), Rgb(0, 127, 0));
    EXPECT_EQ(image.Pixel(0, 7), kSeeThrough);
    EXPECT_EQ(image.Pixel(15, 7), kSeeThrough);
    EXPECT_EQ(image.Pixel(1, 5), Rgb(255, 255, 255));  // the frame's left edge
}

TEST_F(RenderCommandTest, WrongArgumentsAndMissingFilesFail) {
    const std::string h = " --history " + Quoted(history_);
    const std::string out = " --out " + Quoted(folder_.File("x.png"));
    EXPECT_EQ(Tool("render" + out), 2);
    EXPECT_EQ(Tool("render" + h), 2);  // nothing to write
    EXPECT_EQ(Tool("render" + h + out + " --size 0x10"), 2);
    EXPECT_EQ(Tool("render" + h + out + " --size 100"), 2);
    EXPECT_EQ(Tool("render" + h + out + " --history-size 0"), 2);
    EXPECT_EQ(Tool("render" + h + " --icon-mode 5 --icon-out x.png"), 2);
    EXPECT_EQ(Tool("render" + h + " --icon-mode 1"), 2);
    EXPECT_EQ(Tool("render --history " + Quoted(folder_.File("none.dat")) + out), 1);
    EXPECT_EQ(Tool("render" + h + " --out " + Quoted(folder_.File("no/such/folder/x.png"))), 1);
}

TEST_F(RenderCommandTest, EveryShippedThemeRendersAndIsWrittenAsTheProgramWritesIt) {
    for (const char* name : kShippedThemes) {
        SCOPED_TRACE(name);
        const std::string shipped = std::string(MORAVEL_THEMES_DIR) + "/" + name;
        const std::string out = folder_.File("theme.png");
        ASSERT_EQ(Tool("render --history " + Quoted(history_) + " --theme " + Quoted(shipped) +
                       " --themes-dir " + Quoted(MORAVEL_THEMES_DIR) + " --out " + Quoted(out)),
                  0);
        const Surface image = ReadPicture(out);
        EXPECT_EQ(image.Width(), 298);
        EXPECT_EQ(image.Height(), 98);

        const std::string copy = folder_.File("copy.tm");
        ASSERT_EQ(Tool("theme --in " + Quoted(shipped) + " --out " + Quoted(copy)), 0);
        EXPECT_EQ(ReadBytes(copy), ReadBytes(shipped));
    }
    // graph.tm is the built-in theme.
    const std::string builtIn = folder_.File("builtin.tm");
    ASSERT_EQ(Tool("theme --in " + Quoted(folder_.File("none.tm")) + " --out " + Quoted(builtIn)),
              0);
    EXPECT_EQ(ReadBytes(builtIn), ReadBytes(std::string(MORAVEL_THEMES_DIR) + "/graph.tm"));
}

}  // namespace
}  // namespace moravel
