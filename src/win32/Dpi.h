// The dots per inch of the screens the program draws on. A per-monitor aware program sees device
// pixels everywhere; the calls that tell each monitor's dpi exist from Windows 10 on and are looked
// up when needed, so the program still starts on Windows 7.
#pragma once

#include <windows.h>

namespace moravel {

// The dpi of the primary screen as the program was started with it (the screen's LOGPIXELSX).
UINT ScreenDpi();
// The dpi of the monitor `window` is on: GetDpiForWindow where the system has it, else ScreenDpi.
UINT WindowDpi(HWND window);
// The size of small icons (the tray's) in pixels at `dpi`: GetSystemMetricsForDpi where the system
// has it, else the system's SM_CXSMICON.
int SmallIconSize(UINT dpi);

}  // namespace moravel
