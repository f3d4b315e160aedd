// The about box of the resource script, opened for real on a display: its texts, and the scale
// that sinks under held mouse buttons, one frame per timer step, as it is painted.
#include "win32/fomVersion.h"

#include <gtest/gtest.h>

#include <chrono>

#include "core/os/WideText_win.h"
#include "win32/DialogDriver.h"
#include "win32/DibCanvas.h"
#include "win32/fomVersionResources.h"

namespace moravel {
namespace {

using namespace std::chrono_literals;

// A mouse message at the middle of the picture, as the dialog receives it (the picture lets the
// mouse through).
void MouseOnPicture(HWND dialog, UINT message) {
    const RECT picture = ItemRect(dialog, IDC_VERSION_PICTURE);
    const LPARAM at =
        MAKELPARAM((picture.left + picture.right) / 2, (picture.top + picture.bottom) / 2);
    SendMessageW(dialog, message, 0, at);
}

// Whether the picture on the screen shows `frame`, centred in it, pixel for pixel.
bool Shows(HWND dialog, const Surface& frame) {
    const HWND picture = GetDlgItem(dialog, IDC_VERSION_PICTURE);
    RECT client = {};
    GetClientRect(picture, &client);
    DibCanvas canvas;
    if (!canvas.Reserve(client.right, client.bottom)) {
        return false;
    }
    RedrawWindow(picture, nullptr, nullptr, RDW_UPDATENOW);
    const HDC dc = GetDC(picture);
    BitBlt(canvas.dc(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    ReleaseDC(picture, dc);
    GdiFlush();
    const std::int32_t left = (client.right - frame.Width()) / 2;
    const std::int32_t top = (client.bottom - frame.Height()) / 2;
    for (std::int32_t y = 0; y < frame.Height(); ++y) {
        for (std::int32_t x = 0; x < frame.Width(); ++x) {
            const PixelWord want = frame.Pixels()[static_cast<std::size_t>(y * frame.Width() + x)];
            if ((canvas.At(left + x, top + y) & 0xFFFFFF) != (want & 0xFFFFFF)) {
                return false;
            }
        }
    }
    return true;
}

TEST(AboutBoxTest, TheFourScalePicturesComeFromTheProgramsResources) {
    const auto frames = LoadPressFrames();
    for (std::size_t i = 0; i < frames.size(); ++i) {
        EXPECT_EQ(frames[i].Width(), 48) << i;
        EXPECT_EQ(frames[i].Height(), 48) << i;
    }
    // Each its own picture: the pan sits lower from one to the next.
    for (std::size_t i = 1; i < frames.size(); ++i) {
        bool differs = false;
        for (std::int32_t y = 0; y < 48 && !differs; ++y) {
            for (std::int32_t x = 0; x < 48 && !differs; ++x) {
                differs = frames[i].Pixel(x, y) != frames[i - 1].Pixel(x, y);
            }
        }
        EXPECT_TRUE(differs) << i;
    }
}

TEST(AboutBoxTest, TheBoxShowsTheVersionAndTheNotices) {
    fomVersion box(nullptr, ProgramVersion{1, 1, 0});
    const HWND d = box.Create();
    ASSERT_NE(d, nullptr);
    wchar_t caption[64] = {};
    GetWindowTextW(d, caption, 64);
    EXPECT_EQ(WideToUtf8(caption), "バージョン情報");
    EXPECT_EQ(ItemText(d, IDC_VERSION_LABEL1), "Moravel Version 1.1");
    EXPECT_EQ(ItemText(d, IDC_VERSION_LABEL2), kRightsNotice);
    EXPECT_EQ(ItemText(d, IDC_VERSION_LABEL3), kLegalNotice);
    EXPECT_EQ(ItemText(d, IDOK), "OK");

    fomVersion third(nullptr, ProgramVersion{1, 1, 3});
    EXPECT_EQ(ItemText(third.Create(), IDC_VERSION_LABEL1), "Moravel Version 1.1.3");

    // OK closes it; so does Esc.
    test::Click(d, IDOK);
    EXPECT_EQ(box.hwnd(), nullptr);
    const HWND again = third.hwnd();
    SetFocus(GetDlgItem(again, IDOK));
    test::PressKey(again, VK_ESCAPE);
    EXPECT_EQ(third.hwnd(), nullptr);
}

TEST(AboutBoxTest, HeldButtonsSinkTheScaleOneFramePerStep) {
    fomVersion box(nullptr, ProgramVersion{1, 1, 0});
    const HWND d = box.Create();
    ASSERT_NE(d, nullptr);
    ShowWindow(d, SW_SHOW);
    test::PumpFor(50ms);
    EXPECT_TRUE(Shows(d, box.frame(0)));

    // A press sinks it one frame at once.
    MouseOnPicture(d, WM_LBUTTONDOWN);
    EXPECT_EQ(box.animation().PressFrame, 1);
    EXPECT_FALSE(box.timerRunning());  // already where one button takes it
    EXPECT_TRUE(Shows(d, box.frame(1)));

    // Each further button one frame more, at once too: three at most.
    MouseOnPicture(d, WM_RBUTTONDOWN);
    EXPECT_EQ(box.animation().PressFrame, 2);
    MouseOnPicture(d, WM_MBUTTONDOWN);
    EXPECT_EQ(box.animation().PressFrame, 3);
    EXPECT_FALSE(box.timerRunning());
    EXPECT_TRUE(Shows(d, box.frame(3)));

    // Released, it rises back one frame per 150 ms step.
    MouseOnPicture(d, WM_MBUTTONUP);
    MouseOnPicture(d, WM_RBUTTONUP);
    MouseOnPicture(d, WM_LBUTTONUP);
    EXPECT_EQ(box.animation().PressFrame, 3);
    EXPECT_TRUE(box.timerRunning());
    ASSERT_TRUE(test::PumpUntil([&] { return box.animation().PressFrame == 2; }));
    EXPECT_TRUE(Shows(d, box.frame(2)));
    ASSERT_TRUE(test::PumpUntil([&] { return box.animation().PressFrame == 0; }));
    EXPECT_FALSE(box.timerRunning());
    EXPECT_TRUE(Shows(d, box.frame(0)));

    // A press beside the picture does nothing.
    SendMessageW(d, WM_LBUTTONDOWN, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(box.animation().PressButtons, 0);
    EXPECT_EQ(box.animation().PressFrame, 0);
}

}  // namespace
}  // namespace moravel
