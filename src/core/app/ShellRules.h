// The main window's decisions that do not need a window: the popup menu, the tray clicks,
// showing and hiding, the tray tip and where the window opens.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/PlaceDialog.h"
#include "core/base/Guid.h"
#include "core/config/Settings.h"

namespace moravel {

inline constexpr std::string_view kHideCaption = "隠す(&B)";
inline constexpr std::string_view kShowCaption = "表示(&B)";

enum class MenuCommand { None, Hidden, Setup, Version, Help, Exit };

struct MenuItem {
    std::string_view name;     // mnuHidden, mnuPart1, ...
    std::string_view caption;  // "-" for a separator
    MenuCommand command;
    bool enabled = true;
};

// The popup menu's items in order, for the window's `state`. Without a tray host (`trayHost`
// false) "隠す(&B)" is disabled: a hidden window comes back only through the tray icon.
std::vector<MenuItem> PopupMenuItems(WindowState state, bool trayHost = true);

// Hiding needs a tray host: the tray icon is the only way back to a hidden window. While no host
// is present the window stays shown; a hidden state it was to take (at start, or when the host
// went away while it was hidden) waits, and is taken when a host appears.
struct HidingPlan {
    WindowState state = WindowState::Shown;  // the state the window takes now
    bool waitingForTray = false;             // hidden as soon as a tray host appears
};
// At start (`state` from the settings, nothing waiting) and whenever the tray host comes or goes.
HidingPlan PlanHiding(WindowState state, bool waitingForTray, bool trayHost);
// The state the settings file keeps: a hidden state still waiting for a host stays hidden.
WindowState SavedWindowState(WindowState state, bool waitingForTray);

// The caption of the show/hide item for `state`: "表示(&B)" only while the window is hidden.
std::string_view HiddenCaption(WindowState state);

// What the tray icon reports: the double click brings the window back, the right button's release
// opens the popup menu, a single click does nothing.
enum class TrayClick { Click, DoubleClick, RightClick };

// The one key of the main window: F4 with Alt alone closes it; with Shift or Ctrl held as well it
// does nothing.
constexpr bool IsCloseKeystroke(bool f4, bool alt, bool shift, bool ctrl) {
    return f4 && alt && !shift && !ctrl;
}

// What bringing the main window back does.
struct BringBackPlan {
    bool toggleShown = false;   // run the show/hide command (the window is hidden)
    bool bringToFront = false;  // raise a normal window above the others
};
BringBackPlan PlanBringBack(bool setupDialogShown, WindowState state, TopMostMode topMost);

// "CPU使用率 " + usage + " %", cut to what the tray record's 64 bytes hold with their NUL. When
// the sampler fell back (`fellBack`: the figure asked for cannot be read) the tip says which
// figure it shows, " （プロセッサ時間）" after the value.
inline constexpr std::string_view kFellBackTipNote = " （プロセッサ時間）";
std::string TrayTipText(std::int32_t usage, bool fellBack = false);

// The busiest processor of the newest samples, shown in the tip of the per-processor view.
struct BusiestProcessor {
    std::int32_t number = -1;  // -1: none has a reading
    std::int32_t usage = -1;
    bool operator==(const BusiestProcessor&) const = default;
};
// The tip with the busiest processor after the total: "CPU使用率 37 % (CPU5 98 %)", then the note
// of processor time in the place of utility; held to the tip's length as the plain tip.
std::string TrayTipText(std::int32_t usage, bool fellBack, const BusiestProcessor& busiest);

// The tray icon's identity on Windows, by which the taskbar remembers where the user put the icon
// (shown, or in the overflow): the same at every start of the program from one place, another for
// a copy elsewhere. The name-based UUID of the executable's full path with its letters A-Z taken
// as a-z (the system keeps a path's case as it was typed, and ignores it).
Guid TrayIconGuid(std::string_view executablePath);

// A mouse button over the window's sizing band, the edges it is sized by (kResizeBorder wide,
// showing nothing but the graph's border).
enum class MouseAction { Press, DoubleClick, Release };
enum class SizingBandRoute {
    System,   // the system's: the left button sizes the window from the edge
    Window,   // the window's own, as anywhere in it: the right button opens the popup menu
    Nothing,  // the left button's double click, which would maximise a framed window
};
// `button` 1 left, 2 right, 4 middle. A double click of the window's own button is a second press
// there (the window has no double clicks).
SizingBandRoute RouteSizingBandButton(std::int32_t button, MouseAction action);

// High-density screens: the window's frame (its border and the graph) is drawn in frame pixels,
// each shown as a square of `factor` × `factor` device pixels, nearest pixel, never smoothed.
// The factor is the device pixel ratio rounded down to a whole number, at least 1: 1.5 draws
// each frame pixel as one device pixel (more seconds in the same place), 2 and 2.5 as two.
std::int32_t WholeScaleFactor(double devicePixelRatio);

struct FrameScale {
    std::int32_t factor = 1;
    std::int32_t width = 0;  // frame pixels
    std::int32_t height = 0;
};
// The frame of a client area of `deviceWidth` × `deviceHeight` device pixels. Device pixels left
// over at the right and bottom (fewer than `factor`) belong to the border.
FrameScale FrameScaleFor(std::int32_t deviceWidth, std::int32_t deviceHeight,
                         double devicePixelRatio);

// The device rows [top, bottom) of the client area that show the frame's rows [frameTop,
// frameBottom), under the border of one frame pixel; an empty band gives top == bottom.
struct DeviceRows {
    std::int32_t top = 0;
    std::int32_t bottom = 0;
};
DeviceRows FrameRowsOnDevice(std::int32_t factor, std::int32_t frameTop, std::int32_t frameBottom);

// A screen of `dpi` dots per inch, as the system counts them (96 is 100 %): the ratio of its
// device pixels to the logical pixels the settings file keeps. A dpi below 1 counts as 96.
double DevicePixelRatioForDpi(std::int32_t dpi);

// Lengths in the settings file (Left, Top, Width, Height) are logical pixels, whatever the screen:
// a window saved at 200 % opens as large, to the eye, at 100 %. Rounded to the nearest pixel, so a
// logical length survives the way there and back at every ratio of 1 or more.
std::int32_t DeviceLength(std::int32_t logical, double devicePixelRatio);
std::int32_t LogicalLength(std::int32_t device, double devicePixelRatio);

// The dots per inch the renderer turns points into pixels with: text in frame pixels, enlarged
// `factor` times, comes out as large as the screen's other text at whole ratios.
double FrameFontDpi(std::int32_t dpi);

// Where the main window opens. `savedLeft`...`savedHeight` come from the settings; a width or
// height below 1 means none was saved. The window then keeps `designed` size, centred on the
// primary screen. A saved place that meets no screen's work area any more is centred the same
// way, keeping its size; a saved size larger than the desktop is cut to it.
ScreenRect InitialWindowRect(std::int32_t savedLeft, std::int32_t savedTop, std::int32_t savedWidth,
                             std::int32_t savedHeight, std::int32_t designedWidth,
                             std::int32_t designedHeight, const ScreenRect& primaryScreen,
                             std::span<const ScreenRect> workAreas);

}  // namespace moravel
