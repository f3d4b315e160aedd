#include "win32/SystemColours.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace moravel {
namespace {

TEST(SystemColoursTest, SystemColoursResolveToTheDesktopsOnes) {
    const SystemColourTable table = DesktopSystemColours();
    for (int index : {COLOR_BTNFACE, COLOR_WINDOW, COLOR_WINDOWFRAME, COLOR_HIGHLIGHT}) {
        EXPECT_EQ(table[static_cast<std::size_t>(index)], GetSysColor(index)) << index;
    }
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (GetSysColorBrush(static_cast<int>(i)) == nullptr) {
            EXPECT_EQ(table[i], ClassicSystemColours()[i]) << i << " is not the system's";
        }
    }

    UseDesktopSystemColours();
    EXPECT_EQ(ResolveColour(kButtonFaceColour), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ResolveColour(0x80000005u), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(ResolveColour(0x80000040u), 0u);  // beyond the table, as GetSysColor gives
    SetSystemColours(ClassicSystemColours());
}

}  // namespace
}  // namespace moravel
