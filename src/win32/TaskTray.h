// modTaskTray: the one tray icon of the program, over Shell_NotifyIconW.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <optional>
#include <string>

#include "core/app/ShellRules.h"

namespace moravel {
namespace modTaskTray {

// The message the tray sends to the window for the icon's mouse events; lParam carries the mouse
// message (WM_LBUTTONDBLCLK, WM_RBUTTONUP, ...). A message of the program's own, so a real mouse
// message on the window is never mistaken for one from the tray.
inline constexpr UINT kTrayCallbackMessage = WM_APP + 1;

// The registration of the tray icon: filled once at start-up; then its icon and tip change.
struct TrayData {
    HWND window = nullptr;  // receives kTrayCallbackMessage
    UINT id = 1;
    HICON icon = nullptr;  // not owned: the caller keeps it alive while it is shown
    std::string tip;       // UTF-8
    bool added = false;
};

// The shell's record of `data` with the fields `flags` names: the window, identifier, callback
// message and icon, and the tip in UTF-16, cut to what the record holds with its NUL.
NOTIFYICONDATAW TrayRecord(const TrayData& data, UINT flags);

// Puts the icon in the tray with the icon and tip `data` holds; again after the taskbar was
// recreated (the old registration is gone with the old taskbar). False when the shell does not
// have it.
bool AddTrayIcon(TrayData& data);
// Sends the current icon and tip.
bool ModifyTrayIcon(TrayData& data);
bool DeleteTrayIcon(TrayData& data);

// The message the shell broadcasts when the taskbar has been (re)created.
UINT TaskbarCreatedMessage();
// Lets `window` hear TaskbarCreated even when the program runs elevated: the system filters the
// broadcast of a less privileged Explorer out otherwise.
void HearTaskbarCreated(HWND window);

// The click the icon reports by the mouse message in the callback's lParam: the left button's
// double click, the right button's release and the left button's release; nothing for the others.
std::optional<TrayClick> TrayClickOf(UINT mouseMessage);

}  // namespace modTaskTray
}  // namespace moravel
