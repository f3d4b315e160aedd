// The main window's pieces as the system gets them: tray icons from icon images, frames on a device
// context, the tray's records and clicks, the popup menu and the sizing edges.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "core/app/ShellRules.h"
#include "core/base/Guid.h"
#include "core/os/WideText_win.h"
#include "core/tray/IconImage.h"
#include "win32/DibCanvas.h"
#include "win32/Dpi.h"
#include "win32/FrameEdges.h"
#include "win32/IconFromImage.h"
#include "win32/PopupMenu.h"
#include "win32/SurfaceDisplay.h"
#include "win32/TaskTray.h"

namespace moravel {
namespace {

// 0x00BBGGRR as a 32-bit DIB stores it.
std::uint32_t DibOrder(std::uint32_t c) {
    return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

BITMAPINFOHEADER TopDown(std::int32_t size, WORD bits) {
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = size;
    header.biHeight = -size;
    header.biPlanes = 1;
    header.biBitCount = bits;
    header.biCompression = BI_RGB;
    return header;
}

// The bitmap's pixels read back through GetDIBits, top row first, `bits` per pixel.
std::vector<std::uint8_t> ReadBits(HBITMAP bitmap, std::int32_t size, WORD bits,
                                   std::int32_t stride) {
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[2];
    } info = {TopDown(size, bits), {}};
    std::vector<std::uint8_t> out(static_cast<std::size_t>(stride * size));
    const WindowDc screen(nullptr);
    const int lines = GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(size), out.data(),
                                reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    EXPECT_EQ(lines, size);
    return out;
}

// 40 pixels: the mask's rows are 6 bytes in the icon image and 8 in a DIB, so rows mixed up
// between the two show.
IconImage Pattern() {
    IconImage image(40);
    for (std::int32_t y = 0; y < 40; ++y) {
        for (std::int32_t x = 0; x < 40; ++x) {
            if ((x * 7 + y * 3) % 5 != 0 && y != 39) {
                image.SetOpaque(x, y, 0x00102030u + static_cast<std::uint32_t>(x * 0x10000 + y));
            }
        }
    }
    return image;
}

TEST(TrayPicturesTest, TheIconHasTheImagesMaskAndColours) {
    const IconImage image = Pattern();
    const IconHandle icon = MakeIconHandle(image);
    ASSERT_TRUE(icon);
    ICONINFO info = {};
    ASSERT_NE(GetIconInfo(icon.get(), &info), FALSE);
    const BitmapHandle mask(info.hbmMask);
    const BitmapHandle colour(info.hbmColor);
    EXPECT_TRUE(info.fIcon);
    ASSERT_TRUE(mask);
    ASSERT_TRUE(colour);

    const std::vector<std::uint8_t> maskBits = ReadBits(mask.get(), 40, 1, 8);
    const std::vector<std::uint8_t> colourBytes = ReadBits(colour.get(), 40, 32, 160);
    int transparent = 0;
    for (std::int32_t y = 0; y < 40; ++y) {
        for (std::int32_t x = 0; x < 40; ++x) {
            const bool set =
                (maskBits[static_cast<std::size_t>(y * 8 + x / 8)] & (0x80 >> (x % 8))) != 0;
            ASSERT_EQ(set, image.IsTransparent(x, y)) << x << "," << y;
            transparent += set ? 1 : 0;
            std::uint32_t pixel = 0;
            std::memcpy(&pixel, &colourBytes[static_cast<std::size_t>(y * 160 + x * 4)], 4);
            ASSERT_EQ(pixel & 0xFFFFFFu, DibOrder(image.ColorAt(x, y))) << x << "," << y;
            // The alpha agrees with the mask, for the systems that look at one or the other.
            ASSERT_EQ(pixel >> 24, set ? 0u : 0xFFu) << x << "," << y;
        }
    }
    EXPECT_GT(transparent, 40);  // the whole last row and a fifth of the others
    EXPECT_LT(transparent, 40 * 40 / 2);
}

TEST(TrayPicturesTest, AnEmptyImageMakesNoIcon) {
    EXPECT_FALSE(MakeIconHandle(IconImage(0)));
}

TEST(TrayPicturesTest, AFrameIsShownWholeAtItsPlaceWithItsColours) {
    Surface frame(3, 2);
    const std::uint32_t pixels[] = {0x000000FFu, 0x0000FF00u, 0x00FF0000u,
                                    0x00123456u, 0x00000000u, 0x00FFFFFFu};
    std::copy(std::begin(pixels), std::end(pixels), frame.Pixels());
    DibCanvas canvas;
    ASSERT_TRUE(canvas.Reserve(8, 8));
    canvas.Fill(8, 8, 0x00ABCDEFu);
    ASSERT_TRUE(PaintSurface(canvas.dc(), 2, 1, frame));
    GdiFlush();
    for (std::int32_t y = 0; y < 8; ++y) {
        for (std::int32_t x = 0; x < 8; ++x) {
            const bool inside = x >= 2 && x < 5 && y >= 1 && y < 3;
            const std::uint32_t expected = inside ? pixels[(y - 1) * 3 + (x - 2)] : 0x00ABCDEFu;
            EXPECT_EQ(canvas.At(x, y) & 0xFFFFFFu, expected) << x << "," << y;
        }
    }

    // An empty frame shows nothing.
    frame.Resize(0, 0);
    EXPECT_FALSE(PaintSurface(canvas.dc(), 0, 0, frame));
}

TEST(TrayPicturesTest, AScaledFrameShowsEachPixelAsASharpSquare) {
    Surface frame(3, 2);
    const std::uint32_t pixels[] = {0x000000FFu, 0x0000FF00u, 0x00FF0000u,
                                    0x00123456u, 0x00000000u, 0x00FFFFFFu};
    std::copy(std::begin(pixels), std::end(pixels), frame.Pixels());
    DibCanvas canvas;
    ASSERT_TRUE(canvas.Reserve(10, 8));
    canvas.Fill(10, 8, 0x00ABCDEFu);
    // A halftone mode left on the device context must not smooth the picture.
    SetStretchBltMode(canvas.dc(), HALFTONE);
    ASSERT_TRUE(PaintSurfaceScaled(canvas.dc(), 2, 1, frame, 2));
    GdiFlush();
    for (std::int32_t y = 0; y < 8; ++y) {
        for (std::int32_t x = 0; x < 10; ++x) {
            const bool inside = x >= 2 && x < 8 && y >= 1 && y < 5;
            const std::uint32_t expected =
                inside ? pixels[(y - 1) / 2 * 3 + (x - 2) / 2] : 0x00ABCDEFu;
            EXPECT_EQ(canvas.At(x, y) & 0xFFFFFFu, expected) << x << "," << y;
        }
    }
    EXPECT_EQ(GetStretchBltMode(canvas.dc()), HALFTONE);  // given back as it was
}

TEST(TrayPicturesTest, TheFramesBorderTakesTheFactorAndTheLeftoverPixels) {
    // A 7 x 6 client area at factor 2: the graph is 2 x 1 frame pixels (the frame 3 x 3), and the
    // odd device pixels at the right and bottom are border.
    Surface graph(2, 1);
    graph.Pixels()[0] = 0x00112233u;
    graph.Pixels()[1] = 0x00445566u;
    DibCanvas canvas;
    ASSERT_TRUE(canvas.Reserve(7, 6));
    canvas.Fill(7, 6, 0x00ABCDEFu);
    const BrushHandle border(CreateSolidBrush(RGB(0x01, 0x02, 0x03)));  // 0x00010203 as a DIB's
    PaintFrame(canvas.dc(), 7, 6, graph, 2, border.get());
    GdiFlush();
    for (std::int32_t y = 0; y < 6; ++y) {
        for (std::int32_t x = 0; x < 7; ++x) {
            const bool inside = x >= 2 && x < 6 && y >= 2 && y < 4;
            const std::uint32_t expected = inside ? graph.Pixels()[(x - 2) / 2] : 0x00010203u;
            EXPECT_EQ(canvas.At(x, y) & 0xFFFFFFu, expected) << x << "," << y;
        }
    }
}

TEST(TrayPicturesTest, TheTrayIconHasTheSystemsSmallIconSizeAndAnEnlargedGraph) {
    const int size = SmallIconSize(ScreenDpi());
    EXPECT_EQ(size, GetSystemMetrics(SM_CXSMICON));
    // At twice the standard dpi the tray asks for twice the icon, where the system can tell.
    if (GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi") != nullptr) {
        EXPECT_EQ(SmallIconSize(192), 2 * SmallIconSize(96));
    }
    IconImage graph(16);
    graph.SetOpaque(15, 15, 0x00102030u);
    const IconHandle icon = MakeIconHandle(EnlargedIcon(graph, SmallIconSize(192)));
    ASSERT_TRUE(icon);
    ICONINFO info = {};
    ASSERT_NE(GetIconInfo(icon.get(), &info), FALSE);
    const BitmapHandle mask(info.hbmMask);
    const BitmapHandle colour(info.hbmColor);
    BITMAP bitmap = {};
    ASSERT_NE(GetObjectW(colour.get(), sizeof(bitmap), &bitmap), 0);
    EXPECT_EQ(bitmap.bmWidth, SmallIconSize(192));
}

TEST(TrayPicturesTest, AnEnlargedTrayIconShowsTheTrayThroughItsMargin) {
    // A 16-pixel graph, opaque everywhere, in trays of 24 (as it is, a margin of 4) and 40
    // (twice, a margin of 4): drawn over the tray's colour, only the margin keeps it.
    IconImage graph(16);
    for (std::int32_t y = 0; y < 16; ++y) {
        for (std::int32_t x = 0; x < 16; ++x) {
            graph.SetOpaque(x, y, 0x00203040u);
        }
    }
    for (const std::int32_t tray : {24, 40}) {
        const IconHandle icon = MakeIconHandle(EnlargedIcon(graph, tray));
        ASSERT_TRUE(icon);
        DibCanvas canvas;
        ASSERT_TRUE(canvas.Reserve(tray, tray));
        canvas.Fill(tray, tray, 0x00ABCDEFu);
        ASSERT_NE(DrawIconEx(canvas.dc(), 0, 0, icon.get(), tray, tray, 0, nullptr, DI_NORMAL),
                  FALSE);
        GdiFlush();
        for (std::int32_t y = 0; y < tray; ++y) {
            for (std::int32_t x = 0; x < tray; ++x) {
                const bool margin = x < 4 || y < 4 || x >= tray - 4 || y >= tray - 4;
                ASSERT_EQ(canvas.At(x, y) & 0xFFFFFFu, margin ? 0x00ABCDEFu : DibOrder(0x00203040u))
                    << tray << ": " << x << "," << y;
            }
        }
    }
}

TEST(TrayPicturesTest, TheTrayRecordCarriesTheTipWholeOrCutWithItsEnd) {
    modTaskTray::TrayData data;
    data.window = reinterpret_cast<HWND>(0x1234);
    data.id = 7;
    data.tip = "CPU使用率 42 %";
    const NOTIFYICONDATAW record = modTaskTray::TrayRecord(data, NIF_TIP | NIF_MESSAGE);
    EXPECT_EQ(record.cbSize, sizeof(record));
    EXPECT_EQ(record.hWnd, data.window);
    EXPECT_EQ(record.uID, 7u);
    EXPECT_EQ(record.uFlags, static_cast<UINT>(NIF_TIP | NIF_MESSAGE));
    EXPECT_EQ(record.uCallbackMessage, modTaskTray::kTrayCallbackMessage);
    EXPECT_EQ(std::wstring(record.szTip), L"CPU\u4f7f\u7528\u7387 42 %");

    // A tip longer than the record: cut, and still ended.
    data.tip = std::string(300, 'x');
    const NOTIFYICONDATAW cut = modTaskTray::TrayRecord(data, NIF_TIP);
    EXPECT_EQ(std::wstring(cut.szTip), std::wstring(std::size(cut.szTip) - 1, L'x'));
}

// The alert's balloon goes to the icon that is there, its texts cut to the record's fields; with
// no icon in the tray nothing is sent.
TEST(TrayPicturesTest, TheAlertsBalloonNeedsTheIcon) {
    modTaskTray::TrayData data;
    std::vector<NOTIFYICONDATAW> sent;
    data.shell = [&](DWORD message, NOTIFYICONDATAW& record) {
        EXPECT_EQ(message, static_cast<DWORD>(NIM_MODIFY));
        sent.push_back(record);
        return true;
    };
    EXPECT_FALSE(modTaskTray::ShowTrayBalloon(data, "title", "text"));
    EXPECT_TRUE(sent.empty());
    data.added = true;
    EXPECT_TRUE(modTaskTray::ShowTrayBalloon(data, "CPU使用率", std::string(300, 'x')));
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].uFlags, static_cast<UINT>(NIF_INFO));
    EXPECT_EQ(std::wstring(sent[0].szInfoTitle), L"CPU\u4f7f\u7528\u7387");
    EXPECT_EQ(std::wstring(sent[0].szInfo), std::wstring(std::size(sent[0].szInfo) - 1, L'x'));
}

TEST(TrayPicturesTest, TheIconsGuidKeepsTheOrderOfItsText) {
    const Guid guid{{0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xaa, 0xbb, 0xcc,
                     0xdd, 0xee, 0xff}};
    wchar_t text[40] = {};
    ASSERT_GT(StringFromGUID2(modTaskTray::ToWindowsGuid(guid), text, 40), 0);
    EXPECT_EQ(std::wstring(text), L"{00112233-4455-6677-8899-AABBCCDDEEFF}");
}

// The identity the shell is sent, call by call: the icon by its GUID where the shell takes it,
// else by the window and id; changed and removed by the same identity it was added by.
TEST(TrayPicturesTest, TheIconGoesByItsGuidUnlessTheShellRefusesIt) {
    const GUID guid = modTaskTray::ToWindowsGuid(TrayIconGuid(R"(C:\Moravel\moravel.exe)"));
    struct Case {
        const char* what;
        bool hasGuid;
        bool taskbar;    // there is one to take the icon
        bool takesGuid;  // it holds the GUID for no other executable
        std::vector<std::string> calls;
    } cases[] = {
        {"by GUID", true, true, true, {"add guid", "modify guid", "delete guid"}},
        {"GUID refused",
         true,
         true,
         false,
         {"add guid", "modify guid", "add id", "modify id", "delete id"}},
        {"no GUID", false, true, true, {"add id", "modify id", "delete id"}},
        // Nothing taken, so nothing changed or removed; the next add tries the GUID again.
        {"no taskbar", true, false, true, {"add guid", "modify guid", "add id", "modify id"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> calls;
        modTaskTray::TrayData data;
        data.window = reinterpret_cast<HWND>(0x1234);
        data.id = 3;
        if (c.hasGuid) {
            data.guid = guid;
        }
        data.shell = [&](DWORD message, NOTIFYICONDATAW& record) {
            const bool byGuid = (record.uFlags & NIF_GUID) != 0;
            EXPECT_TRUE(!byGuid || IsEqualGUID(record.guidItem, guid)) << c.what;
            EXPECT_EQ(record.hWnd, data.window);
            EXPECT_EQ(record.uID, 3u);
            const char* name = message == NIM_ADD      ? "add"
                               : message == NIM_MODIFY ? "modify"
                               : message == NIM_DELETE ? "delete"
                                                       : "?";
            calls.push_back(std::string(name) + (byGuid ? " guid" : " id"));
            return c.taskbar && (c.takesGuid || !byGuid);
        };
        EXPECT_EQ(modTaskTray::AddTrayIcon(data), c.taskbar) << c.what;
        modTaskTray::ModifyTrayIcon(data);
        modTaskTray::DeleteTrayIcon(data);
        EXPECT_EQ(calls, c.calls) << c.what;
        calls.clear();
        modTaskTray::AddTrayIcon(data);
        EXPECT_EQ(calls.front(), c.hasGuid ? "add guid" : "add id") << c.what;
    }
}

TEST(TrayPicturesTest, OnlyTheDoubleClickTheRightReleaseAndTheLeftReleaseAreTrayClicks) {
    struct Case {
        UINT mouseMessage;
        std::optional<TrayClick> click;
    };
    const Case cases[] = {
        {0, std::nullopt},
        {0x0200, std::nullopt},            // WM_MOUSEMOVE
        {0x0201, std::nullopt},            // WM_LBUTTONDOWN
        {0x0202, TrayClick::Click},        // WM_LBUTTONUP
        {0x0203, TrayClick::DoubleClick},  // WM_LBUTTONDBLCLK
        {0x0204, std::nullopt},            // WM_RBUTTONDOWN
        {0x0205, TrayClick::RightClick},   // WM_RBUTTONUP
        {0x0206, std::nullopt},            // WM_RBUTTONDBLCLK
        {0x0207, std::nullopt},            // WM_MBUTTONDOWN
        {0x0208, std::nullopt},            // WM_MBUTTONUP
        {0x0209, std::nullopt},            // WM_MBUTTONDBLCLK
    };
    for (const Case& c : cases) {
        EXPECT_EQ(modTaskTray::TrayClickOf(c.mouseMessage), c.click) << std::hex << c.mouseMessage;
    }
}

TEST(TrayPicturesTest, ThePopupMenuHasTheItemsInOrderAndGreysTheDisabledOnes) {
    for (const bool trayHost : {true, false}) {
        const std::vector<MenuItem> items = PopupMenuItems(WindowState::Hidden, trayHost);
        const MenuHandle menu = MakePopupMenu(items);
        ASSERT_TRUE(menu);
        ASSERT_EQ(GetMenuItemCount(menu.get()), static_cast<int>(items.size()));
        for (std::size_t i = 0; i < items.size(); ++i) {
            const UINT at = static_cast<UINT>(i);
            const UINT state = GetMenuState(menu.get(), at, MF_BYPOSITION);
            if (items[i].command == MenuCommand::None) {
                EXPECT_NE(state & MF_SEPARATOR, 0u) << i;
                continue;
            }
            EXPECT_EQ(GetMenuItemID(menu.get(), static_cast<int>(i)),
                      kPopupMenuBase + static_cast<UINT>(items[i].command));
            wchar_t caption[64] = {};
            GetMenuStringW(menu.get(), at, caption, 64, MF_BYPOSITION);
            EXPECT_EQ(WideToUtf8(caption), items[i].caption);
            EXPECT_EQ((state & MF_GRAYED) != 0, !items[i].enabled) << trayHost << " " << i;
        }
    }
}

TEST(TrayPicturesTest, TheEdgesAndCornersSizeTheWindowAndTheRestIsClient) {
    const ScreenRect frame{100, 50, 400, 150};  // 300 x 100
    EXPECT_EQ(SizingEdgeAt(frame, {250, 100}, 4), HTCLIENT);
    EXPECT_EQ(SizingEdgeAt(frame, {104, 54}, 4), HTCLIENT);
    EXPECT_EQ(SizingEdgeAt(frame, {395, 145}, 4), HTCLIENT);
    EXPECT_EQ(SizingEdgeAt(frame, {100, 100}, 4), HTLEFT);
    EXPECT_EQ(SizingEdgeAt(frame, {103, 100}, 4), HTLEFT);
    EXPECT_EQ(SizingEdgeAt(frame, {396, 100}, 4), HTRIGHT);
    EXPECT_EQ(SizingEdgeAt(frame, {399, 100}, 4), HTRIGHT);
    EXPECT_EQ(SizingEdgeAt(frame, {250, 53}, 4), HTTOP);
    EXPECT_EQ(SizingEdgeAt(frame, {250, 146}, 4), HTBOTTOM);
    EXPECT_EQ(SizingEdgeAt(frame, {101, 51}, 4), HTTOPLEFT);
    EXPECT_EQ(SizingEdgeAt(frame, {398, 51}, 4), HTTOPRIGHT);
    EXPECT_EQ(SizingEdgeAt(frame, {101, 148}, 4), HTBOTTOMLEFT);
    EXPECT_EQ(SizingEdgeAt(frame, {398, 148}, 4), HTBOTTOMRIGHT);

    // Narrower and lower than two borders: the left and top edges win.
    const ScreenRect tiny{0, 0, 6, 6};
    EXPECT_EQ(SizingEdgeAt(tiny, {3, 3}, 4), HTTOPLEFT);
    EXPECT_EQ(SizingEdgeAt(tiny, {5, 5}, 4), HTBOTTOMRIGHT);
}

TEST(TrayPicturesTest, TheFramesButtonMessagesAndTheSizingEdges) {
    using enum MouseAction;
    struct Case {
        UINT message;
        std::optional<FrameButton> button;
    } cases[] = {
        {WM_NCMOUSEMOVE, std::nullopt},
        {WM_NCLBUTTONDOWN, FrameButton{1, Press}},
        {WM_NCLBUTTONUP, FrameButton{1, Release}},
        {WM_NCLBUTTONDBLCLK, FrameButton{1, DoubleClick}},
        {WM_NCRBUTTONDOWN, FrameButton{2, Press}},
        {WM_NCRBUTTONUP, FrameButton{2, Release}},
        {WM_NCRBUTTONDBLCLK, FrameButton{2, DoubleClick}},
        {WM_NCMBUTTONDOWN, FrameButton{4, Press}},
        {WM_NCMBUTTONDBLCLK, FrameButton{4, DoubleClick}},
        {WM_NCXBUTTONDOWN, std::nullopt},
        {WM_RBUTTONDOWN, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FrameButtonOf(c.message), c.button) << std::hex << c.message;
    }
    // HTLEFT to HTBOTTOMRIGHT, and nothing on either side of them.
    EXPECT_FALSE(IsSizingEdge(HTMAXBUTTON) || IsSizingEdge(HTBORDER) || IsSizingEdge(HTCLIENT));
    EXPECT_TRUE(IsSizingEdge(HTLEFT) && IsSizingEdge(HTTOP) && IsSizingEdge(HTBOTTOMRIGHT));
}

}  // namespace
}  // namespace moravel
