// modTaskTray: the one tray icon of the program, over QSystemTrayIcon.
#pragma once

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>
#include <functional>
#include <string>

class QMenu;

namespace moravel {
namespace modTaskTray {

// The registration of the tray icon: filled once at start-up; then its icon and tip change.
struct TrayData {
    QIcon icon;
    std::string tip;  // UTF-8; the record holds at most 63 bytes of it in the ANSI code page
    // Receives the tray's mouse messages as (button, x) the way a picture's mouse-down would:
    // button 4 and x = the mouse message number (515 double click, 517 right release).
    std::function<void(int button, int x)> callback;
    QMenu* hostMenu = nullptr;  // shown by hosts that open a menu themselves
    QPointer<QSystemTrayIcon> shellIcon;
    qint64 shownIconKey = 0;  // what the tray shows now, so an unchanged icon is not sent again
    std::string shownTip;
};

bool AddTrayIcon(TrayData& data);
bool ModifyTrayIcon(TrayData& data);
bool DeleteTrayIcon(TrayData& data);

// True when the tray host is a StatusNotifierItem watcher (KDE, GNOME's AppIndicator): such
// hosts report no double click and open the menu themselves.
bool HostReportsNoDoubleClick();

}  // namespace modTaskTray
}  // namespace moravel
