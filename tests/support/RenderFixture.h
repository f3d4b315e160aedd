// A renderer wired to fakes, a history ring the test fills, and helpers to look at pixels.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "core/config/Settings.h"
#include "core/config/Theme.h"
#include "core/os/Paths.h"
#include "core/render/Renderer.h"
#include "support/FakeFontEngine.h"
#include "support/FakeImageLoader.h"

namespace moravel::test {

inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kWhite = 0xFFFFFF;

// A theme that draws nothing but what a test turns on: filled graph, no lines, no text, black.
inline ThemeRecord BareTheme() {
    ThemeRecord t;
    t.ForeType = ForeKind::Filled;
    t.ForeColor1 = 0x0000FF;
    t.ForeColor2 = 0x000080;
    t.ForeColor3 = 0x00AA00;
    t.TextFont = {"Fake Sans", 12, 0};
    t.TextColor1 = 0x7F7F7F;
    t.TextColor2 = 0xFFFFFF;
    t.TextColor3 = 0x000001;
    t.TextSuffix = " %";
    return t;
}

class RenderFixture : public ::testing::Test {
  protected:
    RenderFixture() : renderer(fonts, images, {kFolder}, theme, settings) {
        theme = BareTheme();
        settings.IconGraphMode = TrayIconMode::Graph;
        SetRing(64);
    }

    // An empty ring of n slots, written from slot `start` on.
    void SetRing(std::int32_t n, std::int32_t start = 0) {
        ring.assign(static_cast<std::size_t>(n), 0);
        pos = start;
        renderer.SetHistory({ring.data(), n, &pos});
    }

    // Appends samples, oldest first.
    void Push(std::initializer_list<std::int32_t> samples) {
        for (const std::int32_t v : samples) {
            Push(v);
        }
    }
    void Push(std::int32_t v) {
        ring[static_cast<std::size_t>(pos)] = v;
        pos = (pos + 1) % static_cast<std::int32_t>(ring.size());
    }

    // The inner size of the window graph is w x h.
    void Layout(std::int32_t w, std::int32_t h) {
        renderer.SetClientSize(w + 2, h + 2);
        renderer.LayoutPictures();
        renderer.GraphReady = false;
    }

    // What ResetPicture does before drawing.
    void Reset(std::int32_t w, std::int32_t h) {
        renderer.LoadThemePictures();
        Layout(w, h);
        renderer.GraphReady = false;
        renderer.IconReady = false;
    }

    static std::string ImagePath(std::string_view name) { return JoinPath(kFolder, name); }

    // A picture whose pixel (x, y) is `base` + 256 * y + x (distinct per pixel).
    static Surface Picture(std::int32_t w, std::int32_t h, Colour base = 0x100000) {
        Surface s(w, h);
        for (std::int32_t y = 0; y < h; ++y) {
            for (std::int32_t x = 0; x < w; ++x) {
                s.SetPixel(x, y, base + static_cast<Colour>(256 * y + x));
            }
        }
        return s;
    }

    // Column x of `s` from row y0 to y1 (inclusive): '#' where the pixel is `on`, '.' elsewhere.
    static std::string Column(const Surface& s, std::int32_t x, std::int32_t y0, std::int32_t y1,
                              Colour on) {
        std::string out;
        for (std::int32_t y = y0; y <= y1; ++y) {
            out += s.Pixel(x, y) == on ? '#' : '.';
        }
        return out;
    }
    static std::string Row(const Surface& s, std::int32_t y, std::int32_t x0, std::int32_t x1,
                           Colour on) {
        std::string out;
        for (std::int32_t x = x0; x <= x1; ++x) {
            out += s.Pixel(x, y) == on ? '#' : '.';
        }
        return out;
    }
    // The rows of column x that hold `on`, as "first..last" (or "none"); fails if not contiguous.
    static std::string Rows(const Surface& s, std::int32_t x, Colour on) {
        std::int32_t first = -1;
        std::int32_t last = -1;
        for (std::int32_t y = 0; y < s.Height(); ++y) {
            if (s.Pixel(x, y) == on) {
                if (first < 0) {
                    first = y;
                } else if (last != y - 1) {
                    return "gap";
                }
                last = y;
            }
        }
        return first < 0 ? "none" : std::to_string(first) + ".." + std::to_string(last);
    }
    static bool SamePixels(const Surface& a, const Surface& b) {
        if (a.Width() != b.Width() || a.Height() != b.Height()) {
            return false;
        }
        for (std::int32_t y = 0; y < a.Height(); ++y) {
            for (std::int32_t x = 0; x < a.Width(); ++x) {
                if (a.Pixel(x, y) != b.Pixel(x, y)) {
                    return false;
                }
            }
        }
        return true;
    }

    static inline const std::string kFolder = "themes-under-test";

    FakeFontEngine fonts;
    FakeImageLoader images;
    ThemeRecord theme;
    SettingsRecord settings;
    std::vector<std::int32_t> ring;
    std::int32_t pos = 0;
    Renderer renderer;
};

}  // namespace moravel::test
