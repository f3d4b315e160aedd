#include "qt/TaskTray.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>
#include <QMenu>
#include <optional>

#include "qt/QtText.h"

namespace moravel::modTaskTray {
namespace {

// The click a tray activation stands for, if any. Hosts that report no double click take a
// single click for one.
std::optional<TrayClick> ClickOf(QSystemTrayIcon::ActivationReason reason, bool noDoubleClick) {
    switch (reason) {
        case QSystemTrayIcon::DoubleClick:
            return TrayClick::DoubleClick;
        case QSystemTrayIcon::Trigger:
            return noDoubleClick ? TrayClick::DoubleClick : TrayClick::Click;
        case QSystemTrayIcon::Context:
            return TrayClick::RightClick;
        case QSystemTrayIcon::MiddleClick:
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

namespace {

std::optional<bool>& Pretended() {
    static std::optional<bool> present;
    return present;
}

// Every TrayHost, so that a pretended change reaches them all.
QList<TrayHost*>& Hosts() {
    static QList<TrayHost*> hosts;
    return hosts;
}

bool HostPresentNow() {
    return Pretended() ? *Pretended() : QSystemTrayIcon::isSystemTrayAvailable();
}

}  // namespace

TrayHost::TrayHost(QObject* parent) : QObject(parent), present_(HostPresentNow()) {
    Hosts().append(this);
    // An XEmbed tray manager announces itself only to the X server's root window, which Qt keeps
    // to itself: the owner asks again once a tick (Recheck, one round trip to the X server). A
    // StatusNotifierItem watcher is seen at once on the session bus.
    auto* watcher = new QDBusServiceWatcher(
        QStringLiteral("org.kde.StatusNotifierWatcher"), QDBusConnection::sessionBus(),
        QDBusServiceWatcher::WatchForRegistration | QDBusServiceWatcher::WatchForUnregistration,
        this);
    connect(watcher, &QDBusServiceWatcher::serviceRegistered, this, &TrayHost::Recheck);
    connect(watcher, &QDBusServiceWatcher::serviceUnregistered, this, &TrayHost::Recheck);
}

TrayHost::~TrayHost() {
    Hosts().removeAll(this);
}

void TrayHost::Pretend(std::optional<bool> present) {
    Pretended() = present;
    for (TrayHost* host : Hosts()) {
        host->Recheck();
    }
}

void TrayHost::Recheck() {
    const bool now = HostPresentNow();
    if (now != present_) {
        present_ = now;
        emit changed(present_);
    }
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
                         const std::optional<TrayClick> click = ClickOf(reason, noDoubleClick);
                         if (callback && click) {
                             callback(*click);
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
