#include <gtest/gtest.h>

#include "core/os/Encoding.h"
#include "core/shell/ShellRules.h"
#include "core/shell/WindowDrag.h"

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

TEST(TrayCallback, OnlyTheDoubleClickAndTheRightReleaseAct) {
    EXPECT_EQ(static_cast<std::int32_t>(TrayMessage::LeftDoubleClick), 515);
    EXPECT_EQ(static_cast<std::int32_t>(TrayMessage::RightButtonUp), 517);
    EXPECT_EQ(DecodeTrayCallback(4, TrayMessage::LeftDoubleClick), TrayAction::BringBack);
    EXPECT_EQ(DecodeTrayCallback(4, TrayMessage::RightButtonUp), TrayAction::OpenMenu);
    for (const std::int32_t x : {512, 513, 514, 516, 518, 519, 0}) {
        EXPECT_EQ(DecodeTrayCallback(4, static_cast<TrayMessage>(x)), TrayAction::None) << x;
    }
    EXPECT_EQ(DecodeTrayCallback(1, TrayMessage::LeftDoubleClick), TrayAction::None);
    EXPECT_EQ(DecodeTrayCallback(2, TrayMessage::RightButtonUp), TrayAction::None);
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

}  // namespace
}  // namespace moravel
