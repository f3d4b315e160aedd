// The main window's frame on screen: the one-pixel border and the graph inside it, drawn in frame
// pixels that are whole squares of device pixels on high-density screens (never smoothed).
#pragma once

#include <QColor>

#include "core/app/MonitorPort.h"
#include "core/app/ShellRules.h"
#include "core/render/Surface.h"

class QWidget;

namespace moravel {

// The client area of `window` in device pixels, and their ratio to its logical pixels.
ClientArea WindowClientArea(const QWidget* window);

// Paints the frame on `window`, inside its paint event: `graph`, the frame's inner area, one frame
// pixel in from each edge, and the border in `border` around it.
void PaintFrame(QWidget* window, const Surface& graph, const QColor& border);

}  // namespace moravel
