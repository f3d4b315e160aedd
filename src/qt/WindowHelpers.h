// Z-order, work area, modifier keys and dialog placement for Qt windows.
#pragma once

#include <QPoint>
#include <QRect>

#include <vector>

#include "core/app/PlaceDialog.h"
#include "core/app/WindowDrag.h"

class QWidget;

namespace moravel {

// Keeps the window above all normal windows.
void SetTopMost(QWidget* window);
// Makes it a normal window again.
void ResetTopMost(QWidget* window);
// Raises a normal window above the other normal windows without leaving it on top.
void BringToFront(QWidget* window);

// The work area (the screen less panels) of the screen under `point`, or of the primary screen.
ScreenRect GetWorkArea(const QPoint& point);

// Every screen of the desktop with its work area.
std::vector<ScreenArea> ScreenAreas();

// A mouse button as the program counts them: 1 left, 2 right, 4 middle, 0 any other.
int MouseButtonBit(Qt::MouseButton button);

bool IsShiftDown();
bool IsCtrlDown();

// Moves `dialog` beside `owner` (mode Beside) or cascaded from it, inside the work area.
void PlaceDialog(QWidget* dialog, QWidget* owner, PlaceMode mode);

ScreenRect ToScreenRect(const QRect& rect);

}  // namespace moravel
