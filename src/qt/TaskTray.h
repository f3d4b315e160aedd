// modTaskTray: the one tray icon of the program, over QSystemTrayIcon.
#pragma once

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>
#include <functional>
#include <optional>
#include <string>

#include "core/app/ShellRules.h"

class QMenu;

namespace moravel {
namespace modTaskTray {

// The registration of the tray icon: filled once at start-up; then its icon and tip change.
struct TrayData {
    QIcon icon;
    std::string tip;  // UTF-8; the record holds at most 63 bytes of it in the ANSI code page
    // Receives the tray icon's clicks.
    std::function<void(TrayClick click)> callback;
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

// Whether the desktop has a tray host (a notification area) now, and a signal when that changes:
// an XEmbed tray appearing or going, a StatusNotifierItem watcher registering or leaving the
// session bus.
class TrayHost : public QObject {
    Q_OBJECT
  public:
    explicit TrayHost(QObject* parent = nullptr);
    ~TrayHost() override;
    TrayHost(const TrayHost&) = delete;
    TrayHost& operator=(const TrayHost&) = delete;
    bool present() const { return present_; }
    // Asks the desktop again; `changed` when the answer differs.
    void Recheck();

    // Tests: every TrayHost reports `present` from now on, and says so when it changes; nothing
    // returns to asking the desktop.
    static void Pretend(std::optional<bool> present);

  signals:
    void changed(bool present);

  private:
    bool present_ = false;
};

}  // namespace modTaskTray
}  // namespace moravel
