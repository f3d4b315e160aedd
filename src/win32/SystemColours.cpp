#include "win32/SystemColours.h"

#include <windows.h>

namespace moravel {

SystemColourTable DesktopSystemColours() {
    SystemColourTable table = ClassicSystemColours();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const int index = static_cast<int>(i);
        if (GetSysColorBrush(index) != nullptr) {
            table[i] = GetSysColor(index) & kColourBits;  // COLORREF is 0x00BBGGRR too
        }
    }
    return table;
}

void UseDesktopSystemColours() {
    SetSystemColours(DesktopSystemColours());
}

}  // namespace moravel
