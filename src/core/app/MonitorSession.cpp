#include "core/app/MonitorSession.h"

#include <tuple>
#include <utility>

#include "core/app/Help.h"
#include "core/app/Texts.h"
#include "core/config/Config.h"
#include "core/config/Theme.h"
#include "core/render/Colour.h"

namespace moravel {

MonitorSession::MonitorSession(ProgramState& program, MonitorPort& port, FontEngine& fonts,
                               ImageLoader& images, std::unique_ptr<CpuSampler> sampler,
                               std::unique_ptr<MonotonicClock> clock,
                               std::unique_ptr<ProcessLister> processes)
    : program_(program),
      port_(port),
      clock_(clock ? std::move(clock) : std::make_unique<SystemMonotonicClock>()),
      cycle_(sampler ? std::move(sampler) : MakeCpuSampler(program.settings.CpuFigure), *clock_,
             program.settings, [this](std::int32_t usage) { RefreshDisplay(usage); }),
      renderer_(fonts, images, ProgramThemeFolders(), program.currentTheme, program.settings),
      alert_(processes ? std::move(processes) : MakeProcessLister()) {}

MonitorSession::~MonitorSession() = default;

bool MonitorSession::Start() {
    program_.helpFile = FindHelpFile();
    program_.version = kBuildVersion;
    LoadConfig(program_.settings, program_.currentTheme, SettingsFilePath());

    // As many seconds as the screen is wide in frame pixels.
    const Desktop desktop = port_.Screens();
    const std::int32_t seconds =
        FrameScaleFor(desktop.primaryDeviceWidth, 0, desktop.primaryPixelRatio).width;
    if (cycle_.StartSampling(seconds) < 0) {
        MessageRequest failure;
        failure.text = std::string(Localised(kCpuUsageFailureText));
        failure.caption = std::string(kAppTitle);
        failure.icon = MessageIcon::Critical;
        port_.ShowMessage(failure);
        return false;
    }
    if (!port_.CreateMainWindow()) {
        cycle_.StopSampling();
        return false;
    }
    started_ = true;
    renderer_.SetHistory(cycle_.History());
    trayHost_ = port_.AddTrayIcon();

    // Placed before the first drawing, so the graph is fitted to the final size at once.
    PlaceWindow();
    ResetPicture();
    cycle_.RestartClock();

    // Hidden only where a tray icon can bring the window back.
    const HidingPlan hiding = PlanHiding(program_.settings.State, false, trayHost_);
    program_.settings.State = hiding.state;
    waitingForTray_ = hiding.waitingForTray;
    port_.MenuChanged();
    if (!IsHidden(program_.settings.State)) {
        port_.ShowWindow(true);
    }

    if (port_.TestDataKeysHeld() && cycle_.LoadTestDataFile(TestDataFilePath()) > 0) {
        // Test-data mode: the saved history, frozen.
        renderer_.GraphReady = false;
        renderer_.IconReady = false;
        RefreshDisplay(cycle_.Newest());
        return true;
    }
    port_.SetTicking(true);
    return true;
}

void MonitorSession::PlaceWindow() {
    const Desktop desktop = port_.Screens();
    const WindowScales scales = port_.Scales();
    std::vector<ScreenRect> workAreas;
    workAreas.reserve(desktop.screens.size());
    for (const ScreenArea& screen : desktop.screens) {
        workAreas.push_back(screen.workArea);
    }
    const SettingsRecord& saved = program_.settings;
    const auto size = [&](std::int32_t logical) {
        return logical < 1 ? 0 : DeviceLength(logical, scales.size);
    };
    port_.PlaceWindow(InitialWindowRect(
        DeviceLength(saved.Left, scales.place), DeviceLength(saved.Top, scales.place),
        size(saved.Width), size(saved.Height), DeviceLength(kDesignedWidth, scales.size),
        DeviceLength(kDesignedHeight, scales.size), desktop.primary, workAreas));
}

void MonitorSession::ResetPicture() {
    if (!started_) {
        return;
    }
    port_.SetTopMost(KeepsOnTop(program_.settings.TopMost));
    const ClientArea client = port_.Client();
    frame_ = FrameScaleFor(client.width, client.height, client.pixelRatio);
    renderer_.Rebuild(frame_.width, frame_.height);
    ApplyCpuView();
    if (DrawsProcessors() && !IsHidden(program_.settings.State)) {
        processorView_.Draw(cycle_.Processors(), cycle_.History());
    }
    port_.Repaint(-1, -1);
}

void MonitorSession::ApplyCpuView() {
    cycle_.ReadProcessors(ShowsProcessors(program_.settings.CpuView) &&
                          cycle_.Sampler().OffersProcessors());
    processorView_.Reset();
}

bool MonitorSession::DrawsProcessors() const {
    return cycle_.ReadsProcessors() && cycle_.ProcessorCount > 0;
}

void MonitorSession::DrawWindowGraph() {
    if (DrawsProcessors()) {
        processorView_.Draw(cycle_.Processors(), cycle_.History());
    } else {
        renderer_.DrawGraph();
    }
}

void MonitorSession::Resized() {
    if (!started_) {
        return;
    }
    const ClientArea client = port_.Client();
    frame_ = FrameScaleFor(client.width, client.height, client.pixelRatio);
    renderer_.SetClientSize(frame_.width, frame_.height);
    renderer_.LayoutPictures();
    renderer_.GraphReady = false;
    // A hidden window is not drawn; showing it rebuilds it.
    if (!IsHidden(program_.settings.State)) {
        renderer_.DrawGraph();
        if (DrawsProcessors()) {
            processorView_.Draw(cycle_.Processors(), cycle_.History());
        }
    }
    port_.Repaint(-1, -1);
}

void MonitorSession::DisplayChanged() {
    trayPictureStale_ = true;
    ResetPicture();
}

void MonitorSession::Tick() {
    if (!started_ || shutDown_) {
        return;
    }
    // A tray icon the shell did not take (no taskbar yet) is offered again; one that is there is
    // asked after, so a host that came or went is seen without a timer of its own.
    UseTrayHost(trayHost_ ? port_.TrayHostPresent() : port_.AddTrayIcon());
    const std::uint64_t appended = cycle_.Appended;
    cycle_.Tick();
    Alert(cycle_.Appended - appended);
    if (announcer_.Update(cycle_.Newest())) {
        port_.AnnounceUsage();
    }
}

void MonitorSession::Activated() {
    if (started_ && announcer_.Focus(cycle_.Newest())) {
        port_.AnnounceUsage();
    }
}

void MonitorSession::Alert(std::uint64_t appended) {
    const std::optional<AlertNotice> notice = alert_.Update(program_.settings, cycle_, appended);
    std::string tip;
    if (notice) {
        const std::string title = AlertSummary(*notice);
        const std::string text = AlertBody(*notice);
        if (port_.ShowAlert(title, text)) {
            return;
        }
        tip = text.empty() ? title : title + "\n" + text;
    } else if (alertTip_.empty() || alert_.Alerting()) {
        return;
    }
    // Shown in the tray tip until the usage has calmed down.
    alertTip_ = tip;
    alertTipStale_ = true;
    RefreshTray(cycle_.Newest());
}

void MonitorSession::RefreshDisplay(std::int32_t usage) {
    if (!IsHidden(program_.settings.State)) {
        DrawWindowGraph();
        RepaintChangedRows();
    }
    RefreshTray(usage);
}

void MonitorSession::RepaintChangedRows() {
    // Only the rows of the graph that changed: the border and the rest stay as painted.
    for (const Renderer::RowBand& band : renderer_.ChangedRows) {
        const DeviceRows rows = FrameRowsOnDevice(frame_.factor, band.top, band.bottom);
        if (rows.bottom > rows.top) {
            port_.Repaint(rows.top, rows.bottom);
        }
    }
}

void MonitorSession::RefreshTray(std::int32_t usage) {
    const TrayIconMode mode = program_.settings.IconGraphMode;
    const IconImage* picture = nullptr;
    bool newPicture = trayShowsGraph_;  // the program's own icon instead of the graph
    if (ShowsIconGraph(mode)) {
        Surface& frame = renderer_.IconPicture();
        renderer_.DrawIconGraph(frame);
        // A new icon only for a new picture: the tray is handed nothing while the graph is still.
        newPicture = UpdateIconImage(trayPicture_, frame, kButtonFaceColour) || !trayShowsGraph_ ||
                     trayPictureStale_;
        picture = &trayPicture_;
    }
    trayShowsGraph_ = picture != nullptr;
    trayPictureStale_ = false;
    const bool fellBack = cycle_.Sampler().FellBack();
    BusiestProcessor busiest;
    if (DrawsProcessors()) {
        std::tie(busiest.number, busiest.usage) = cycle_.Busiest();
    }
    const bool newTip =
        usage != tipUsage_ || fellBack != tipFellBack_ || busiest != tipBusiest_ || alertTipStale_;
    if (newTip) {
        trayTip_ = TrayTipText(usage, fellBack, busiest);
        if (!alertTip_.empty()) {
            trayTip_ += "\n" + alertTip_;
        }
        tipUsage_ = usage;
        tipFellBack_ = fellBack;
        tipBusiest_ = busiest;
        alertTipStale_ = false;
    }
    if (newPicture || newTip) {
        port_.SetTrayIcon(picture, newPicture, trayTip_);
    }
}

std::vector<MenuItem> MonitorSession::PopupMenu() const {
    return PopupMenuItems(program_.settings.State, trayHost_);
}

void MonitorSession::Command(MenuCommand command) {
    if (!started_ || shutDown_) {
        return;
    }
    switch (command) {
        case MenuCommand::Hidden:
            ToggleShown();
            break;
        case MenuCommand::Setup:
            if (setupShown_) {
                return;  // one setup dialog at a time
            }
            setupShown_ = true;
            port_.RunSetupDialog();
            setupShown_ = false;
            // Whatever way it closed, the drawing follows the settings; unless the program was
            // closed from the tray menu meanwhile.
            if (!shutDown_) {
                ResetPicture();
            }
            break;
        case MenuCommand::Version:
            if (aboutShown_) {
                port_.RaiseAboutBox();  // one about box at a time: the open one comes forward
                return;
            }
            aboutShown_ = true;
            port_.RunAboutBox();
            aboutShown_ = false;
            break;
        case MenuCommand::Help:
            port_.ShowHelp(program_.helpFile, HelpContext::Contents);
            break;
        case MenuCommand::Exit:
            Close();
            break;
        case MenuCommand::None:
            break;
    }
}

void MonitorSession::ToggleShown() {
    const bool show = IsHidden(program_.settings.State);
    if (!show && !trayHost_) {
        return;  // nothing would bring the window back (the item is disabled)
    }
    waitingForTray_ = false;  // the user's choice from now on
    SetShown(show);
}

void MonitorSession::SetShown(bool shown) {
    if (shown && IsHidden(program_.settings.State)) {
        program_.settings.State = WindowState::Shown;
        ResetPicture();
        port_.ShowWindow(true);
    } else if (!shown && !IsHidden(program_.settings.State) && trayHost_) {
        port_.ShowWindow(false);
        program_.settings.State = WindowState::Hidden;
    }
    port_.MenuChanged();  // a tray host's copy of the menu shows the new caption
}

void MonitorSession::UseTrayHost(bool present) {
    if (present == trayHost_) {
        return;
    }
    trayHost_ = present;
    const HidingPlan plan = PlanHiding(program_.settings.State, waitingForTray_, present);
    waitingForTray_ = plan.waitingForTray;
    SetShown(!IsHidden(plan.state));
}

void MonitorSession::TrayHostChanged() {
    if (started_ && !shutDown_) {
        UseTrayHost(port_.TrayHostPresent());
    }
}

void MonitorSession::TrayRestarted() {
    // The new tray knows nothing of the old one's icon.
    if (started_ && !shutDown_) {
        UseTrayHost(port_.AddTrayIcon());
    }
}

void MonitorSession::TrayClicked(TrayClick click) {
    if (!started_ || shutDown_) {
        return;
    }
    switch (click) {
        case TrayClick::DoubleClick:
            BringBack();
            break;
        case TrayClick::RightClick:
            port_.OpenPopupMenu();
            break;
        case TrayClick::Click:
            break;
    }
}

void MonitorSession::BringBack() {
    if (!started_ || shutDown_) {
        return;
    }
    const BringBackPlan plan =
        PlanBringBack(setupShown_, program_.settings.State, program_.settings.TopMost);
    if (plan.toggleShown) {
        ToggleShown();
    }
    port_.Activate();
    if (plan.bringToFront) {
        port_.BringToFront();
    }
}

void MonitorSession::MousePressed(std::int32_t button, ScreenPoint mouse, double x, double y) {
    drag_.DownX = x;
    drag_.DownY = y;
    drag_.DownButton = button;
    if (button != 1 || !started_) {
        return;
    }
    dragging_ = true;
    port_.SetDragging(true, WindowCursor::Move);
    // The screens are read at every press (a panel may have moved); the window then stays inside
    // the work area of the screen under the mouse, the primary one's when it is over none.
    drag_.Screens = port_.Screens().screens;
    if (!drag_.Screens.empty()) {
        drag_.WorkArea = drag_.Screens.front().workArea;
    }
    FollowMouse(drag_, mouse);
}

void MonitorSession::Drag(bool modifierHeld, ScreenPoint mouse, double x, double y) {
    FollowMouse(drag_, mouse);
    port_.MoveWindow(DragWindow(drag_, port_.WindowRect(), modifierHeld, x, y));
}

void MonitorSession::MouseMoved(bool onlyLeftHeld, bool modifierHeld, ScreenPoint mouse, double x,
                                double y) {
    if (dragging_ && onlyLeftHeld) {
        Drag(modifierHeld, mouse, x, y);
    }
}

void MonitorSession::MouseReleased(std::int32_t button, bool modifierHeld, ScreenPoint mouse,
                                   double x, double y) {
    if (button == 1 && drag_.DownButton == 1 && dragging_) {
        Drag(modifierHeld, mouse, x, y);  // the last move, to where the button was let go
        dragging_ = false;
        port_.SetDragging(false, WindowCursor::Arrow);
    } else if (button == 2 && drag_.DownButton == 2 && started_ && !shutDown_) {
        port_.OpenPopupMenu();
    }
}

void MonitorSession::MouseCaptureLost() {
    if (dragging_) {
        dragging_ = false;
        port_.SetDragging(false, WindowCursor::Arrow);
    }
}

bool MonitorSession::KeyPressed(bool f4, bool alt, bool shift, bool ctrl) {
    if (!f4 || !alt) {
        return false;
    }
    if (IsCloseKeystroke(f4, alt, shift, ctrl)) {
        Close();
    }
    return true;
}

void MonitorSession::Close() {
    Shutdown();
    port_.EndProgram();
}

void MonitorSession::Shutdown() {
    if (!started_ || shutDown_) {
        return;
    }
    shutDown_ = true;
    port_.SetTicking(false);
    cycle_.StopSampling();
    port_.RemoveTrayIcon();
    // In logical pixels: the place as PlaceWindow reads it back, the size as large as it looks.
    const ScreenRect frame = port_.WindowRect();
    const WindowScales scales = port_.Scales();
    SettingsRecord& settings = program_.settings;
    settings.Left = LogicalLength(frame.left, scales.place);
    settings.Top = LogicalLength(frame.top, scales.place);
    settings.Width = LogicalLength(frame.width(), scales.size);
    settings.Height = LogicalLength(frame.height(), scales.size);
    settings.State = SavedWindowState(settings.State, waitingForTray_);
    SaveConfig(settings, SettingsFilePath(), program_.version);
}

}  // namespace moravel
