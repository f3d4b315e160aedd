// The renderer on random themes, histories and window sizes, extreme values included: themes are
// made as theme files and read with the program's own reader, pictures come from a fake loader
// that knows a pattern strip, two pictures and some files that fail, and text goes through a fake
// font engine. Each input is a little session: theme resets, window resizes and frames with new
// samples between them. Besides crashes and sanitizer reports it checks that frames after the
// first (of a theme or a size) allocate nothing, that the visible surface fits the window, and
// that the icon's frame pictures keep their frames (the number is drawn in a picture of its own).
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/config/Settings.h"
#include "core/config/Theme.h"
#include "core/render/Renderer.h"
#include "support/AllocationCounter.h"
#include "support/FakeFontEngine.h"
#include "support/FakeImageLoader.h"

using namespace moravel;

namespace {

constexpr const char* kFolder = "themes";

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// Numbers as the fields meet them: their own values, the values around them, the extremes.
std::int32_t Number(FuzzedDataProvider& in) {
    static constexpr std::int32_t kEdges[] = {-1,
                                              4,
                                              5,
                                              8,
                                              9,
                                              10,
                                              14,
                                              59,
                                              60,
                                              61,
                                              299,
                                              300,
                                              301,
                                              600,
                                              601,
                                              INT32_MIN,
                                              INT32_MAX,
                                              static_cast<std::int32_t>(0x8000000F),
                                              static_cast<std::int32_t>(0x80FFFFFF)};
    switch (in.ConsumeIntegralInRange(0, 3)) {
        case 0:
            return in.ConsumeIntegralInRange(0, 3);
        case 1:
            return in.PickValueInArray(kEdges);
        case 2:
            return in.ConsumeIntegralInRange(-20, 700);
        default:
            return in.ConsumeIntegral<std::int32_t>();
    }
}

std::string Hex(std::uint32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "&H%08X", value);
    return buffer;
}

// A string field: no CR LF (a theme file cannot hold one), Japanese text now and then.
std::string Text(FuzzedDataProvider& in) {
    static constexpr const char* kPieces[] = {"",   " %", "CPU ", "使用率", "ＭＳ ゴシック",
                                              "\"", "  ", "%"};
    std::string s = in.PickValueInArray(kPieces);
    std::string tail = in.ConsumeRandomLengthString(40);
    for (char& c : tail) {
        if (c == '\r' || c == '\n' || (static_cast<unsigned char>(c) & 0x80) != 0) {
            c = '#';
        }
    }
    return s + tail;
}

std::string PictureName(FuzzedDataProvider& in) {
    static constexpr const char* kNames[] = {"",           "tone.bmp", "board.gif",   "missing.jpg",
                                             "broken.ico", "huge.bmp", "Pattern.dat", "../up.bmp",
                                             "a/b.bmp"};
    return in.PickValueInArray(kNames);
}

std::string FontSize(FuzzedDataProvider& in) {
    static constexpr const char* kSizes[] = {"14", "10.5", "1",     "0.99", "300", "300.5",
                                             "0",  "-14",  "1e308", "4.5",  "72",  "0.5"};
    if (in.ConsumeBool()) {
        return std::to_string(in.ConsumeFloatingPointInRange(-10.0, 400.0));
    }
    return in.PickValueInArray(kSizes);
}

// A theme file with every key, values chosen by the input, read as the program reads one.
ThemeRecord MakeTheme(FuzzedDataProvider& in) {
    static constexpr const char* kNumbers[] = {
        "GraphHType",     "GraphHLineType", "GraphHLineMode", "GraphVType",   "GraphVLineType",
        "GraphVLineMode", "TextType",       "TextFont.Style", "TextPosition", "ForeType",
        "ForeEdge",       "ForeNo",         "ForePosition",   "BackType",     "BackNo"};
    static constexpr const char* kColours[] = {
        "GraphHColor1", "GraphHColor2", "GraphHColor3", "GraphVColor1", "GraphVColor2",
        "GraphVColor3", "TextColor1",   "TextColor2",   "TextColor3",   "ForeColor1",
        "ForeColor2",   "ForeColor3",   "BackColor"};
    static constexpr const char* kFaces[] = {"", "Fake Sans", "ＭＳ ゴシック", "No Such Face"};
    std::string text = "[Theme]\r\n";
    for (const char* key : kNumbers) {
        text += std::string(key) + "=" + std::to_string(Number(in)) + "\r\n";
    }
    for (const char* key : kColours) {
        text += std::string(key) + "=" + Hex(in.ConsumeIntegral<std::uint32_t>()) + "\r\n";
    }
    text += "TextFont.Name=\"" + std::string(in.PickValueInArray(kFaces)) + "\"\r\n";
    text += "TextFont.Size=" + FontSize(in) + "\r\n";
    text += "TextPrefix=\"" + Text(in) + "\"\r\n";
    text += "TextSuffix=\"" + Text(in) + "\"\r\n";
    text += "ForeName=\"" + PictureName(in) + "\"\r\n";
    text += "BackName=\"" + PictureName(in) + "\"\r\n";
    ThemeRecord theme;
    Check(ParseThemeText(text, theme));
    return theme;
}

Surface Picture(std::int32_t w, std::int32_t h, std::uint32_t seed) {
    Surface s(w, h);
    for (std::int32_t y = 0; y < h; ++y) {
        for (std::int32_t x = 0; x < w; ++x) {
            s.SetPixel(
                x, y,
                (seed * 2654435761u + static_cast<std::uint32_t>(x * 7 + y * 131)) & kColourBits);
        }
    }
    return s;
}

// The pictures of the themes folder: the pattern strip (or none, or a broken one), two pictures
// of any size, a file that is no picture and one that is too large. Every other name is missing.
void StockPictures(FuzzedDataProvider& in, test::FakeImageLoader& images) {
    const std::string folder = std::string(kFolder) + "/";
    switch (in.ConsumeIntegralInRange(0, 3)) {
        case 0:
            break;  // no Pattern.dat
        case 1:
            images.Refuse(folder + "Pattern.dat", ImageLoadStatus::Unreadable);
            break;
        default:
            images.Add(folder + "Pattern.dat", Picture(in.ConsumeIntegralInRange(1, 300),
                                                       in.ConsumeIntegralInRange(1, 300), 1));
            break;
    }
    images.Add(folder + "tone.bmp",
               Picture(in.ConsumeIntegralInRange(1, 64), in.ConsumeIntegralInRange(1, 400), 2));
    images.Add(folder + "board.gif",
               Picture(in.ConsumeIntegralInRange(1, 500), in.ConsumeIntegralInRange(1, 300), 3));
    images.Refuse(folder + "broken.ico", ImageLoadStatus::Unreadable);
    images.Refuse(folder + "huge.bmp", ImageLoadStatus::TooLarge);
}

// A client area: mostly ordinary, sometimes degenerate or very long and thin.
void PickClientSize(FuzzedDataProvider& in, std::int32_t& w, std::int32_t& h) {
    static constexpr std::int32_t kOdd[] = {INT32_MIN, -1000, -1, 0, 1, 2, 3, 4};
    w = in.ConsumeIntegralInRange(0, 640);
    h = in.ConsumeIntegralInRange(0, 240);
    switch (in.ConsumeIntegralInRange(0, 5)) {
        case 0:
            w = in.PickValueInArray(kOdd);
            break;
        case 1:
            h = in.PickValueInArray(kOdd);
            break;
        case 2:
            w = 32767;  // as wide as a window can be, and low
            h = in.ConsumeIntegralInRange(-2, 8);
            break;
        case 3:
            h = 32767;
            w = in.ConsumeIntegralInRange(-2, 8);
            break;
        default:
            break;
    }
}

// A checksum of the pixels of both icon frame pictures outside their inner areas.
std::uint64_t FrameSum(const Renderer& r) {
    std::uint64_t sum = 0;
    for (int k = 0; k < 2; ++k) {
        const Surface& s = r.picIconGraph[static_cast<std::size_t>(k)];
        const std::int32_t left = k == 0 ? 1 : 2;
        const std::int32_t top = k == 0 ? 2 : 1;
        const std::int32_t right = k == 0 ? 14 : 13;
        const std::int32_t bottom = k == 0 ? 13 : 14;
        for (std::int32_t y = 0; y < s.Height(); ++y) {
            for (std::int32_t x = 0; x < s.Width(); ++x) {
                if (x < left || x > right || y < top || y > bottom) {
                    sum = sum * 1000003u + s.Pixel(x, y) + 1;
                }
            }
        }
    }
    return sum;
}

struct Session {
    test::FakeFontEngine fonts;
    test::FakeImageLoader images;
    ThemeRecord theme;
    SettingsRecord settings;
    std::vector<std::int32_t> ring;
    std::int32_t pos = 0;
    Renderer renderer{fonts, images, {kFolder}, theme, settings};
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool first = true;
    std::uint64_t frames = 0;

    void Layout() {
        renderer.SetClientSize(width, height);
        renderer.LayoutPictures();
        renderer.GraphReady = false;
        first = true;
    }

    // What the window does when a theme or a setting changes.
    void ResetPicture(FuzzedDataProvider& in) {
        theme = MakeTheme(in);
        const std::string ini = "[Settings]\r\nIconGraphMode=" + std::to_string(Number(in)) +
                                "\r\nState=" + std::to_string(in.ConsumeIntegralInRange(0, 2)) +
                                "\r\n";
        SetDefaultSettings(settings);
        ParseSettingsText(ini, settings);
        renderer.LoadThemePictures();
        PickClientSize(in, width, height);
        Layout();
        renderer.IconReady = false;
        frames = FrameSum(renderer);
        renderer.DrawGraph();
        renderer.DrawIconGraph(renderer.picIcon);
        first = false;
    }

    void Push(FuzzedDataProvider& in) {
        const auto n = static_cast<std::int32_t>(ring.size());
        const std::int32_t count = in.ConsumeIntegralInRange(0, n + 3);
        for (std::int32_t i = 0; i < count; ++i) {
            const bool odd = in.ConsumeIntegralInRange(0, 15) == 0;
            ring[static_cast<std::size_t>(((pos % n) + n) % n)] =
                odd ? in.ConsumeIntegral<std::int32_t>() : in.ConsumeIntegralInRange(0, 100);
            pos = (((pos % n) + n) % n + 1) % n;
        }
    }

    void Frame() {
        Surface& picture = renderer.IconPicture();
        const std::size_t before = test::AllocationCount();
        renderer.DrawGraph();
        renderer.DrawIconGraph(picture);
        Check(first || test::AllocationCount() == before);
        first = false;
        // picGraph is the inner area of the client area, less its one-pixel border.
        Check(renderer.picGraph.Width() == std::max(std::max(width, 0) - 2, 0));
        Check(renderer.picGraph.Height() == std::max(std::max(height, 0) - 2, 0));
        Check(FrameSum(renderer) == frames);
    }
};

std::int32_t HistorySize(FuzzedDataProvider& in) {
    static constexpr std::int32_t kSizes[] = {1, 2, 3, 12, 14, 15, 60, 61, 300, 601, 1920};
    return in.ConsumeBool() ? in.PickValueInArray(kSizes) : in.ConsumeIntegralInRange(1, 4096);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The allocation check can fail: this executable's operator new is the counting one.
    const std::size_t before = test::AllocationCount();
    delete new int(1);
    Check(test::AllocationCount() > before);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    Session s;
    StockPictures(in, s.images);
    const std::int32_t n = HistorySize(in);
    s.ring.assign(static_cast<std::size_t>(n), 0);
    // The write index as the view may meet it, a little outside the ring included.
    s.pos = in.ConsumeIntegralInRange(-2, n + 2);
    s.renderer.SetHistory({s.ring.data(), n, &s.pos});
    s.ResetPicture(in);
    for (int step = 0; step < 32 && in.remaining_bytes() > 0; ++step) {
        switch (in.ConsumeIntegralInRange(0, 9)) {
            case 0:
                s.ResetPicture(in);
                break;
            case 1:
                PickClientSize(in, s.width, s.height);
                s.Layout();
                break;
            default:
                s.Push(in);
                s.Frame();
                break;
        }
    }
    return 0;
}
