// Counts the times a Qt window is raised above the others, for the widget tests.
#pragma once

#include <QEvent>
#include <QObject>

namespace moravel::test {

// Install it on a window: every raise() sends the window a z-order change.
class RaiseCounter : public QObject {
  public:
    int raises = 0;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ZOrderChange) {
            ++raises;
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace moravel::test
