#include "qt/TaskTray.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QMenu>
#include <optional>

#include "qt/QtText.h"

namespace moravel::modTaskTray {
namespace {

// The mouse message a tray activation stands for, if any.
std::optional<TrayMessage> MouseMessage(QSystemTrayIcon::ActivationReason reason,
                                        bool noDoubleClick) {
    switch (reason) {
        case QSystemTrayIcon::DoubleClick:
            return TrayMessage::LeftDoubleClick;
        case QSystemTrayIcon::Trigger:
            return noDoubleClick ? TrayMessage::LeftDoubleClick : TrayMessage::LeftButtonUp;
        case QSystemTrayIcon::Context:
            return TrayMessage::RightButtonUp;
        case QSystemTrayIcon::MiddleClick:
            return TrayMessage::MiddleButtonUp;
        case QSystemTrayIcon::Unknown:
            break;
    }
    return std::nullopt;
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
                         const std::optional<TrayMessage> message =
                             MouseMessage(reason, noDoubleClick);
                         if (callback && message) {
                             callback(kTrayCallbackButton, *message);
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
