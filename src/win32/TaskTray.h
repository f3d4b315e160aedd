// modTaskTray: the one tray icon of the program, over Shell_NotifyIconW.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <functional>
#include <optional>
#include <string>

#include "core/app/ShellRules.h"
#include "core/base/Guid.h"

namespace moravel {
namespace modTaskTray {

// The message the tray sends to the window for the icon's mouse events; lParam carries the mouse
// message (WM_LBUTTONDBLCLK, WM_RBUTTONUP, ...). A message of the program's own, so a real mouse
// message on the window is never mistaken for one from the tray.
inline constexpr UINT kTrayCallbackMessage = WM_APP + 1;

// Shell_NotifyIconW, or what a test puts in its place.
using NotifyIconCall = std::function<bool(DWORD message, NOTIFYICONDATAW& record)>;

// The registration of the tray icon: filled once at start-up; then its icon and tip change.
struct TrayData {
    HWND window = nullptr;  // receives kTrayCallbackMessage
    UINT id = 1;
    // The identity the taskbar remembers the icon's place by (shown or in the overflow); without
    // one the icon goes by the window and id alone.
    std::optional<GUID> guid;
    HICON icon = nullptr;  // not owned: the caller keeps it alive while it is shown
    std::string tip;       // UTF-8
    bool added = false;
    bool byGuid = false;  // the shell knows the icon by its GUID, not by the window and id
    NotifyIconCall shell = [](DWORD message, NOTIFYICONDATAW& record) {
        return Shell_NotifyIconW(message, &record) != FALSE;
    };
};

// The system's GUID of the same UUID.
GUID ToWindowsGuid(const Guid& guid);

// The shell's record of `data` with the fields `flags` names: the window, identifier, callback
// message and icon, and the tip in UTF-16, cut to what the record holds with its NUL; with the
// GUID while the icon goes by it.
NOTIFYICONDATAW TrayRecord(const TrayData& data, UINT flags);

// Puts the icon in the tray with the icon and tip `data` holds; again after the taskbar was
// recreated (the old registration is gone with the old taskbar). By its GUID when it has one; the
// shell refuses a GUID it knows for another executable (the program moved or copied elsewhere),
// and the icon then goes by the window and id. False when the shell does not have it.
bool AddTrayIcon(TrayData& data);
// Sends the current icon and tip. It and DeleteTrayIcon name the icon as it was added.
bool ModifyTrayIcon(TrayData& data);
bool DeleteTrayIcon(TrayData& data);
// A balloon on the icon (a notification on Windows 10 and 11) with `title` and `text` (UTF-8),
// each cut to what the record holds; a click on it comes as NIN_BALLOONUSERCLICK. False while
// the icon is not in the tray.
bool ShowTrayBalloon(TrayData& data, const std::string& title, const std::string& text);

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
