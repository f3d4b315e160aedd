// What the monitor session asks of a main window: the few things only a toolkit can do. Each front
// end's main window implements it over its own windows, tray and dialogs; the session decides when.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/app/Help.h"
#include "core/app/PlaceDialog.h"
#include "core/app/WindowDrag.h"
#include "core/dialogs/Prompts.h"
#include "core/tray/IconImage.h"

namespace moravel {

// The main window's client area in device pixels, and the screen's device pixels per logical
// pixel there.
struct ClientArea {
    std::int32_t width = 0;
    std::int32_t height = 0;
    double pixelRatio = 1.0;
};

// The desktop as the window sees it, in the window's own coordinates.
struct Desktop {
    ScreenRect primary;                   // the primary screen, whole
    std::int32_t primaryDeviceWidth = 0;  // its width in device pixels
    double primaryPixelRatio = 1.0;       // device pixels per logical pixel on it
    std::vector<ScreenArea> screens;      // every screen, the primary one first
};

// Window coordinates per logical pixel, the unit of Left, Top, Width and Height in the settings:
// for the window's place (the primary screen's) and for its size (the screen it is on).
struct WindowScales {
    double place = 1.0;
    double size = 1.0;
};

enum class WindowCursor { Arrow, Move };

class MonitorPort {
  public:
    MonitorPort() = default;
    virtual ~MonitorPort() = default;
    MonitorPort(const MonitorPort&) = delete;
    MonitorPort& operator=(const MonitorPort&) = delete;

    // The window.
    virtual bool CreateMainWindow() = 0;  // false: the program cannot run
    virtual ClientArea Client() const = 0;
    virtual Desktop Screens() const = 0;
    virtual WindowScales Scales() const = 0;
    virtual ScreenRect WindowRect() const = 0;  // the outer frame
    virtual void PlaceWindow(const ScreenRect& frame) = 0;
    virtual void MoveWindow(ScreenPoint topLeft) = 0;
    virtual void ShowWindow(bool shown) = 0;
    virtual void SetTopMost(bool onTop) = 0;
    // A double click on the tray icon: the keyboard focus, and a normal window above the others.
    virtual void Activate() = 0;
    virtual void BringToFront() = 0;
    // Device rows [top, bottom) of the client area show a new picture; everything when top < 0.
    virtual void Repaint(std::int32_t top, std::int32_t bottom) = 0;
    // A drag: the move cursor and the mouse kept by the window while it lasts.
    virtual void SetDragging(bool dragging, WindowCursor cursor) = 0;
    // The one-second tick on or off.
    virtual void SetTicking(bool ticking) = 0;
    // Shift and Ctrl both held now (the test-data start).
    virtual bool TestDataKeysHeld() const = 0;

    // The tray icon. AddTrayIcon puts it into the tray (again, after the tray was restarted) with
    // the icon and tip it was last handed (at first the program's own icon and no tip), or answers
    // whether it is there when it was added before: true while a tray host shows it.
    // TrayHostPresent asks only, once a tick.
    virtual bool AddTrayIcon() = 0;
    virtual bool TrayHostPresent() = 0;
    // `picture` null: the program's own icon. `newPicture`: the picture differs from the last one
    // handed over, so a new icon is made of it.
    virtual void SetTrayIcon(const IconImage* picture, bool newPicture, const std::string& tip) = 0;
    virtual void RemoveTrayIcon() = 0;

    // The alert on a sustained load as the system's notification, in place of the program's
    // earlier one; clicking it brings the window back (the session's BringBack). `text` is plain,
    // one process a line. False when nothing here shows notifications: the session then puts the
    // alert into the tray tip.
    virtual bool ShowAlert(const std::string& title, const std::string& text) = 0;

    // Screen readers are to hear the window's value again: the session's Announcer() says it.
    virtual void AnnounceUsage() = 0;

    // The popup menu, at the mouse; its items are the session's PopupMenu(). MenuChanged: the
    // items' captions or states changed (a tray host may keep a copy).
    virtual void OpenPopupMenu() = 0;
    virtual void MenuChanged() = 0;

    // Dialogs, modal; they return when closed.
    virtual void RunSetupDialog() = 0;
    virtual void RunAboutBox() = 0;
    virtual void RaiseAboutBox() = 0;  // asked again while it is open
    virtual void ShowHelp(const std::string& helpFile, HelpContext context) = 0;
    virtual void ShowMessage(const MessageRequest& message) = 0;

    // The program ends with its main window (after the session has saved).
    virtual void EndProgram() = 0;
};

}  // namespace moravel
