// The main window: a borderless window showing the graph, with the tray icon and the popup menu
// through which every command is reached. It presents the monitor session: Qt's events go to the
// session as intents, and the session's requests come back through the MonitorPort.
#pragma once

#include <QIcon>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "core/app/MonitorSession.h"
#include "core/app/ProgramState.h"
#include "core/dialogs/ComDlg.h"
#include "qt/Notification.h"
#include "qt/QtFileDialog.h"
#include "qt/QtFontEngine.h"
#include "qt/QtImageLoader.h"
#include "qt/TaskTray.h"

class QMenu;

namespace moravel {

class fomMain : public QWidget, private MonitorPort {
    Q_OBJECT
  public:
    // `program` is the state of the whole run, which the window keeps and hands to its dialogs;
    // it outlives the window. `sampler` and `clock` may be replaced by tests; null takes the
    // system's.
    explicit fomMain(ProgramState& program, std::unique_ptr<CpuSampler> sampler = nullptr,
                     std::unique_ptr<MonotonicClock> clock = nullptr);
    ~fomMain() override;

    // Start-up. False when the program must end at once (the usage cannot be read).
    bool Form_Load();
    void ResetPicture() { session_.ResetPicture(); }
    void mnuHidden_Click() { session_.Command(MenuCommand::Hidden); }
    // The setup dialog, modally; the window is rebuilt when it closes.
    void mnuSetup_Click() { session_.Command(MenuCommand::Setup); }
    // The about box, modally; asked for again while it is open, it comes forward instead.
    void mnuVersion_Click() { session_.Command(MenuCommand::Version); }
    // The tray icon's clicks.
    void picIcon_MouseDown(TrayClick click) { session_.TrayClicked(click); }
    // A second start: the window comes back.
    void BringBack() { session_.BringBack(); }

    MonitorSession& session() { return session_; }
    Renderer& renderer() { return session_.renderer(); }
    QTimer& timCycle() { return timCycle_; }
    const modTaskTray::TrayData& trayData() const { return TrayData; }
    QMenu* popupMenu() const { return mnuPopup_; }
    // The open/save dialog object of the whole run, made at start-up.
    clsComDlg* comDlg() const { return comDlg_.get(); }
    bool setupShown() const { return session_.SetupShown(); }
    QWidget* versionBox() const { return versionBox_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    // The tick, and the usage told to a screen reader when it moved far enough.
    void timCycle_Timer();

    // The port.
    bool CreateMainWindow() override { return true; }
    ClientArea Client() const override;
    Desktop Screens() const override;
    WindowScales Scales() const override { return {}; }  // Qt's coordinates are logical
    ScreenRect WindowRect() const override;
    void PlaceWindow(const ScreenRect& frame) override;
    void MoveWindow(ScreenPoint topLeft) override { move(topLeft.x, topLeft.y); }
    void ShowWindow(bool shown) override { setVisible(shown); }
    void SetTopMost(bool onTop) override;
    void Activate() override;
    void BringToFront() override;
    void Repaint(std::int32_t top, std::int32_t bottom) override;
    void SetDragging(bool dragging, WindowCursor cursor) override;
    void SetTicking(bool ticking) override;
    bool TestDataKeysHeld() const override;
    bool AddTrayIcon() override;
    bool TrayHostPresent() override;
    void SetTrayIcon(const IconImage* picture, bool newPicture, const std::string& tip) override;
    void RemoveTrayIcon() override;
    void OpenPopupMenu() override;
    void MenuChanged() override { FillPopupMenu(); }
    void RunSetupDialog() override;
    void RunAboutBox() override;
    void RaiseAboutBox() override;
    void ShowHelp(const std::string& helpFile, HelpContext context) override;
    void ShowMessage(const MessageRequest& message) override;
    void EndProgram() override { close(); }
    bool ShowAlert(const std::string& title, const std::string& text) override;
    void AnnounceUsage() override;

    // The popup menu's items for the session's state.
    void FillPopupMenu();
    Qt::Edges EdgesAt(const QPoint& pos) const;
    void SetEdgeCursor(Qt::Edges edges);
    void ResizeByHand(const QPoint& mouse);

    QtFontEngine fonts_;
    QtImageLoader images_;
    QTimer timCycle_;
    MonitorSession session_;

    modTaskTray::TrayData TrayData;
    QIcon ownIcon_;
    bool trayAdded_ = false;
    modTaskTray::TrayHost* trayHost_ = nullptr;
    DesktopNotification* notification_ = nullptr;

    QMenu* mnuPopup_ = nullptr;
    QtFileDialog fileDialogs_;
    std::unique_ptr<clsComDlg> comDlg_;
    QWidget* versionBox_ = nullptr;  // the about box while it is open
    Qt::Edges resizing_;
    QRect resizeStart_;
    QPoint resizeOrigin_;
};

}  // namespace moravel
