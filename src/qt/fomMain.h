// The main window: a borderless window showing the graph, its one-second sampling timer, the
// tray icon and the popup menu through which every command is reached.
#pragma once

#include <QIcon>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "core/app/ProgramState.h"
#include "core/app/SamplingCycle.h"
#include "core/app/ShellRules.h"
#include "core/app/WindowDrag.h"
#include "core/dialogs/ComDlg.h"
#include "core/os/Clock.h"
#include "core/render/Renderer.h"
#include "core/tray/IconImage.h"
#include "qt/QtFileDialog.h"
#include "qt/QtFontEngine.h"
#include "qt/QtImageLoader.h"
#include "qt/TaskTray.h"

class QMenu;
class QAction;

namespace moravel {

class fomMain : public QWidget {
    Q_OBJECT
  public:
    // The window's size when no size is saved.
    static constexpr int kDesignedWidth = 300;
    static constexpr int kDesignedHeight = 100;

    // `program` is the state of the whole run, which the window keeps and hands to its dialogs;
    // it outlives the window. `sampler` and `clock` may be replaced by tests; null takes the
    // system's.
    explicit fomMain(ProgramState& program, std::unique_ptr<CpuSampler> sampler = nullptr,
                     std::unique_ptr<MonotonicClock> clock = nullptr);
    ~fomMain() override;

    // Start-up. False when the program must end at once (the usage cannot be read).
    bool Form_Load();
    // Re-applies always-on-top, the theme and the window size, and redraws.
    void ResetPicture();
    // Redraws the graph and the tray icon with the newest usage `u`.
    void RefreshDisplay(std::int32_t u);

    void mnuHidden_Click();
    // The setup dialog, modally; the window is rebuilt when it closes.
    void mnuSetup_Click();
    // The about box, modally; asked for again while it is open, it comes forward instead.
    void mnuVersion_Click();
    void mnuHelp_Click();
    void mnuExit_Click();
    // The tray's mouse messages, as (kTrayCallbackButton, message).
    void picIcon_MouseDown(int button, TrayMessage message);
    // A tray double click or a second start: the window comes back.
    void BringBack();

    SamplingCycle& cycle() { return *cycle_; }
    Renderer& renderer() { return renderer_; }
    QTimer& timCycle() { return timCycle_; }
    const modTaskTray::TrayData& trayData() const { return TrayData; }
    QMenu* popupMenu() const { return mnuPopup_; }
    // The open/save dialog object of the whole run, made at start-up.
    clsComDlg* comDlg() const { return comDlg_.get(); }
    bool setupShown() const { return setupShown_; }
    modTaskTray::TrayHost& trayHost() const { return *trayHost_; }
    QWidget* versionBox() const { return versionBox_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // The popup menu's items for the window's state, and what an item does.
    void FillPopupMenu();
    void RunMenuCommand(MenuCommand command);
    void Form_Resize();
    void Form_QueryUnload();
    void timCycle_Timer();
    void ShowPopup(const QPoint& at);
    void FreeTrayIcon();
    // Shows or hides the window, as the show/hide item does.
    void SetShown(bool shown);
    // A tray host appeared or went: hiding follows (PlanHiding).
    void TrayHostChanged(bool present);
    Qt::Edges EdgesAt(const QPoint& pos) const;

    ProgramState& program_;
    std::unique_ptr<MonotonicClock> clock_;
    QtFontEngine fonts_;
    QtImageLoader images_;
    std::unique_ptr<SamplingCycle> cycle_;
    Renderer renderer_;
    QTimer timCycle_;

    modTaskTray::TrayData TrayData;
    QIcon ownIcon_;
    bool hasTrayGraphIcon_ = false;  // TrayIconHandle: the icon made from the icon graph
    modTaskTray::TrayHost* trayHost_ = nullptr;
    bool waitingForTray_ = false;  // hidden as soon as a tray host appears
    IconImage trayPicture_;        // the picture of that icon
    std::int32_t tipUsage_ = -1;   // the usage TrayData.tip shows

    QMenu* mnuPopup_ = nullptr;
    QtFileDialog fileDialogs_;
    std::unique_ptr<clsComDlg> comDlg_;
    bool setupShown_ = false;        // while the setup dialog is open
    QWidget* versionBox_ = nullptr;  // the about box while it is open
    DragState drag_;
    bool dragging_ = false;
    Qt::Edges resizing_;
    QRect resizeStart_;
    QPoint resizeOrigin_;
    bool loaded_ = false;  // start-up got past the sampler: closing saves the settings
    bool unloaded_ = false;
};

}  // namespace moravel
