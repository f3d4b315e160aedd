#include "win32/WindowHelpers.h"

#include <gtest/gtest.h>

namespace moravel {
namespace {

TEST(WindowHelpersTest, TheWorkAreaIsThatOfTheMonitorUnderThePointOrTheNearestOne) {
    const ScreenRect primary = GetWorkArea();
    ASSERT_GT(primary.width(), 0);
    ASSERT_GT(primary.height(), 0);
    const POINT inside = {primary.left + primary.width() / 2, primary.top + primary.height() / 2};
    EXPECT_EQ(GetWorkArea(inside), primary);
    const ScreenRect nearest = GetWorkArea(POINT{-100000, -100000});
    EXPECT_GT(nearest.width(), 0);
    EXPECT_GT(nearest.height(), 0);
}

TEST(WindowHelpersTest, EveryMonitorIsAScreenWithItsWorkAreaThePrimaryFirst) {
    const std::vector<ScreenArea> screens = ScreenAreas();
    ASSERT_EQ(static_cast<int>(screens.size()), GetSystemMetrics(SM_CMONITORS));
    const ScreenRect primary{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    EXPECT_EQ(screens.front().bounds, primary);
    EXPECT_EQ(screens.front().workArea, GetWorkArea());
}

// Sets the thread's own key state of `key` (down or up).
void SetKey(int key, bool down) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[key] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

TEST(WindowHelpersTest, ModifierKeysAreReadFromTheThreadsKeyState) {
    if (IsShiftDown() || IsCtrlDown() || IsAltDown()) {
        GTEST_SKIP() << "a modifier key is held on this machine";
    }
    SetKey(VK_SHIFT, true);
    EXPECT_TRUE(IsShiftDown());
    EXPECT_FALSE(IsCtrlDown());
    SetKey(VK_SHIFT, false);
    SetKey(VK_CONTROL, true);
    EXPECT_TRUE(IsCtrlDown());
    EXPECT_FALSE(IsShiftDown());
    SetKey(VK_CONTROL, false);
    SetKey(VK_MENU, true);
    EXPECT_TRUE(IsAltDown());
    SetKey(VK_MENU, false);
    EXPECT_FALSE(IsShiftDown() || IsCtrlDown() || IsAltDown());
}

}  // namespace
}  // namespace moravel
