// The popup menu of the main window and its tray icon, made of the core's items.
#pragma once

#include <windows.h>

#include <span>

#include "core/app/ShellRules.h"
#include "win32/Handles.h"

namespace moravel {

// Menu identifiers: kPopupMenuBase + the item's MenuCommand.
inline constexpr UINT kPopupMenuBase = 100;

// The menu of `items` in their order: separators, and the commands with their captions, greyed
// where they are disabled.
MenuHandle MakePopupMenu(std::span<const MenuItem> items);

// Opens the menu of `items` at `at` (screen pixels) for `owner` and waits: the command chosen, None
// when the menu was closed without one.
MenuCommand ChooseFromPopupMenu(HWND owner, std::span<const MenuItem> items, POINT at);

}  // namespace moravel
