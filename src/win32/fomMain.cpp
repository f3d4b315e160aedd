#include "win32/fomMain.h"

#include <windowsx.h>

#include "core/app/Help.h"
#include "core/config/Config.h"
#include "core/os/Autostart.h"
#include "core/os/WideText_win.h"
#include "core/render/Colour.h"
#include "core/tray/IconImage.h"
#include "win32/Dpi.h"
#include "win32/FrameEdges.h"
#include "win32/HelpLauncher.h"
#include "win32/IconFromImage.h"
#include "win32/Prompts.h"
#include "win32/SurfaceDisplay.h"
#include "win32/SystemColours.h"
#include "win32/WindowHelpers.h"
#include "win32/fomSetup.h"
#include "win32/fomThemeSetup.h"
#include "win32/fomVersion.h"

namespace moravel {
namespace {

constexpr int kResizeBorder = 4;  // pixels at the edges that resize instead of moving
constexpr int kMinimumWidth = 40;
constexpr int kMinimumHeight = 20;
constexpr UINT_PTR kCycleTimer = 1;
constexpr UINT kCycleMilliseconds = 1000;
constexpr UINT kMenuBase = 100;  // menu identifiers: kMenuBase + MenuCommand
constexpr int kProgramIcon = 1;  // the icon's resource identifier

// The theme editor the setup dialog's 編集... button runs over program.editorTheme.
fomSetup::ThemeEditorRunner ThemeEditor(ProgramState& program) {
    return [&program](HWND owner) {
        fomThemeSetup editor(owner, program);
        editor.Edit();
    };
}

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(monitor, &info) != 0) {
        reinterpret_cast<std::vector<ScreenRect>*>(data)->push_back(ToScreenRect(info.rcWork));
    }
    return TRUE;
}

HICON ProgramIcon(int width, int height) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kProgramIcon),
                                         IMAGE_ICON, width, height, LR_SHARED));
}

}  // namespace

std::wstring fomMain::ClassName(const std::string& instanceName) {
    return L"Moravel." + Utf8ToWide(instanceName);
}

fomMain::fomMain(ProgramState& program, std::wstring className, std::unique_ptr<CpuSampler> sampler,
                 std::unique_ptr<MonotonicClock> clock)
    : program_(program),
      className_(std::move(className)),
      clock_(clock ? std::move(clock) : std::make_unique<SystemMonotonicClock>()),
      cycle_(std::make_unique<SamplingCycle>(sampler ? std::move(sampler) : MakeCpuSampler(),
                                             *clock_, program.settings,
                                             [this](std::int32_t u) { RefreshDisplay(u); })),
      renderer_(fonts_, images_, ProgramThemeFolders(), program.currentTheme, program.settings),
      ownIcon_(ProgramIcon(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON))),
      ownSmallIcon_(ProgramIcon(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON))) {}

fomMain::~fomMain() {
    Form_QueryUnload();
}

bool fomMain::Form_Load() {
    program_.helpFile = FindHelpFile();
    program_.version = kBuildVersion;
    LoadConfig(program_.settings, program_.currentTheme, SettingsFilePath());

    // As many seconds as the screen is wide in frame pixels.
    const double screenRatio = DevicePixelRatioForDpi(static_cast<std::int32_t>(ScreenDpi()));
    if (cycle_->StartSampling(FrameScaleFor(GetSystemMetrics(SM_CXSCREEN), 0, screenRatio).width) <
        0) {
        MessageRequest failure;
        failure.text = std::string(kCpuUsageFailureText);
        failure.caption = std::string(kAppTitle);
        failure.icon = MessageIcon::Critical;
        ShowMessage(nullptr, failure);
        return false;
    }
    if (!CreateMainWindow()) {
        return false;
    }
    loaded_ = true;
    renderer_.SetHistory({cycle_->UsageHistory.data(), cycle_->HistoryCount, &cycle_->HistoryPos});
    StartTray();

    // Placement before the first drawing, so the graph is fitted to the final size at once.
    PlaceWindow();
    ResetPicture();

    cycle_->LastSampleTime = clock_->NowSeconds();
    if (!IsHidden(program_.settings.State)) {
        ShowWindow(hwnd(), SW_SHOW);
        UpdateWindow(hwnd());
    }

    if (IsShiftDown() && IsCtrlDown() && cycle_->LoadTestDataFile(TestDataFilePath()) > 0) {
        // Test-data mode: the saved history, frozen.
        renderer_.GraphReady = false;
        renderer_.IconReady = false;
        RefreshDisplay(
            cycle_->UsageHistory[static_cast<std::size_t>(cycle_->PrevIndex(cycle_->HistoryPos))]);
        return true;
    }
    SetTimer(hwnd(), kCycleTimer, kCycleMilliseconds, nullptr);
    return true;
}

bool fomMain::CreateMainWindow() {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &fomMain::WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hIcon = ownIcon_;
    windowClass.hIconSm = ownSmallIcon_;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = className_.c_str();
    if (RegisterClassExW(&windowClass) == 0) {
        return false;
    }
    // A sizing frame without its look: the client area covers the whole window (WM_NCCALCSIZE),
    // and the edges that size it are ours (WM_NCHITTEST).
    const HWND window =
        CreateWindowExW(0, className_.c_str(), Utf8ToWide(kAppTitle).c_str(),
                        WS_POPUP | WS_THICKFRAME, CW_USEDEFAULT, CW_USEDEFAULT, kDesignedWidth,
                        kDesignedHeight, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    return window != nullptr;
}

void fomMain::StartTray() {
    TrayData.window = hwnd();
    TrayData.icon = ownSmallIcon_;
    TrayData.tip.clear();
    modTaskTray::AddTrayIcon(TrayData);
}

void fomMain::PlaceWindow() {
    UseDpi(WindowDpi(hwnd()));
    std::vector<ScreenRect> workAreas;
    EnumDisplayMonitors(nullptr, nullptr, &AddWorkArea, reinterpret_cast<LPARAM>(&workAreas));
    const ScreenRect primary{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    // The settings keep logical pixels; the screens are in device pixels. A window that lands on
    // a monitor of another dpi is fitted to it by WM_DPICHANGED.
    const double ratio = DevicePixelRatioForDpi(static_cast<std::int32_t>(ScreenDpi()));
    const auto& saved = program_.settings;
    const ScreenRect place =
        InitialWindowRect(DeviceLength(saved.Left, ratio), DeviceLength(saved.Top, ratio),
                          saved.Width < 1 ? 0 : DeviceLength(saved.Width, ratio),
                          saved.Height < 1 ? 0 : DeviceLength(saved.Height, ratio),
                          DeviceLength(kDesignedWidth, ratio), DeviceLength(kDesignedHeight, ratio),
                          primary, workAreas);
    // The frame is recalculated too: the window was made with the sizing frame's look, which
    // WM_NCCALCSIZE takes away, and an unchanged size would keep it.
    SetWindowPos(hwnd(), nullptr, place.left, place.top, place.width(), place.height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void fomMain::UseDpi(UINT dpi) {
    dpi_ = dpi;
    fonts_.SetDpi(FrameFontDpi(static_cast<std::int32_t>(dpi)));
    trayIconSize_ = SmallIconSize(ScreenDpi());
}

FrameScale fomMain::ClientFrameScale() const {
    RECT client = {};
    GetClientRect(hwnd(), &client);
    return FrameScaleFor(client.right, client.bottom, PixelRatio());
}

void fomMain::ResetPicture() {
    if (KeepsOnTop(program_.settings.TopMost)) {
        SetTopMost(hwnd());
    } else {
        ResetTopMost(hwnd());
    }
    const FrameScale frame = ClientFrameScale();
    renderer_.Rebuild(frame.width, frame.height);
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void fomMain::RefreshDisplay(std::int32_t u) {
    if (!IsHidden(
            program_.settings.State)) {  // a hidden window is not drawn; showing it rebuilds it
        renderer_.DrawGraph();
        // Only the rows of the graph that changed: the border and the rest stay as painted.
        RECT client = {};
        GetClientRect(hwnd(), &client);
        const std::int32_t factor = ClientFrameScale().factor;
        for (const Renderer::RowBand& band : renderer_.ChangedRows) {
            const DeviceRows rows = FrameRowsOnDevice(factor, band.top, band.bottom);
            if (rows.bottom > rows.top) {
                const RECT changed = {0, rows.top, client.right, rows.bottom};
                InvalidateRect(hwnd(), &changed, FALSE);
            }
        }
    }
    IconHandle graphIcon;
    const TrayIconMode mode = program_.settings.IconGraphMode;
    if (ShowsIconGraph(mode)) {
        Surface& frame = renderer_.picIconGraph[mode == TrayIconMode::Graph ? 0 : 1];
        renderer_.DrawIconGraph(frame);
        // The tray's size at this dpi, the 16-pixel graph enlarged by whole factors.
        graphIcon =
            MakeIconHandle(EnlargedIcon(MakeIconImage(frame, kButtonFaceColour), trayIconSize_));
    }
    TrayData.icon = graphIcon ? graphIcon.get() : ownSmallIcon_;
    TrayData.tip = TrayTipText(u);
    modTaskTray::ModifyTrayIcon(TrayData);
    // The tray has the new icon: the one it showed before goes.
    trayGraphIcon_ = std::move(graphIcon);
}

void fomMain::timCycle_Timer() {
    cycle_->Tick();
}

void fomMain::Form_Paint() {
    PAINTSTRUCT paint = {};
    const HDC dc = BeginPaint(hwnd(), &paint);
    if (dc == nullptr) {
        return;
    }
    // The one-pixel border of the graph, in the desktop's frame colour; a frame pixel is a
    // factor x factor square of device pixels.
    RECT client = {};
    GetClientRect(hwnd(), &client);
    PaintFrame(dc, client.right, client.bottom, renderer_.picGraph, WholeScaleFactor(PixelRatio()),
               GetSysColorBrush(COLOR_3DDKSHADOW));
    EndPaint(hwnd(), &paint);
}

void fomMain::Form_Resize() {
    const FrameScale frame = ClientFrameScale();
    renderer_.SetClientSize(frame.width, frame.height);
    renderer_.LayoutPictures();
    renderer_.GraphReady = false;
    if (!IsHidden(program_.settings.State)) {
        renderer_.DrawGraph();
    }
    InvalidateRect(hwnd(), nullptr, FALSE);
}

ScreenRect fomMain::FrameRect() const {
    RECT frame = {};
    GetWindowRect(hwnd(), &frame);
    return ToScreenRect(frame);
}

void fomMain::Form_GetMinMaxInfo(MINMAXINFO& info) {
    info.ptMinTrackSize.x = DeviceLength(kMinimumWidth, PixelRatio());
    info.ptMinTrackSize.y = DeviceLength(kMinimumHeight, PixelRatio());
}

void fomMain::Form_DpiChanged(UINT dpi, const RECT& suggested) {
    UseDpi(dpi);
    // The system's rectangle keeps the window's logical size on the new monitor.
    SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ResetPicture();
}

void fomMain::Form_MouseDown(int button, POINT at) {
    drag_.DownX = at.x;
    drag_.DownY = at.y;
    drag_.DownButton = button;
    if (button != 1) {
        return;
    }
    dragging_ = true;
    SetCapture(hwnd());
    SetCursor(LoadCursorW(nullptr, IDC_SIZEALL));
    POINT screen = at;
    ClientToScreen(hwnd(), &screen);
    drag_.WorkArea = GetWorkArea(screen);
}

void fomMain::Form_MouseMove(POINT at, bool leftDown) {
    if (!dragging_ || !leftDown) {
        return;
    }
    const bool modifier = IsShiftDown() || IsCtrlDown() || IsAltDown();
    const ScreenPoint to = DragWindow(drag_, FrameRect(), modifier, at.x, at.y);
    SetWindowPos(hwnd(), nullptr, to.x, to.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void fomMain::Form_MouseUp(int button, POINT at) {
    if (button == 1 && drag_.DownButton == 1 && dragging_) {
        Form_MouseMove(at, true);
        dragging_ = false;
        ReleaseCapture();
    } else if (button == 2 && drag_.DownButton == 2) {
        POINT screen = at;
        ClientToScreen(hwnd(), &screen);
        ShowPopup(screen);  // Form_Click
    }
}

void fomMain::ShowPopup(POINT screen) {
    MenuHandle menu(CreatePopupMenu());
    if (!menu) {
        return;
    }
    bool lastWasSeparator = true;  // no separator at the top, none doubled
    for (const MenuItem& item : PopupMenuItems(program_.settings.State)) {
        if (item.command == MenuCommand::None) {
            if (!lastWasSeparator) {
                AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
            }
            lastWasSeparator = true;
        } else {
            AppendMenuW(menu.get(), MF_STRING, kMenuBase + static_cast<UINT>(item.command),
                        Utf8ToWide(item.caption).c_str());
            lastWasSeparator = false;
        }
    }
    // The menu closes when the user clicks elsewhere only if our window is the foreground one,
    // and the message after it lets the tray see the menu has gone.
    SetForegroundWindow(hwnd());
    const UINT chosen =
        static_cast<UINT>(TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                         screen.x, screen.y, 0, hwnd(), nullptr));
    PostMessageW(hwnd(), WM_NULL, 0, 0);
    if (chosen > kMenuBase) {
        RunMenuCommand(static_cast<MenuCommand>(chosen - kMenuBase));
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

void fomMain::mnuHidden_Click() {
    if (IsHidden(program_.settings.State)) {
        program_.settings.State = WindowState::Shown;
        ResetPicture();
        ShowWindow(hwnd(), SW_SHOW);
    } else {
        ShowWindow(hwnd(), SW_HIDE);
        program_.settings.State = WindowState::Hidden;
    }
}

void fomMain::mnuSetup_Click() {
    if (setupShown_) {
        return;  // one setup dialog at a time
    }
    setupShown_ = true;
    {
        fomSetup setup(
            hwnd(), program_, comDlg_, TrayData.added, [this] { ResetPicture(); },
            ThemeEditor(program_), MakeAutostart());
        setup.Show();
    }
    setupShown_ = false;
    // Whatever way it closed, the drawing follows the settings; unless the program was closed
    // from the tray menu meanwhile, and its window with the dialog.
    if (window_) {
        ResetPicture();
    }
}

void fomMain::mnuVersion_Click() {
    if (versionBox_ != nullptr && versionBox_->hwnd() != nullptr) {
        // One about box at a time: asked again (from the tray menu), the open one comes forward,
        // to the top of the main window's band (it is owned by the main window).
        SetWindowPos(versionBox_->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(versionBox_->hwnd());
        return;
    }
    fomVersion box(hwnd(), program_.version);
    versionBox_ = &box;
    box.Show();
    versionBox_ = nullptr;
}

void fomMain::mnuHelp_Click() {
    ShowHelp(hwnd(), program_.helpFile, HelpContext::Contents);
}

void fomMain::mnuExit_Click() {
    Form_Close();
}

void fomMain::picIcon_MouseDown(int button, TrayMessage message) {
    switch (DecodeTrayCallback(button, message)) {
        case TrayAction::BringBack:
            BringBack();
            break;
        case TrayAction::OpenMenu: {
            POINT cursor = {};
            GetCursorPos(&cursor);
            ShowPopup(cursor);
            break;
        }
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
    if (IsWindowVisible(hwnd()) != FALSE) {
        SetForegroundWindow(hwnd());
    }
    if (plan.bringToFront) {
        BringToFront(hwnd());
    }
}

void fomMain::TaskbarRestarted() {
    // The new taskbar knows nothing of the old one's icons.
    TrayData.added = false;
    modTaskTray::AddTrayIcon(TrayData);
}

void fomMain::Form_Close() {
    Form_QueryUnload();
    if (window_) {
        DestroyWindow(hwnd());  // Form_Unload: the program ends with its main window
    }
}

void fomMain::Form_QueryUnload() {
    if (unloaded_ || !loaded_) {
        return;
    }
    unloaded_ = true;
    KillTimer(hwnd(), kCycleTimer);
    cycle_->StopSampling();
    modTaskTray::DeleteTrayIcon(TrayData);
    trayGraphIcon_.reset();
    // In logical pixels: the place as PlaceWindow reads it back, the size as large as it looks.
    const ScreenRect frame = FrameRect();
    const double screenRatio = DevicePixelRatioForDpi(static_cast<std::int32_t>(ScreenDpi()));
    program_.settings.Left = LogicalLength(frame.left, screenRatio);
    program_.settings.Top = LogicalLength(frame.top, screenRatio);
    program_.settings.Width = LogicalLength(frame.width(), PixelRatio());
    program_.settings.Height = LogicalLength(frame.height(), PixelRatio());
    SaveConfig(program_.settings, SettingsFilePath(), program_.version);
}

LRESULT CALLBACK fomMain::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<fomMain*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window_.reset(window);
    }
    auto* self = reinterpret_cast<fomMain*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        // The system destroys the window now: its owner lets go without destroying it again.
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_.release();
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->HandleMessage(message, wParam, lParam);
}

LRESULT fomMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (wParam == kCycleTimer) {
                timCycle_Timer();
            }
            return 0;
        case WM_SYSCOLORCHANGE:
            UseDesktopSystemColours();
            ResetPicture();
            return 0;
        case WM_SYSKEYDOWN:
            if (wParam == VK_F4) {
                // Handled here either way: the system would close the window with Shift or Ctrl
                // held as well.
                if (IsCloseKeystroke(true, (GetKeyState(VK_MENU) & 0x8000) != 0,
                                     (GetKeyState(VK_SHIFT) & 0x8000) != 0,
                                     (GetKeyState(VK_CONTROL) & 0x8000) != 0)) {
                    Form_Close();
                }
                return 0;
            }
            break;
        case WM_CLOSE:
            Form_Close();
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            if (wParam != FALSE) {
                Form_QueryUnload();  // the session ends: the settings are saved now
            }
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        case modTaskTray::kTrayCallbackMessage:
            picIcon_MouseDown(kTrayCallbackButton, static_cast<TrayMessage>(LOWORD(lParam)));
            return 0;
        case kBringBackMessage:
            BringBack();
            return 0;
        default:
            if (message == modTaskTray::TaskbarCreatedMessage()) {
                TaskbarRestarted();
                return 0;
            }
            break;
    }
    return HandleWindowMessage(message, wParam, lParam);
}

LRESULT fomMain::HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCALCSIZE:
            return wParam != FALSE ? 0 : DefWindowProcW(hwnd(), message, wParam, lParam);
        case WM_NCHITTEST:
            return SizingEdgeAt(FrameRect(), {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)},
                                DeviceLength(kResizeBorder, PixelRatio()));
        case WM_GETMINMAXINFO:
            Form_GetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
            return 0;
        case WM_SIZE:
            if (loaded_) {
                Form_Resize();
            }
            return 0;
        case WM_DPICHANGED:
            Form_DpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the frame covers everything
        case WM_PAINT:
            Form_Paint();
            return 0;
        case WM_CAPTURECHANGED:
            dragging_ = false;
            return 0;
        default:
            break;
    }
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
        return HandleMouse(message, wParam, lParam);
    }
    return DefWindowProcW(hwnd(), message, wParam, lParam);
}

LRESULT fomMain::HandleMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
        case WM_LBUTTONDOWN:
            Form_MouseDown(1, at);
            return 0;
        case WM_RBUTTONDOWN:
            Form_MouseDown(2, at);
            return 0;
        case WM_MBUTTONDOWN:
            Form_MouseDown(4, at);
            return 0;
        case WM_MOUSEMOVE:
            Form_MouseMove(at, (wParam & MK_LBUTTON) != 0);
            return 0;
        case WM_LBUTTONUP:
            Form_MouseUp(1, at);
            return 0;
        case WM_RBUTTONUP:
            Form_MouseUp(2, at);
            return 0;
        default:
            return DefWindowProcW(hwnd(), message, wParam, lParam);
    }
}

}  // namespace moravel
