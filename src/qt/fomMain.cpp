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

#include "core/config/Config.h"
#include "qt/FramePainter.h"
#include "qt/GraphAccessible.h"
#include "qt/HelpViewer.h"
#include "qt/IconPixmap.h"
#include "qt/QtPrompts.h"
#include "qt/QtText.h"
#include "qt/WindowHelpers.h"
#include "qt/fomSetup.h"
#include "qt/fomVersion.h"

namespace moravel {
namespace {

double LogicalDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInch() : 96.0;
}

bool ModifierHeld(Qt::KeyboardModifiers modifiers) {
    return (modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) != 0;
}

ScreenPoint GlobalPoint(const QMouseEvent* event) {
    const QPoint mouse = event->globalPosition().toPoint();
    return {mouse.x(), mouse.y()};
}

}  // namespace

fomMain::fomMain(ProgramState& program, std::unique_ptr<CpuSampler> sampler,
                 std::unique_ptr<MonotonicClock> clock)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      fonts_(LogicalDpi()),
      session_(program, *this, fonts_, images_, std::move(sampler), std::move(clock)),
      ownIcon_(ProgramIcon()) {
    setWindowTitle(ToQString(kAppTitle));
    setWindowIcon(ownIcon_);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setMinimumSize(MonitorSession::kMinimumWidth, MonitorSession::kMinimumHeight);
    resize(MonitorSession::kDesignedWidth, MonitorSession::kDesignedHeight);

    timCycle_.setInterval(MonitorSession::kTickMilliseconds);
    timCycle_.setTimerType(Qt::PreciseTimer);
    connect(&timCycle_, &QTimer::timeout, this, &fomMain::timCycle_Timer);
    ExposeAsGraph(this, session_.Announcer());

    trayHost_ = new modTaskTray::TrayHost(this);
    connect(trayHost_, &modTaskTray::TrayHost::changed, this,
            [this] { session_.TrayHostChanged(); });

    mnuPopup_ = new QMenu(this);
    // The items follow the window's state each time the menu opens.
    connect(mnuPopup_, &QMenu::aboutToShow, this, &fomMain::FillPopupMenu);

    notification_ = new DesktopNotification(
        ownIcon_, [this] { session_.BringBack(); }, this);
}

void fomMain::timCycle_Timer() {
    session_.Tick();
}

void fomMain::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        session_.Activated();
    }
}

void fomMain::AnnounceUsage() {
    AnnounceValue(this, session_.Announcer());
}

fomMain::~fomMain() {
    session_.Shutdown();
}

bool fomMain::Form_Load() {
    comDlg_ = std::make_unique<clsComDlg>(fileDialogs_);
    return session_.Start();
}

void fomMain::FillPopupMenu() {
    const std::vector<MenuItem> items = session_.PopupMenu();
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
        connect(action, &QAction::triggered, this, [this, command] { session_.Command(command); });
    }
}

ClientArea fomMain::Client() const {
    return WindowClientArea(this);
}

Desktop fomMain::Screens() const {
    Desktop desktop;
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary == nullptr) {
        desktop.primary = {0, 0, 1024, 768};
        desktop.primaryDeviceWidth = 1920;
        return desktop;
    }
    desktop.primary = ToScreenRect(primary->geometry());
    desktop.primaryPixelRatio = primary->devicePixelRatio();
    desktop.primaryDeviceWidth = qRound(primary->geometry().width() * desktop.primaryPixelRatio);
    desktop.screens = ScreenAreas();  // the primary screen first
    return desktop;
}

ScreenRect fomMain::WindowRect() const {
    return ToScreenRect(frameGeometry());
}

void fomMain::PlaceWindow(const ScreenRect& frame) {
    setGeometry(frame.left, frame.top, frame.width(), frame.height());
}

void fomMain::SetTopMost(bool onTop) {
    if (onTop) {
        moravel::SetTopMost(this);
    } else {
        ResetTopMost(this);
    }
}

void fomMain::Activate() {
    if (isVisible()) {
        activateWindow();
    }
}

void fomMain::BringToFront() {
    moravel::BringToFront(this);
}

void fomMain::Repaint(std::int32_t top, std::int32_t bottom) {
    if (top < 0) {
        update();
        return;
    }
    // Device rows to the logical ones that hold them.
    const qreal ratio = devicePixelRatioF();
    const int from = static_cast<int>(std::floor(top / ratio));
    const int to = static_cast<int>(std::ceil(bottom / ratio));
    update(0, from, width(), to - from);
}

void fomMain::SetDragging(bool dragging, WindowCursor cursor) {
    Q_UNUSED(dragging);  // Qt keeps the mouse for the window while a button is held
    if (cursor == WindowCursor::Move) {
        setCursor(Qt::SizeAllCursor);
    } else {
        unsetCursor();
    }
}

void fomMain::SetTicking(bool ticking) {
    if (ticking) {
        timCycle_.start();
    } else {
        timCycle_.stop();
    }
}

bool fomMain::TestDataKeysHeld() const {
    return IsShiftDown() && IsCtrlDown();
}

bool fomMain::AddTrayIcon() {
    if (!trayAdded_) {
        trayAdded_ = true;
        // Filled before the icon is added: a StatusNotifierItem host reads the exported menu
        // when it builds its own, not only when it opens it.
        FillPopupMenu();
        TrayData.icon = ownIcon_;
        TrayData.tip.clear();
        TrayData.hostMenu = mnuPopup_;
        TrayData.callback = [this](TrayClick click) { session_.TrayClicked(click); };
        modTaskTray::AddTrayIcon(TrayData);
    }
    return TrayHostPresent();
}

bool fomMain::TrayHostPresent() {
    trayHost_->Recheck();
    return trayHost_->present();
}

void fomMain::SetTrayIcon(const IconImage* picture, bool newPicture, const std::string& tip) {
    if (newPicture) {
        TrayData.icon = picture != nullptr ? IconImageToQIcon(*picture) : ownIcon_;
    }
    TrayData.tip = tip;
    modTaskTray::ModifyTrayIcon(TrayData);
}

void fomMain::RemoveTrayIcon() {
    modTaskTray::DeleteTrayIcon(TrayData);
    TrayData.icon = QIcon();
}

bool fomMain::ShowAlert(const std::string& title, const std::string& text) {
    return notification_->Show(title, text);
}

void fomMain::OpenPopupMenu() {
    mnuPopup_->popup(QCursor::pos());
}

void fomMain::RunSetupDialog() {
    if (comDlg_ == nullptr) {
        return;
    }
    fomSetup setup(this, session_.Program(), *comDlg_, [this] { session_.ResetPicture(); });
    setup.exec();
}

void fomMain::RunAboutBox() {
    fomVersion box(this, session_.Program().version);
    versionBox_ = &box;
    box.exec();
    versionBox_ = nullptr;
}

void fomMain::RaiseAboutBox() {
    if (versionBox_ != nullptr) {
        moravel::BringToFront(versionBox_);
        versionBox_->activateWindow();
    }
}

void fomMain::ShowHelp(const std::string& helpFile, HelpContext context) {
    moravel::ShowHelp(this, helpFile, context);
}

void fomMain::ShowMessage(const MessageRequest& message) {
    moravel::ShowMessage(nullptr, message);
}

void fomMain::paintEvent(QPaintEvent*) {
    // The one-pixel border of the graph is in the desktop's frame colour.
    PaintFrame(this, session_.Frame(), palette().color(QPalette::Shadow));
}

void fomMain::resizeEvent(QResizeEvent*) {
    session_.Resized();
}

Qt::Edges fomMain::EdgesAt(const QPoint& pos) const {
    constexpr int kBorder = MonitorSession::kResizeBorder;
    Qt::Edges edges;
    if (pos.x() < kBorder) {
        edges |= Qt::LeftEdge;
    } else if (pos.x() >= width() - kBorder) {
        edges |= Qt::RightEdge;
    }
    if (pos.y() < kBorder) {
        edges |= Qt::TopEdge;
    } else if (pos.y() >= height() - kBorder) {
        edges |= Qt::BottomEdge;
    }
    return edges;
}

void fomMain::mousePressEvent(QMouseEvent* event) {
    const QPointF pos = event->position();
    if (event->button() == Qt::LeftButton) {
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
    }
    session_.MousePressed(MouseButtonBit(event->button()), GlobalPoint(event), pos.x(), pos.y());
}

void fomMain::SetEdgeCursor(Qt::Edges edges) {
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
}

void fomMain::ResizeByHand(const QPoint& mouse) {
    constexpr int kMinWidth = MonitorSession::kMinimumWidth;
    constexpr int kMinHeight = MonitorSession::kMinimumHeight;
    const QPoint delta = mouse - resizeOrigin_;
    QRect g = resizeStart_;
    if (resizing_ & Qt::LeftEdge) {
        g.setLeft(std::min(g.left() + delta.x(), g.right() - kMinWidth + 1));
    }
    if (resizing_ & Qt::RightEdge) {
        g.setRight(std::max(g.right() + delta.x(), g.left() + kMinWidth - 1));
    }
    if (resizing_ & Qt::TopEdge) {
        g.setTop(std::min(g.top() + delta.y(), g.bottom() - kMinHeight + 1));
    }
    if (resizing_ & Qt::BottomEdge) {
        g.setBottom(std::max(g.bottom() + delta.y(), g.top() + kMinHeight - 1));
    }
    setGeometry(g);
}

void fomMain::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() == Qt::NoButton) {
        SetEdgeCursor(EdgesAt(event->position().toPoint()));
        return;
    }
    if (resizing_ != Qt::Edges()) {
        ResizeByHand(event->globalPosition().toPoint());
        return;
    }
    session_.MouseMoved(event->buttons() == Qt::LeftButton, ModifierHeld(event->modifiers()),
                        GlobalPoint(event), event->position().x(), event->position().y());
}

void fomMain::mouseReleaseEvent(QMouseEvent* event) {
    if (resizing_ != Qt::Edges()) {
        resizing_ = Qt::Edges();
        return;
    }
    session_.MouseReleased(MouseButtonBit(event->button()), ModifierHeld(event->modifiers()),
                           GlobalPoint(event), event->position().x(), event->position().y());
}

void fomMain::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers held = event->modifiers();
    if (!session_.KeyPressed(event->key() == Qt::Key_F4, held.testFlag(Qt::AltModifier),
                             held.testFlag(Qt::ShiftModifier),
                             held.testFlag(Qt::ControlModifier))) {
        QWidget::keyPressEvent(event);
    }
}

void fomMain::closeEvent(QCloseEvent* event) {
    session_.Shutdown();
    event->accept();
    QApplication::quit();  // Form_Unload: the program ends with its main window
}

}  // namespace moravel
