#include "qt/WindowHelpers.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

namespace moravel {
namespace {

void SetStaysOnTop(QWidget* window, bool onTop) {
    if (window == nullptr || window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop) {
        return;
    }
    const bool visible = window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);  // hides a shown window
    if (visible) {
        window->show();
    }
}

}  // namespace

ScreenRect ToScreenRect(const QRect& rect) {
    return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

void SetTopMost(QWidget* window) {
    SetStaysOnTop(window, true);
}

void ResetTopMost(QWidget* window) {
    SetStaysOnTop(window, false);
}

void BringToFront(QWidget* window) {
    if (window != nullptr && window->isVisible()) {
        window->raise();
    }
}

ScreenRect GetWorkArea(const QPoint& point) {
    QScreen* screen = QGuiApplication::screenAt(point);
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    return screen ? ToScreenRect(screen->availableGeometry()) : ScreenRect{0, 0, 640, 480};
}

std::vector<ScreenArea> ScreenAreas() {
    std::vector<ScreenArea> areas;
    for (const QScreen* screen : QGuiApplication::screens()) {
        areas.push_back(
            {ToScreenRect(screen->geometry()), ToScreenRect(screen->availableGeometry())});
    }
    return areas;
}

int MouseButtonBit(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return 1;
        case Qt::RightButton:
            return 2;
        case Qt::MiddleButton:
            return 4;
        default:
            return 0;
    }
}

bool IsShiftDown() {
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
}

bool IsCtrlDown() {
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier);
}

void PlaceDialog(QWidget* dialog, QWidget* owner, PlaceMode mode) {
    if (dialog == nullptr || owner == nullptr) {
        return;
    }
    const QRect frame = owner->frameGeometry();
    const int caption = frame.height() - owner->geometry().height();
    const QSize size = dialog->isVisible() ? dialog->frameGeometry().size()
                                           : dialog->sizeHint().expandedTo(dialog->size());
    const ScreenPoint p = moravel::PlaceDialog(size.width(), size.height(), ToScreenRect(frame),
                                               caption, GetWorkArea(frame.center()), mode);
    dialog->move(p.x, p.y);
}

}  // namespace moravel
