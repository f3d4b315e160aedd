#include "qt/FramePainter.h"

#include <QPainter>
#include <QWidget>

#include "qt/SurfaceImage.h"

namespace moravel {
namespace {

QSize DeviceSize(const QWidget* window) {
    const qreal ratio = window->devicePixelRatioF();
    return {qRound(window->width() * ratio), qRound(window->height() * ratio)};
}

}  // namespace

ClientArea WindowClientArea(const QWidget* window) {
    const QSize device = DeviceSize(window);
    return {device.width(), device.height(), window->devicePixelRatioF()};
}

void PaintFrame(QWidget* window, const Surface& graph, const QColor& border) {
    const qreal ratio = window->devicePixelRatioF();
    const QSize device = DeviceSize(window);
    const int k = WholeScaleFactor(ratio);
    QPainter painter(window);
    // Device pixels from here on, so that a frame pixel is exactly k × k of them.
    painter.setWorldTransform(QTransform::fromScale(1 / ratio, 1 / ratio));
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (graph.Width() <= 0 || graph.Height() <= 0) {
        painter.fillRect(QRect(QPoint(0, 0), device), border);
        return;
    }
    const QRect inner(k, k, graph.Width() * k, graph.Height() * k);
    const int right = inner.x() + inner.width();
    const int bottom = inner.y() + inner.height();
    // The border, and whatever device pixels the frame pixels leave over at the right and bottom.
    painter.fillRect(0, 0, device.width(), k, border);
    painter.fillRect(0, bottom, device.width(), device.height() - bottom, border);
    painter.fillRect(0, k, k, inner.height(), border);
    painter.fillRect(right, k, device.width() - right, inner.height(), border);
    painter.drawImage(inner, SurfaceImage(graph));
}

}  // namespace moravel
