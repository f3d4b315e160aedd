#include "qt/fomMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>
#include <cmath>

#include "core/app/Help.h"
#include "core/app/ShellRules.h"
#include "core/config/Config.h"
#include "core/render/Colour.h"
#include "core/tray/IconImage.h"
#include "qt/FramePainter.h"
#include "qt/HelpViewer.h"
#include "qt/IconPixmap.h"
#include "qt/QtPrompts.h"
#include "qt/QtText.h"
#include "qt/WindowHelpers.h"
#include "qt/fomSetup.h"
#include "qt/fomVersion.h"

namespace moravel {
namespace {

constexpr int kResizeBorder = 4;  // pixels at the edges that resize instead of moving
constexpr int kMinimumWidth = 40;
constexpr int kMinimumHeight = 20;

double LogicalDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInch() : 96.0;
}

// As many seconds as the screen is wide in frame pixels: more than its width in logical pixels
// where a ratio like 1.5 draws a frame pixel as one device pixel.
int ScreenWidthInFramePixels(const QScreen* screen) {
    if (screen == nullptr) {
        return 1920;
    }
    const double ratio = screen->devicePixelRatio();
    return FrameScaleFor(qRound(screen->geometry().width() * ratio), 0, ratio).width;
}

bool ModifierHeld(Qt::KeyboardModifiers modifiers) {
    return (modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) != 0;
}

}  // namespace

fomMain::fomMain(ProgramState& program, std::unique_ptr<CpuSampler> sampler,
                 std::unique_ptr<MonotonicClock> clock)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      program_(program),
      clock_(clock ? std::move(clock) : std::make_unique<SystemMonotonicClock>()),
      fonts_(LogicalDpi()),
      cycle_(std::make_unique<SamplingCycle>(sampler ? std::move(sampler) : MakeCpuSampler(),
                                             *clock_, program.settings,
                                             [this](std::int32_t u) { RefreshDisplay(u); })),
      renderer_(fonts_, images_, ProgramThemeFolders(), program.currentTheme, program.settings),
      ownIcon_(ProgramIcon()) {
    setWindowTitle(ToQString(kAppTitle));
    setWindowIcon(ownIcon_);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    resize(kDesignedWidth, kDesignedHeight);

    timCycle_.setInterval(1000);
    timCycle_.setTimerType(Qt::PreciseTimer);
    connect(&timCycle_, &QTimer::timeout, this, &fomMain::timCycle_Timer);

    trayHost_ = new modTaskTray::TrayHost(this);
    connect(trayHost_, &modTaskTray::TrayHost::changed, this, &fomMain::TrayHostChanged);

    mnuPopup_ = new QMenu(this);
    // The items follow the window's state each time the menu opens.
    connect(mnuPopup_, &QMenu::aboutToShow, this, &fomMain::FillPopupMenu);
}

void fomMain::FillPopupMenu() {
    const std::vector<MenuItem> items =
        PopupMenuItems(program_.settings.State, trayHost_->present());
    const QList<QAction*> actions = mnuPopup_->actions();
    if (actions.size() == static_cast<qsizetype>(items.size())) {
        // A tray host holds the exported items by identity: only their captions and states
        // change.
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (items[i].command != MenuCommand::None) {
                QAction* action = actions[static_cast<qsizetype>(i)];
                action->setText(ToQString(items[i].caption));
                action->setEnabled(items[i].enabled);
            }
        }
        return;
    }
    mnuPopup_->clear();
    for (const MenuItem& item : items) {
        if (item.command == MenuCommand::None) {
            mnuPopup_->addSeparator();
            continue;
        }
        QAction* action = mnuPopup_->addAction(ToQString(item.caption));
        action->setObjectName(ToQString(item.name));
        action->setEnabled(item.enabled);
        const MenuCommand command = item.command;
        connect(action, &QAction::triggered, this, [this, command] { RunMenuCommand(command); });
    }
}

void fomMain::RunMenuCommand(MenuCommand command) {
    switch (command) {
        case MenuCommand::Hidden:
            mnuHidden_Click();
            break;
        case MenuCommand::Setup:
            mnuSetup_Click();
            break;
        case MenuCommand::Version:
            mnuVersion_Click();
            break;
        case MenuCommand::Help:
            mnuHelp_Click();
            break;
        case MenuCommand::Exit:
            mnuExit_Click();
            break;
        case MenuCommand::None:
            break;
    }
}

fomMain::~fomMain() {
    Form_QueryUnload();
}

bool fomMain::Form_Load() {
    program_.helpFile = FindHelpFile();
    comDlg_ = std::make_unique<clsComDlg>(fileDialogs_);
    program_.version = kBuildVersion;
    LoadConfig(program_.settings, program_.currentTheme, SettingsFilePath());

    const QScreen* primary = QGuiApplication::primaryScreen();
    if (cycle_->StartSampling(ScreenWidthInFramePixels(primary)) < 0) {
        MessageRequest failure;
        failure.text = std::string(kCpuUsageFailureText);
        failure.caption = std::string(kAppTitle);
        failure.icon = MessageIcon::Critical;
        ShowMessage(nullptr, failure);
        return false;
    }
    loaded_ = true;
    renderer_.SetHistory({cycle_->UsageHistory.data(), cycle_->HistoryCount, &cycle_->HistoryPos});

    // Filled before the tray icon is added: a StatusNotifierItem host reads the exported menu
    // when it builds its own, not only when it opens it.
    FillPopupMenu();
    TrayData.icon = ownIcon_;
    TrayData.tip.clear();
    TrayData.hostMenu = mnuPopup_;
    TrayData.callback = [this](int button, TrayMessage message) {
        picIcon_MouseDown(button, message);
    };
    modTaskTray::AddTrayIcon(TrayData);

    // Placement before the first drawing, so the graph is fitted to the final size at once.
    std::vector<ScreenRect> workAreas;
    for (const QScreen* screen : QGuiApplication::screens()) {
        workAreas.push_back(ToScreenRect(screen->availableGeometry()));
    }
    const ScreenRect place = InitialWindowRect(
        program_.settings.Left, program_.settings.Top, program_.settings.Width,
        program_.settings.Height, kDesignedWidth, kDesignedHeight,
        primary ? ToScreenRect(primary->geometry()) : ScreenRect{0, 0, 1024, 768}, workAreas);
    setGeometry(place.left, place.top, place.width(), place.height());
    ResetPicture();

    cycle_->LastSampleTime = clock_->NowSeconds();
    // Hidden only where a tray icon can bring the window back.
    const HidingPlan hiding = PlanHiding(program_.settings.State, false, trayHost_->present());
    program_.settings.State = hiding.state;
    waitingForTray_ = hiding.waitingForTray;
    if (!IsHidden(program_.settings.State)) {
        show();
    }

    if (IsShiftDown() && IsCtrlDown() && cycle_->LoadTestDataFile(TestDataFilePath()) > 0) {
        // Test-data mode: the saved history, frozen.
        renderer_.GraphReady = false;
        renderer_.IconReady = false;
        RefreshDisplay(
            cycle_->UsageHistory[static_cast<std::size_t>(cycle_->PrevIndex(cycle_->HistoryPos))]);
        return true;
    }
    timCycle_.start();
    return true;
}

void fomMain::ResetPicture() {
    if (KeepsOnTop(program_.settings.TopMost)) {
        SetTopMost(this);
    } else {
        ResetTopMost(this);
    }
    const FrameScale frame = WindowFrameScale(this);
    renderer_.Rebuild(frame.width, frame.height);
    update();
}

void fomMain::RefreshDisplay(std::int32_t u) {
    if (!IsHidden(
            program_.settings.State)) {  // a hidden window is not drawn; showing it rebuilds it
        renderer_.DrawGraph();
        // Only the rows of the graph that changed: the border and the rest stay as painted.
        const qreal ratio = devicePixelRatioF();
        const std::int32_t factor = WholeScaleFactor(ratio);
        for (const Renderer::RowBand& band : renderer_.ChangedRows) {
            const DeviceRows rows = FrameRowsOnDevice(factor, band.top, band.bottom);
            if (rows.bottom > rows.top) {
                const int top = static_cast<int>(std::floor(rows.top / ratio));
                const int bottom = static_cast<int>(std::ceil(rows.bottom / ratio));
                update(0, top, width(), bottom - top);
            }
        }
    }
    const TrayIconMode mode = program_.settings.IconGraphMode;
    if (ShowsIconGraph(mode)) {
        Surface& frame = renderer_.picIconGraph[mode == TrayIconMode::Graph ? 0 : 1];
        renderer_.DrawIconGraph(frame);
        // A new icon only for a new picture: the tray is handed nothing while the graph is still.
        if (UpdateIconImage(trayPicture_, frame, kButtonFaceColour) || !hasTrayGraphIcon_) {
            FreeTrayIcon();
            TrayData.icon = IconImageToQIcon(trayPicture_);
            hasTrayGraphIcon_ = !TrayData.icon.isNull();
        }
    } else {
        FreeTrayIcon();
        TrayData.icon = ownIcon_;
    }
    if (u != tipUsage_) {
        TrayData.tip = TrayTipText(u);
        tipUsage_ = u;
    }
    modTaskTray::ModifyTrayIcon(TrayData);
}

void fomMain::FreeTrayIcon() {
    if (hasTrayGraphIcon_) {
        TrayData.icon = QIcon();
        hasTrayGraphIcon_ = false;
    }
}

void fomMain::timCycle_Timer() {
    cycle_->Tick();
}

void fomMain::paintEvent(QPaintEvent*) {
    // The one-pixel border of the graph is in the desktop's frame colour.
    PaintFrame(this, renderer_.picGraph, palette().color(QPalette::Shadow));
}

void fomMain::Form_Resize() {
    const FrameScale frame = WindowFrameScale(this);
    renderer_.SetClientSize(frame.width, frame.height);
    renderer_.LayoutPictures();
    renderer_.GraphReady = false;
    // Not isVisible(): the resize of the first show comes before the window counts as visible,
    // and the graph would stay blank until the next tick.
    if (!IsHidden(program_.settings.State)) {
        renderer_.DrawGraph();
    }
    update();
}

void fomMain::resizeEvent(QResizeEvent*) {
    if (loaded_) {
        Form_Resize();
    }
}

Qt::Edges fomMain::EdgesAt(const QPoint& pos) const {
    Qt::Edges edges;
    if (pos.x() < kResizeBorder) {
        edges |= Qt::LeftEdge;
    } else if (pos.x() >= width() - kResizeBorder) {
        edges |= Qt::RightEdge;
    }
    if (pos.y() < kResizeBorder) {
        edges |= Qt::TopEdge;
    } else if (pos.y() >= height() - kResizeBorder) {
        edges |= Qt::BottomEdge;
    }
    return edges;
}

void fomMain::mousePressEvent(QMouseEvent* event) {
    const QPointF pos = event->position();
    drag_.DownX = pos.x();
    drag_.DownY = pos.y();
    drag_.DownButton = MouseButtonBit(event->button());
    if (drag_.DownButton != 1) {
        return;
    }
    const Qt::Edges edges = EdgesAt(pos.toPoint());
    if (edges != Qt::Edges()) {
        // Resized from its edges as a framed window is; by hand where the desktop cannot.
        if (windowHandle() == nullptr || !windowHandle()->startSystemResize(edges)) {
            resizing_ = edges;
            resizeStart_ = geometry();
            resizeOrigin_ = event->globalPosition().toPoint();
        }
        return;
    }
    dragging_ = true;
    setCursor(Qt::SizeAllCursor);
    const QPoint mouse = event->globalPosition().toPoint();
    drag_.WorkArea = GetWorkArea(mouse);
    drag_.Screens = ScreenAreas();
    FollowMouse(drag_, {mouse.x(), mouse.y()});
}

void fomMain::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() == Qt::NoButton) {
        const Qt::Edges edges = EdgesAt(event->position().toPoint());
        if ((edges & (Qt::LeftEdge | Qt::RightEdge)) && (edges & (Qt::TopEdge | Qt::BottomEdge))) {
            setCursor(
                (edges == (Qt::LeftEdge | Qt::TopEdge) || edges == (Qt::RightEdge | Qt::BottomEdge))
                    ? Qt::SizeFDiagCursor
                    : Qt::SizeBDiagCursor);
        } else if (edges & (Qt::LeftEdge | Qt::RightEdge)) {
            setCursor(Qt::SizeHorCursor);
        } else if (edges & (Qt::TopEdge | Qt::BottomEdge)) {
            setCursor(Qt::SizeVerCursor);
        } else {
            unsetCursor();
        }
        return;
    }
    if (resizing_ != Qt::Edges()) {
        const QPoint delta = event->globalPosition().toPoint() - resizeOrigin_;
        QRect g = resizeStart_;
        if (resizing_ & Qt::LeftEdge) {
            g.setLeft(std::min(g.left() + delta.x(), g.right() - kMinimumWidth + 1));
        }
        if (resizing_ & Qt::RightEdge) {
            g.setRight(std::max(g.right() + delta.x(), g.left() + kMinimumWidth - 1));
        }
        if (resizing_ & Qt::TopEdge) {
            g.setTop(std::min(g.top() + delta.y(), g.bottom() - kMinimumHeight + 1));
        }
        if (resizing_ & Qt::BottomEdge) {
            g.setBottom(std::max(g.bottom() + delta.y(), g.top() + kMinimumHeight - 1));
        }
        setGeometry(g);
        return;
    }
    if (dragging_ && event->buttons() == Qt::LeftButton) {
        const QPoint mouse = event->globalPosition().toPoint();
        FollowMouse(drag_, {mouse.x(), mouse.y()});
        const ScreenPoint to =
            DragWindow(drag_, ToScreenRect(frameGeometry()), ModifierHeld(event->modifiers()),
                       event->position().x(), event->position().y());
        move(to.x, to.y);
    }
}

void fomMain::mouseReleaseEvent(QMouseEvent* event) {
    if (resizing_ != Qt::Edges()) {
        resizing_ = Qt::Edges();
        return;
    }
    if (drag_.DownButton == 1 && dragging_) {
        dragging_ = false;
        unsetCursor();
        const QPoint mouse = event->globalPosition().toPoint();
        FollowMouse(drag_, {mouse.x(), mouse.y()});
        const ScreenPoint to =
            DragWindow(drag_, ToScreenRect(frameGeometry()), ModifierHeld(event->modifiers()),
                       event->position().x(), event->position().y());
        move(to.x, to.y);
    } else if (drag_.DownButton == 2 && event->button() == Qt::RightButton) {
        ShowPopup(event->globalPosition().toPoint());  // Form_Click
    }
}

void fomMain::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers held = event->modifiers();
    if (IsCloseKeystroke(event->key() == Qt::Key_F4, held.testFlag(Qt::AltModifier),
                         held.testFlag(Qt::ShiftModifier), held.testFlag(Qt::ControlModifier))) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void fomMain::ShowPopup(const QPoint& at) {
    mnuPopup_->popup(at);
}

void fomMain::mnuHidden_Click() {
    const bool show = IsHidden(program_.settings.State);
    if (!show && !trayHost_->present()) {
        return;  // nothing would bring the window back (the item is disabled)
    }
    waitingForTray_ = false;  // the user's choice from now on
    SetShown(show);
}

void fomMain::SetShown(bool shown) {
    if (shown && IsHidden(program_.settings.State)) {
        program_.settings.State = WindowState::Shown;
        ResetPicture();
        show();
    } else if (!shown && !IsHidden(program_.settings.State) && trayHost_->present()) {
        // Without a tray host nothing would bring the window back: it stays.
        hide();
        program_.settings.State = WindowState::Hidden;
    }
    FillPopupMenu();  // the tray host's copy of the menu shows the new caption
}

void fomMain::TrayHostChanged(bool present) {
    if (!loaded_ || unloaded_) {
        return;
    }
    const HidingPlan plan = PlanHiding(program_.settings.State, waitingForTray_, present);
    waitingForTray_ = plan.waitingForTray;
    SetShown(!IsHidden(plan.state));
}

void fomMain::mnuSetup_Click() {
    if (setupShown_ || comDlg_ == nullptr) {
        return;  // one setup dialog at a time
    }
    setupShown_ = true;
    {
        fomSetup setup(this, program_, *comDlg_, [this] { ResetPicture(); });
        setup.exec();
    }
    setupShown_ = false;
    ResetPicture();
}

void fomMain::mnuVersion_Click() {
    if (versionBox_ != nullptr) {
        // One about box at a time: asked again (from the tray menu), the open one comes forward.
        BringToFront(versionBox_);
        versionBox_->activateWindow();
        return;
    }
    fomVersion box(this, program_.version);
    versionBox_ = &box;
    box.exec();
    versionBox_ = nullptr;
}

void fomMain::mnuHelp_Click() {
    ShowHelp(this, program_.helpFile, HelpContext::Contents);
}

void fomMain::mnuExit_Click() {
    close();
}

void fomMain::picIcon_MouseDown(int button, TrayMessage message) {
    switch (DecodeTrayCallback(button, message)) {
        case TrayAction::BringBack:
            BringBack();
            break;
        case TrayAction::OpenMenu:
            ShowPopup(QCursor::pos());
            break;
        case TrayAction::None:
            break;
    }
}

void fomMain::BringBack() {
    const BringBackPlan plan =
        PlanBringBack(setupShown_, program_.settings.State, program_.settings.TopMost);
    if (plan.toggleShown) {
        mnuHidden_Click();
    }
    if (isVisible()) {
        activateWindow();
    }
    if (plan.bringToFront) {
        BringToFront(this);
    }
}

void fomMain::closeEvent(QCloseEvent* event) {
    Form_QueryUnload();
    event->accept();
    QApplication::quit();  // Form_Unload: the program ends with its main window
}

void fomMain::Form_QueryUnload() {
    if (unloaded_ || !loaded_) {
        return;
    }
    unloaded_ = true;
    timCycle_.stop();
    cycle_->StopSampling();
    modTaskTray::DeleteTrayIcon(TrayData);
    FreeTrayIcon();
    const QRect g = frameGeometry();
    program_.settings.Left = g.left();
    program_.settings.Top = g.top();
    program_.settings.Width = g.width();
    program_.settings.Height = g.height();
    program_.settings.State = SavedWindowState(program_.settings.State, waitingForTray_);
    SaveConfig(program_.settings, SettingsFilePath(), program_.version);
}

}  // namespace moravel
