// The desktop's notifications (org.freedesktop.Notifications on the session bus): the program's
// one notification, each new one in place of the last, and a click on it.
#pragma once

#include <QIcon>
#include <QObject>
#include <QString>
#include <functional>
#include <string>

namespace moravel {

class DesktopNotification : public QObject {
    Q_OBJECT
  public:
    // `icon` is shown with the text; `clicked` runs when the user clicks the notification.
    DesktopNotification(QIcon icon, std::function<void()> clicked, QObject* parent = nullptr);

    // Shows `title` and the plain `text` (escaped here: some services read the body as markup).
    // False when no notification service runs or can be started on the session bus.
    bool Show(const std::string& title, const std::string& text);

  private Q_SLOTS:
    void ActionInvoked(uint id, const QString& action);

  private:
    QIcon icon_;
    std::function<void()> clicked_;
    uint shown_ = 0;  // the service's number of the notification shown last, 0 for none
};

}  // namespace moravel
