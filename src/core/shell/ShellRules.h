// The main window's decisions that do not need a window: the popup menu, the tray callbacks,
// showing and hiding, the tray tip and where the window opens.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/shell/PlaceDialog.h"

namespace moravel {

inline constexpr std::string_view kHideCaption = "隠す(&B)";
inline constexpr std::string_view kShowCaption = "表示(&B)";

enum class MenuCommand { None, Hidden, Setup, Version, Help, Exit };

struct MenuItem {
    std::string_view name;     // mnuHidden, mnuPart1, ...
    std::string_view caption;  // "-" for a separator
    MenuCommand command;
};

// The popup menu's items in order, for the window's `state` (0 shown, 1 hidden).
std::vector<MenuItem> PopupMenuItems(std::int32_t state);

// The caption of the show/hide item for `state`.
std::string_view HiddenCaption(std::int32_t state);

// What a tray callback asks for. The tray reports its mouse messages as a middle-button press
// whose x is the message number: 515 a left double click, 517 a right-button release.
enum class TrayAction { None, BringBack, OpenMenu };
TrayAction DecodeTrayCallback(std::int32_t button, std::int32_t x);

// What bringing the main window back does.
struct BringBackPlan {
    bool toggleShown = false;   // run the show/hide command (the window is hidden)
    bool bringToFront = false;  // raise a normal window above the others
};
BringBackPlan PlanBringBack(bool setupDialogShown, std::int32_t state, std::int32_t topMost);

// "CPU使用率 " + usage + " %", cut to what the tray record's 64 bytes hold with their NUL.
std::string TrayTipText(std::int32_t usage);

// Where the main window opens. `savedLeft`...`savedHeight` come from the settings; a width or
// height below 1 means none was saved. The window then keeps `designed` size, centred on the
// primary screen. A saved place that meets no screen's work area any more is centred the same
// way, keeping its size; a saved size larger than the desktop is cut to it.
ScreenRect InitialWindowRect(std::int32_t savedLeft, std::int32_t savedTop, std::int32_t savedWidth,
                             std::int32_t savedHeight, std::int32_t designedWidth,
                             std::int32_t designedHeight, const ScreenRect& primaryScreen,
                             std::span<const ScreenRect> workAreas);

}  // namespace moravel
