#include "qt/TaskTray.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QMenu>

#include "qt/QtText.h"

namespace moravel::modTaskTray {
namespace {

constexpr int kLeftDoubleClick = 0x0203;
constexpr int kRightButtonUp = 0x0205;
constexpr int kLeftButtonUp = 0x0202;
constexpr int kMiddleButtonUp = 0x0208;
constexpr int kMiddleButton = 4;

// The mouse message a tray activation stands for.
int MouseMessage(QSystemTrayIcon::ActivationReason reason, bool noDoubleClick) {
    switch (reason) {
        case QSystemTrayIcon::DoubleClick:
            return kLeftDoubleClick;
        case QSystemTrayIcon::Trigger:
            return noDoubleClick ? kLeftDoubleClick : kLeftButtonUp;
        case QSystemTrayIcon::Context:
            return kRightButtonUp;
        case QSystemTrayIcon::MiddleClick:
            return kMiddleButtonUp;
        case QSystemTrayIcon::Unknown:
            break;
    }
    return 0;
}

}  // namespace

bool HostReportsNoDoubleClick() {
    QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
    return bus != nullptr &&
           bus->isServiceRegistered(QStringLiteral("org.kde.StatusNotifierWatcher")).value();
}

bool AddTrayIcon(TrayData& data) {
    if (!data.shellIcon.isNull()) {
        return false;
    }
    auto* icon = new QSystemTrayIcon(data.icon);
    data.shellIcon = icon;
    data.shownIconKey = data.icon.cacheKey();
    data.shownTip = data.tip;
    icon->setToolTip(ToQString(data.tip));
    const bool noDoubleClick = HostReportsNoDoubleClick();
    if (noDoubleClick && data.hostMenu != nullptr) {
        icon->setContextMenu(data.hostMenu);  // the host opens it on its own right click
    }
    auto callback = data.callback;
    QObject::connect(icon, &QSystemTrayIcon::activated,
                     [callback, noDoubleClick](QSystemTrayIcon::ActivationReason reason) {
                         const int message = MouseMessage(reason, noDoubleClick);
                         if (callback && message != 0) {
                             callback(kMiddleButton, message);
                         }
                     });
    icon->show();
    return QSystemTrayIcon::isSystemTrayAvailable();
}

bool ModifyTrayIcon(TrayData& data) {
    if (data.shellIcon.isNull()) {
        return false;
    }
    // The tray host redraws the icon on every change: send only what changed.
    if (data.icon.cacheKey() != data.shownIconKey) {
        data.shellIcon->setIcon(data.icon);
        data.shownIconKey = data.icon.cacheKey();
    }
    if (data.tip != data.shownTip) {
        data.shellIcon->setToolTip(ToQString(data.tip));
        data.shownTip = data.tip;
    }
    return true;
}

bool DeleteTrayIcon(TrayData& data) {
    if (data.shellIcon.isNull()) {
        return false;
    }
    data.shellIcon->hide();
    delete data.shellIcon.data();
    return true;
}

}  // namespace moravel::modTaskTray
