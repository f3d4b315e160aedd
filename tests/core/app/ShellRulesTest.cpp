#include <gtest/gtest.h>

#include <cmath>

#include "core/app/ShellRules.h"
#include "core/app/WindowDrag.h"
#include "core/os/Encoding.h"

namespace moravel {
namespace {

std::vector<std::string> Captions(const std::vector<MenuItem>& items) {
    std::vector<std::string> captions;
    for (const MenuItem& item : items) {
        captions.emplace_back(item.caption);
    }
    return captions;
}

TEST(PopupMenu, CaptionsInOrderFollowTheWindowState) {
    EXPECT_EQ(Captions(PopupMenuItems(WindowState::Shown)),
              (std::vector<std::string>{"隠す(&B)", "-", "設定(&S)...", "バージョン情報",
                                        "ヘルプ(&H)", "-", "終了(&X)"}));
    EXPECT_EQ(Captions(PopupMenuItems(WindowState::Hidden)),
              (std::vector<std::string>{"表示(&B)", "-", "設定(&S)...", "バージョン情報",
                                        "ヘルプ(&H)", "-", "終了(&X)"}));
    EXPECT_EQ(PopupMenuItems(WindowState::Shown)[2].command, MenuCommand::Setup);
    // A hand-edited state other than 1 is a shown window, which the item offers to hide.
    EXPECT_EQ(HiddenCaption(static_cast<WindowState>(7)), "隠す(&B)");
    EXPECT_EQ(HiddenCaption(static_cast<WindowState>(-1)), "隠す(&B)");
}

TEST(PopupMenu, HidingIsOfferedOnlyWithATrayHost) {
    const auto enabled = [](const std::vector<MenuItem>& items) {
        std::vector<bool> flags;
        for (const MenuItem& item : items) {
            if (item.command != MenuCommand::None) {
                flags.push_back(item.enabled);
            }
        }
        return flags;
    };
    EXPECT_EQ(enabled(PopupMenuItems(WindowState::Shown, true)),
              (std::vector<bool>{true, true, true, true, true}));
    // Without a host nothing could bring a hidden window back: only "隠す(&B)" is off.
    EXPECT_EQ(enabled(PopupMenuItems(WindowState::Shown, false)),
              (std::vector<bool>{false, true, true, true, true}));
    EXPECT_EQ(PopupMenuItems(WindowState::Shown, false)[0].caption, "隠す(&B)");
}

TEST(Hiding, AHiddenStateWaitsForATrayHost) {
    constexpr auto kShown = WindowState::Shown;
    constexpr auto kHidden = WindowState::Hidden;
    // With a host the settings' state is taken as it is.
    EXPECT_EQ(PlanHiding(kHidden, false, true).state, kHidden);
    EXPECT_EQ(PlanHiding(kShown, false, true).state, kShown);
    EXPECT_FALSE(PlanHiding(kHidden, false, true).waitingForTray);

    // A hidden start without a host shows the window and waits; the host's arrival hides it.
    HidingPlan plan = PlanHiding(kHidden, false, false);
    EXPECT_EQ(plan.state, kShown);
    EXPECT_TRUE(plan.waitingForTray);
    EXPECT_EQ(SavedWindowState(plan.state, plan.waitingForTray), kHidden);
    plan = PlanHiding(plan.state, plan.waitingForTray, true);
    EXPECT_EQ(plan.state, kHidden);
    EXPECT_FALSE(plan.waitingForTray);

    // The host goes while the window is hidden: shown until a host is back, then hidden again.
    plan = PlanHiding(plan.state, plan.waitingForTray, false);
    EXPECT_EQ(plan.state, kShown);
    EXPECT_TRUE(plan.waitingForTray);
    plan = PlanHiding(plan.state, plan.waitingForTray, false);  // asked again: no change
    EXPECT_EQ(plan.state, kShown);
    EXPECT_TRUE(plan.waitingForTray);
    EXPECT_EQ(PlanHiding(plan.state, plan.waitingForTray, true).state, kHidden);

    // A shown window is never hidden by a host coming or going, and saves as it is.
    EXPECT_EQ(PlanHiding(kShown, false, false).state, kShown);
    EXPECT_FALSE(PlanHiding(kShown, false, false).waitingForTray);
    EXPECT_EQ(SavedWindowState(kShown, false), kShown);
    // A hand-edited state other than 1 is a shown window: kept, never waiting.
    const auto odd = static_cast<WindowState>(7);
    EXPECT_EQ(PlanHiding(odd, false, false).state, odd);
    EXPECT_FALSE(PlanHiding(odd, false, false).waitingForTray);
    EXPECT_EQ(PlanHiding(odd, false, true).state, odd);
}

TEST(FrameScale, WholeFactorsRoundedDown) {
    EXPECT_EQ(WholeScaleFactor(1.0), 1);
    EXPECT_EQ(WholeScaleFactor(1.5), 1);
    EXPECT_EQ(WholeScaleFactor(1.75), 1);
    EXPECT_EQ(WholeScaleFactor(2.0), 2);
    EXPECT_EQ(WholeScaleFactor(1.9999999), 2);  // a rounded 2
    EXPECT_EQ(WholeScaleFactor(2.5), 2);
    EXPECT_EQ(WholeScaleFactor(3.0), 3);
    EXPECT_EQ(WholeScaleFactor(0.5), 1);
    EXPECT_EQ(WholeScaleFactor(0.0), 1);
    EXPECT_EQ(WholeScaleFactor(std::nan("")), 1);
    EXPECT_EQ(WholeScaleFactor(1e300), 16);

    const FrameScale twice = FrameScaleFor(600, 200, 2.0);
    EXPECT_EQ(twice.factor, 2);
    EXPECT_EQ(twice.width, 300);
    EXPECT_EQ(twice.height, 100);
    // 300 × 100 logical pixels at 1.5: one frame pixel per device pixel, more of them.
    const FrameScale oneAndAHalf = FrameScaleFor(450, 150, 1.5);
    EXPECT_EQ(oneAndAHalf.factor, 1);
    EXPECT_EQ(oneAndAHalf.width, 450);
    EXPECT_EQ(oneAndAHalf.height, 150);
    // An odd device width at 2.5: the pixel left over belongs to the border.
    const FrameScale odd = FrameScaleFor(753, 250, 2.5);
    EXPECT_EQ(odd.width, 376);
    EXPECT_EQ(odd.height, 125);
    EXPECT_EQ(FrameScaleFor(-4, 0, 2.0).width, 0);

    // Frame rows on the device: under the border, each row `factor` device rows high.
    EXPECT_EQ(FrameRowsOnDevice(1, 0, 98).top, 1);
    EXPECT_EQ(FrameRowsOnDevice(1, 0, 98).bottom, 99);
    EXPECT_EQ(FrameRowsOnDevice(2, 90, 98).top, 182);
    EXPECT_EQ(FrameRowsOnDevice(2, 90, 98).bottom, 198);
    EXPECT_EQ(FrameRowsOnDevice(0, 3, 4).top, 4);  // no factor counts as one
    const DeviceRows empty = FrameRowsOnDevice(2, 5, 5);
    EXPECT_EQ(empty.top, empty.bottom);
    EXPECT_EQ(FrameRowsOnDevice(16, 0, INT32_MAX).bottom, INT32_MAX);
}

TEST(WholeScaleFactor, SavedLengthsAreLogicalPixelsAtEveryDpi) {
    EXPECT_DOUBLE_EQ(DevicePixelRatioForDpi(96), 1.0);
    EXPECT_DOUBLE_EQ(DevicePixelRatioForDpi(192), 2.0);
    EXPECT_DOUBLE_EQ(DevicePixelRatioForDpi(144), 1.5);
    EXPECT_DOUBLE_EQ(DevicePixelRatioForDpi(0), 1.0);  // a screen that reports nothing

    EXPECT_EQ(DeviceLength(300, 2.0), 600);
    EXPECT_EQ(LogicalLength(600, 2.0), 300);
    EXPECT_EQ(DeviceLength(-20, 2.0), -40);  // left of a primary screen
    EXPECT_EQ(LogicalLength(451, 1.5), 301);
    EXPECT_EQ(DeviceLength(300, 0.0), 300);
    EXPECT_EQ(DeviceLength(2000000000, 2.0), 2147483647);
    // There and back at the ratios of the system's scale settings: what was saved comes back.
    for (const std::int32_t dpi : {96, 120, 144, 168, 192, 240, 288}) {
        const double ratio = DevicePixelRatioForDpi(dpi);
        for (std::int32_t logical = -50; logical < 700; logical += 7) {
            ASSERT_EQ(LogicalLength(DeviceLength(logical, ratio), ratio), logical)
                << dpi << ": " << logical;
        }
    }

    // Frame text is as large as other text where a frame pixel is a whole number of device
    // pixels; at 150 % a frame pixel is one device pixel, and the text is drawn at 144 dpi.
    EXPECT_DOUBLE_EQ(FrameFontDpi(96), 96.0);
    EXPECT_DOUBLE_EQ(FrameFontDpi(192), 96.0);
    EXPECT_DOUBLE_EQ(FrameFontDpi(288), 96.0);
    EXPECT_DOUBLE_EQ(FrameFontDpi(144), 144.0);
    EXPECT_DOUBLE_EQ(FrameFontDpi(240), 120.0);  // 250 %: twice, at 120
    EXPECT_DOUBLE_EQ(FrameFontDpi(0), 96.0);
}

TEST(TrayCallback, BringingBackAHiddenWindowUnlessTheSetupDialogIsOpen) {
    constexpr auto kShown = WindowState::Shown;
    constexpr auto kHidden = WindowState::Hidden;
    constexpr auto kNormal = TopMostMode::Normal;
    EXPECT_TRUE(PlanBringBack(false, kHidden, kNormal).toggleShown);
    EXPECT_FALSE(PlanBringBack(true, kHidden, kNormal).toggleShown);
    EXPECT_FALSE(
        PlanBringBack(false, kShown, kNormal).toggleShown);  // a shown window is not hidden
    EXPECT_FALSE(PlanBringBack(false, static_cast<WindowState>(2), kNormal).toggleShown);
    EXPECT_TRUE(PlanBringBack(false, kShown, kNormal).bringToFront);
    EXPECT_FALSE(PlanBringBack(false, kShown, TopMostMode::OnTop).bringToFront);
    // Any TopMost but 0 is on top already, as 1 is.
    EXPECT_FALSE(PlanBringBack(false, kShown, static_cast<TopMostMode>(2)).bringToFront);
}

TEST(TrayTip, FitsTheRecordWithItsNul) {
    EXPECT_EQ(TrayTipText(42), "CPU使用率 42 %");
    EXPECT_EQ(Utf8ToAnsi(TrayTipText(100)), "CPU\x8Eg\x97p\x97\xA6 100 %");
    EXPECT_LE(Utf8ToAnsi(TrayTipText(-2147483647)).size(), 63u);
    // Processor time standing in for the figure asked for says so, whole, within the record.
    EXPECT_EQ(TrayTipText(42, true), "CPU使用率 42 % （プロセッサ時間）");
    EXPECT_EQ(TrayTipText(-2147483647, true), "CPU使用率 -2147483647 % （プロセッサ時間）");
    EXPECT_LE(Utf8ToAnsi(TrayTipText(-2147483647, true)).size(), 63u);
}

// One identity per place, whatever the case its path was typed in; known values, made apart from
// the program.
TEST(TrayIconGuid, TheExecutablesPlaceWhateverItsCase) {
    struct Case {
        std::string_view path;
        std::string_view guid;
    } cases[] = {
        {R"(C:\Program Files\Moravel\moravel.exe)", "17c86b41-2abe-578d-a871-18b79f28a744"},
        {R"(c:\PROGRAM FILES\moravel\MORAVEL.EXE)", "17c86b41-2abe-578d-a871-18b79f28a744"},
        {R"(D:\Tools\Moravel\moravel.exe)", "46c0ad86-ab98-583c-b5ba-1e3c15ffe27d"},
        {R"(\\server\share\Moravel\moravel.exe)", "53c7af91-fb8a-5849-aa54-d5c56f2271a7"},
        // Beyond A-Z the letters are taken as they are.
        {"C:\\ツール\\Ｍoravel\\moravel.exe", "1ba1d961-472b-5305-b5a5-dac0aeded9e8"},
        {"C:\\ツール\\ｍoravel\\moravel.exe", "7d722960-885d-5a67-9034-d434c9ba5e6d"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GuidText(TrayIconGuid(c.path)), c.guid) << c.path;
    }
}

TEST(SizingBand, TheLeftButtonSizesButDoesNotMaximiseAndTheRightOneIsTheWindows) {
    using enum MouseAction;
    struct Case {
        std::int32_t button;
        MouseAction action;
        SizingBandRoute route;
    } cases[] = {
        {1, Press, SizingBandRoute::System},       {1, DoubleClick, SizingBandRoute::Nothing},
        {1, Release, SizingBandRoute::System},     {2, Press, SizingBandRoute::Window},
        {2, DoubleClick, SizingBandRoute::Window}, {2, Release, SizingBandRoute::Window},
        {4, Press, SizingBandRoute::System},       {4, DoubleClick, SizingBandRoute::System},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RouteSizingBandButton(c.button, c.action), c.route)
            << c.button << " " << static_cast<int>(c.action);
    }
}

TEST(WindowDrag, StopsAtTheWorkAreaUnlessAModifierIsHeld) {
    DragState drag;
    drag.DownX = 50;
    drag.DownY = 20;
    drag.WorkArea = {0, 0, 1024, 740};
    const ScreenRect window{10, 100, 310, 200};                                  // 300 × 100
    EXPECT_EQ(DragWindow(drag, window, false, 50, 20), (ScreenPoint{10, 100}));  // a plain click
    EXPECT_EQ(DragWindow(drag, window, false, 20, 25), (ScreenPoint{0, 105}));   // left edge
    EXPECT_EQ(DragWindow(drag, window, true, 20, 25), (ScreenPoint{-20, 105}));  // free
    EXPECT_EQ(DragWindow(drag, window, false, 900, 700), (ScreenPoint{724, 640}));
}

TEST(WindowDrag, AWindowWiderThanTheWorkAreaAlternatesItsAlignment) {
    DragState drag;
    drag.DownX = 10;
    drag.DownY = 10;
    drag.WorkArea = {0, 0, 800, 600};
    ScreenRect window{0, 0, 1000, 100};
    // The proposed left edge (5) is inside: the right edges align, putting the left at -200.
    const ScreenPoint first = DragWindow(drag, window, false, 15, 10);
    EXPECT_EQ(first, (ScreenPoint{-200, 0}));
    window = {first.x, first.y, first.x + 1000, first.y + 100};
    // Now the proposed left edge (-195) is outside: the left edges align.
    EXPECT_EQ(DragWindow(drag, window, false, 15, 10), (ScreenPoint{0, 0}));
}

TEST(WindowDrag, TheWindowFollowsTheMouseAcrossScreens) {
    // Two screens side by side, the second one lower, each with a panel at its bottom.
    DragState drag;
    drag.Screens = {{{0, 0, 1024, 600}, {0, 0, 1024, 576}},
                    {{1024, 100, 2048, 700}, {1024, 100, 2048, 676}}};
    drag.DownX = 150;
    drag.DownY = 50;
    ScreenRect window{600, 200, 900, 300};
    FollowMouse(drag, {750, 250});  // the press, on the first screen
    EXPECT_EQ(drag.WorkArea, (ScreenRect{0, 0, 1024, 576}));

    // Still on the first screen: its right edge stops the window.
    FollowMouse(drag, {1000, 250});
    EXPECT_EQ(DragWindow(drag, window, false, 400, 50), (ScreenPoint{724, 200}));
    window = {724, 200, 1024, 300};

    // The mouse crosses to the second screen: its work area clamps from now on, and the window
    // goes onto it whole.
    FollowMouse(drag, {1100, 250});
    EXPECT_EQ(drag.WorkArea, (ScreenRect{1024, 100, 2048, 676}));
    EXPECT_EQ(DragWindow(drag, window, false, 376, 50), (ScreenPoint{1024, 200}));
    window = {1024, 200, 1324, 300};
    // On to the far edge of the second screen, and down past its panel.
    FollowMouse(drag, {2040, 690});
    EXPECT_EQ(DragWindow(drag, window, false, 1166, 540), (ScreenPoint{1748, 576}));

    // Over no screen (below the first, beside the second): the last work area stays.
    FollowMouse(drag, {500, 650});
    EXPECT_EQ(drag.WorkArea, (ScreenRect{1024, 100, 2048, 676}));
    // Right edges are exclusive: x = 1024 is the second screen.
    FollowMouse(drag, {1023, 300});
    EXPECT_EQ(drag.WorkArea, (ScreenRect{0, 0, 1024, 576}));
    FollowMouse(drag, {1024, 300});
    EXPECT_EQ(drag.WorkArea, (ScreenRect{1024, 100, 2048, 676}));
}

TEST(PlaceDialog, BesideTheOwner) {
    const ScreenRect work{0, 0, 1280, 1000};
    // Room below: centred under the owner.
    EXPECT_EQ(PlaceDialog(200, 300, {100, 100, 400, 200}, 0, work, PlaceMode::Beside),
              (ScreenPoint{150, 200}));
    // Owner at the bottom of the work area: above it.
    EXPECT_EQ(PlaceDialog(200, 300, {100, 900, 400, 1000}, 0, work, PlaceMode::Beside),
              (ScreenPoint{150, 600}));
    // Too tall for above and below, room on the right: right of the owner, centred, clamped.
    EXPECT_EQ(PlaceDialog(200, 900, {100, 400, 400, 500}, 0, work, PlaceMode::Beside),
              (ScreenPoint{400, 0}));
    // Room only on the left.
    EXPECT_EQ(PlaceDialog(200, 900, {1000, 400, 1200, 500}, 0, work, PlaceMode::Beside),
              (ScreenPoint{800, 0}));
    // No room anywhere: a cascade, then clamped.
    EXPECT_EQ(PlaceDialog(1200, 900, {100, 400, 1200, 500}, 20, work, PlaceMode::Beside),
              (ScreenPoint{80, 100}));
}

TEST(PlaceDialog, CascadeAndClamping) {
    const ScreenRect work{0, 0, 800, 600};
    EXPECT_EQ(PlaceDialog(100, 100, {10, 10, 300, 300}, 25, work, PlaceMode::Cascade),
              (ScreenPoint{35, 35}));
    EXPECT_EQ(PlaceDialog(100, 100, {750, 550, 800, 600}, 25, work, PlaceMode::Cascade),
              (ScreenPoint{700, 500}));
    // Larger than the work area: the right and bottom edges win.
    EXPECT_EQ(PlaceDialog(900, 700, {10, 10, 300, 300}, 25, work, PlaceMode::Cascade),
              (ScreenPoint{-100, -100}));
}

TEST(InitialWindowRect, SavedPlaceUnlessUnreachable) {
    const ScreenRect primary{0, 0, 1920, 1080};
    const ScreenRect areas[] = {{0, 0, 1920, 1040}};
    // Nothing saved: the designed size, centred on the primary screen.
    EXPECT_EQ(InitialWindowRect(0, 0, -1, -1, 300, 100, primary, areas),
              (ScreenRect{810, 490, 1110, 590}));
    EXPECT_EQ(InitialWindowRect(5, 5, 400, 0, 300, 100, primary, areas),
              (ScreenRect{810, 490, 1110, 590}));
    // Saved and on screen.
    EXPECT_EQ(InitialWindowRect(100, 50, 400, 120, 300, 100, primary, areas),
              (ScreenRect{100, 50, 500, 170}));
    // Saved on a monitor that is gone: centred, keeping its size.
    EXPECT_EQ(InitialWindowRect(2500, 50, 400, 120, 300, 100, primary, areas),
              (ScreenRect{760, 480, 1160, 600}));
    // A damaged file asking for a giant window gets the desktop's size at most.
    const ScreenRect giant =
        InitialWindowRect(0, 0, 2000000000, 2000000000, 300, 100, primary, areas);
    EXPECT_EQ(giant.width(), 1920);
    EXPECT_EQ(giant.height(), 1080);
    // Near the 32-bit limit nothing overflows; the place is unreachable, so it is centred.
    const ScreenRect far =
        InitialWindowRect(2147483600, 2147483600, 400, 120, 300, 100, primary, areas);
    EXPECT_EQ(far, (ScreenRect{760, 480, 1160, 600}));
}

TEST(InitialWindowRect, SeveralMonitors) {
    const ScreenRect primary{0, 0, 1920, 1080};
    const ScreenRect areas[] = {{0, 0, 1920, 1040}, {1920, 0, 3200, 1024}};
    EXPECT_EQ(InitialWindowRect(2500, 50, 400, 120, 300, 100, primary, areas),
              (ScreenRect{2500, 50, 2900, 170}));
}

TEST(CloseKeystroke, OnlyAltAloneWithF4Closes) {
    EXPECT_TRUE(IsCloseKeystroke(true, true, false, false));
    EXPECT_FALSE(IsCloseKeystroke(true, true, true, false));    // Shift+Alt+F4
    EXPECT_FALSE(IsCloseKeystroke(true, true, false, true));    // Ctrl+Alt+F4
    EXPECT_FALSE(IsCloseKeystroke(true, false, false, false));  // F4 alone
    EXPECT_FALSE(IsCloseKeystroke(false, true, false, false));  // Alt with another key
}

}  // namespace
}  // namespace moravel
