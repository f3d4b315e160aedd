// Z-order, screens and work areas, modifier keys, dialog placement and the frame's corners for
// Win32 windows.
#pragma once

#include <windows.h>

#include <vector>

#include "core/app/PlaceDialog.h"
#include "core/app/WindowDrag.h"

namespace moravel {

// Keeps the window above all normal windows.
void SetTopMost(HWND window);
// Makes it a normal window again.
void ResetTopMost(HWND window);
// Raises a normal window above the other normal windows without leaving it on top.
void BringToFront(HWND window);
// Raises a dialog above the other windows as BringToFront does; while a window it belongs to (its
// owner, or that one's owner) is on top, to the top of that band instead: making it a normal
// window would take its owners out of the band with it.
void RaiseDialog(HWND dialog);

// The work area (the screen less the taskbar) of the monitor under `point`, or of the nearest one.
ScreenRect GetWorkArea(POINT point);
// The primary monitor's work area.
ScreenRect GetWorkArea();
// Every monitor, whole and its work area, the primary one first.
std::vector<ScreenArea> ScreenAreas();

// Whether the key is down now. The thread's own key state answers first (it is what the messages
// being handled saw); before any input has reached the thread, at start-up, it does not know yet,
// so the keyboard's state answers too.
bool IsShiftDown();
bool IsCtrlDown();
bool IsAltDown();

// Moves `dialog` beside `owner` (mode Beside) or cascaded from it, inside the work area of the
// owner's monitor. The dialog keeps its size.
void PlaceDialog(HWND dialog, HWND owner, PlaceMode mode);

// Keeps the window's corners square where the system would round them (Windows 11 rounds a
// top-level window's corners and outlines it); other systems go on as they are.
void KeepSquareCorners(HWND window);

ScreenRect ToScreenRect(const RECT& rect);

}  // namespace moravel
