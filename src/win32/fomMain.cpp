#include "win32/fomMain.h"

#include <windowsx.h>

#include "core/config/Config.h"
#include "core/os/Autostart.h"
#include "core/os/FileSystem.h"
#include "core/os/WideText_win.h"
#include "win32/Dpi.h"
#include "win32/FrameEdges.h"
#include "win32/IconFromImage.h"
#include "win32/PopupMenu.h"
#include "win32/SurfaceDisplay.h"
#include "win32/SystemColours.h"
#include "win32/fomSetup.h"
#include "win32/fomThemeSetup.h"
#include "win32/fomVersion.h"

namespace moravel {
namespace {

constexpr UINT_PTR kCycleTimer = 1;
constexpr int kProgramIcon = 1;  // the icon's resource identifier

HICON ProgramIcon(int width, int height) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kProgramIcon),
                                         IMAGE_ICON, width, height, LR_SHARED));
}

// The primary screen's device pixels per logical pixel, as the program was started with it.
double ScreenRatio() {
    return DevicePixelRatioForDpi(static_cast<std::int32_t>(ScreenDpi()));
}

}  // namespace

std::wstring fomMain::ClassName(const std::string& instanceName) {
    return L"Moravel." + Utf8ToWide(instanceName);
}

fomMain::fomMain(ProgramState& program, std::wstring className, std::unique_ptr<CpuSampler> sampler,
                 std::unique_ptr<MonotonicClock> clock)
    : className_(std::move(className)),
      session_(program, *this, fonts_, images_, std::move(sampler), std::move(clock)),
      ownIcon_(ProgramIcon(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON))),
      ownSmallIcon_(ProgramIcon(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON))) {}

fomMain::~fomMain() {
    session_.Shutdown();
    if (window_) {
        // Still there: it goes after the members its handlers use, and no longer reaches them.
        SetWindowLongPtrW(hwnd(), GWLP_USERDATA, 0);
    }
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
    const HWND window = CreateWindowExW(
        0, className_.c_str(), Utf8ToWide(kAppTitle).c_str(), WS_POPUP | WS_THICKFRAME,
        CW_USEDEFAULT, CW_USEDEFAULT, MonitorSession::kDesignedWidth,
        MonitorSession::kDesignedHeight, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (window == nullptr) {
        return false;
    }
    UseDpi(WindowDpi(window));
    KeepSquareCorners(window);
    modTaskTray::HearTaskbarCreated(window);
    TrayData.window = window;
    TrayData.icon = ownSmallIcon_;
    // The taskbar remembers where the user put the icon by this identity, one for each place the
    // program runs from.
    if (const std::string path = ExecutablePath(); !path.empty()) {
        TrayData.guid = modTaskTray::ToWindowsGuid(TrayIconGuid(path));
    }
    return true;
}

void fomMain::UseDpi(UINT dpi) {
    pixelRatio_ = DevicePixelRatioForDpi(static_cast<std::int32_t>(dpi));
    fonts_.SetDpi(FrameFontDpi(static_cast<std::int32_t>(dpi)));
    trayIconSize_ = SmallIconSize(ScreenDpi());
}

ClientArea fomMain::Client() const {
    RECT client = {};
    GetClientRect(hwnd(), &client);
    return {client.right, client.bottom, pixelRatio_};
}

Desktop fomMain::Screens() const {
    Desktop desktop;
    desktop.primary = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    desktop.primaryDeviceWidth = desktop.primary.width();
    desktop.primaryPixelRatio = ScreenRatio();
    desktop.screens = ScreenAreas();  // the primary screen first
    return desktop;
}

WindowScales fomMain::Scales() const {
    // The place as the primary screen counts it, the size as the window's monitor does; a window
    // that lands on a monitor of another dpi is fitted to it by WM_DPICHANGED.
    return {ScreenRatio(), pixelRatio_};
}

ScreenRect fomMain::WindowRect() const {
    RECT frame = {};
    GetWindowRect(hwnd(), &frame);
    return ToScreenRect(frame);
}

void fomMain::PlaceWindow(const ScreenRect& frame) {
    // The frame is recalculated too: the window was made with the sizing frame's look, which
    // WM_NCCALCSIZE takes away, and an unchanged size would keep it.
    SetWindowPos(hwnd(), nullptr, frame.left, frame.top, frame.width(), frame.height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void fomMain::MoveWindow(ScreenPoint topLeft) {
    SetWindowPos(hwnd(), nullptr, topLeft.x, topLeft.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void fomMain::ShowWindow(bool shown) {
    ::ShowWindow(hwnd(), shown ? SW_SHOW : SW_HIDE);
    if (shown) {
        UpdateWindow(hwnd());
    }
}

void fomMain::SetTopMost(bool onTop) {
    onTop ? moravel::SetTopMost(hwnd()) : ResetTopMost(hwnd());
}

void fomMain::Activate() {
    if (IsWindowVisible(hwnd()) != FALSE) {
        SetForegroundWindow(hwnd());
    }
}

void fomMain::Repaint(std::int32_t top, std::int32_t bottom) {
    if (top < 0) {
        InvalidateRect(hwnd(), nullptr, FALSE);
        return;
    }
    RECT rows = {};
    GetClientRect(hwnd(), &rows);
    rows.top = top;
    rows.bottom = bottom;
    InvalidateRect(hwnd(), &rows, FALSE);
}

void fomMain::SetDragging(bool dragging, WindowCursor cursor) {
    if (dragging) {
        SetCapture(hwnd());
    } else {
        ReleaseCapture();
    }
    SetCursor(LoadCursorW(nullptr, cursor == WindowCursor::Move ? IDC_SIZEALL : IDC_ARROW));
}

void fomMain::SetTicking(bool ticking) {
    if (ticking) {
        SetTimer(hwnd(), kCycleTimer, MonitorSession::kTickMilliseconds, nullptr);
    } else {
        KillTimer(hwnd(), kCycleTimer);
    }
}

bool fomMain::AddTrayIcon() {
    // With what the icon shows now: the program's own icon at first; the last picture and tip
    // when a restarted tray (or one that took nothing before) gets it.
    if (!TrayData.added) {
        modTaskTray::AddTrayIcon(TrayData);
    }
    return TrayData.added;
}

void fomMain::SetTrayIcon(const IconImage* picture, bool newPicture, const std::string& tip) {
    IconHandle shownBefore;  // destroyed once the tray has the new icon
    if (newPicture) {
        // At the tray's size for this dpi: the 16-pixel graph enlarged by whole factors.
        shownBefore =
            std::exchange(trayGraphIcon_,
                          picture != nullptr ? MakeIconHandle(EnlargedIcon(*picture, trayIconSize_))
                                             : IconHandle());
        TrayData.icon = trayGraphIcon_ ? trayGraphIcon_.get() : ownSmallIcon_;
    }
    TrayData.tip = tip;
    modTaskTray::ModifyTrayIcon(TrayData);
}

bool fomMain::ShowAlert(const std::string& title, const std::string& text) {
    // A balloon needs the tray icon; without one the session puts the alert in the tip, which
    // the icon shows once it is back.
    return modTaskTray::ShowTrayBalloon(TrayData, title, text);
}

void fomMain::RemoveTrayIcon() {
    modTaskTray::DeleteTrayIcon(TrayData);
    TrayData.icon = ownSmallIcon_;
    trayGraphIcon_.reset();
}

void fomMain::OpenPopupMenu() {
    POINT mouse = {};
    GetCursorPos(&mouse);
    const MenuCommand chosen = ChooseFromPopupMenu(hwnd(), session_.PopupMenu(), mouse);
    if (chosen != MenuCommand::None) {
        session_.Command(chosen);
    }
}

void fomMain::RunSetupDialog() {
    ProgramState& program = session_.Program();
    // Its 編集... button runs the theme editor over program.editorTheme.
    const auto editTheme = [&program](HWND owner) { fomThemeSetup(owner, program).Edit(); };
    fomSetup setup(
        hwnd(), program, comDlg_, session_.HasTrayHost(), [this] { session_.ResetPicture(); },
        editTheme, MakeAutostart());
    setup.Show();
}

void fomMain::RunAboutBox() {
    fomVersion box(hwnd(), session_.Program().version);
    versionBox_ = &box;
    box.Show();
    versionBox_ = nullptr;
}

void fomMain::RaiseAboutBox() {
    if (versionBox_ != nullptr && versionBox_->hwnd() != nullptr) {
        // To the top of the main window's band (the main window owns it).
        SetWindowPos(versionBox_->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(versionBox_->hwnd());
    }
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
    PaintFrame(dc, client.right, client.bottom, session_.Frame(), session_.FrameFactor(),
               GetSysColorBrush(COLOR_3DDKSHADOW));
    EndPaint(hwnd(), &paint);
}

void fomMain::Form_GetMinMaxInfo(MINMAXINFO& info) const {
    info.ptMinTrackSize.x = DeviceLength(MonitorSession::kMinimumWidth, pixelRatio_);
    info.ptMinTrackSize.y = DeviceLength(MonitorSession::kMinimumHeight, pixelRatio_);
}

void fomMain::Form_DpiChanged(UINT dpi, const RECT& suggested) {
    UseDpi(dpi);
    // The system's rectangle keeps the window's logical size on the new monitor.
    SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    session_.DisplayChanged();
}

void fomMain::picIcon_MouseDown(UINT mouseMessage) {
    if (mouseMessage == NIN_BALLOONUSERCLICK) {
        session_.BringBack();  // the alert's balloon
        return;
    }
    if (const std::optional<TrayClick> click = modTaskTray::TrayClickOf(mouseMessage)) {
        session_.TrayClicked(*click);
    }
}

void fomMain::TaskbarRestarted() {
    // The new taskbar knows nothing of the old one's icons.
    TrayData.added = false;
    session_.TrayRestarted();
}

void fomMain::AnnounceUsage() {
    AnnounceValue(hwnd());
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
                session_.Tick();  // timCycle_Timer
            }
            return 0;
        case WM_SYSCOLORCHANGE:
            UseDesktopSystemColours();
            session_.DisplayChanged();
            return 0;
        case WM_SYSKEYDOWN:
            // Alt+F4 is handled here either way: the system would close the window with Shift or
            // Ctrl held as well.
            if (wParam == VK_F4 &&
                session_.KeyPressed(true, IsAltDown(), IsShiftDown(), IsCtrlDown())) {
                return 0;
            }
            break;
        case WM_CLOSE:
            session_.Close();
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            if (wParam != FALSE) {
                session_.Shutdown();  // the session ends: the settings are saved now
            }
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        case modTaskTray::kTrayCallbackMessage:
            picIcon_MouseDown(LOWORD(lParam));
            return 0;
        case kBringBackMessage:
            session_.BringBack();
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
            return SizingEdgeAt(WindowRect(), {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)},
                                DeviceLength(MonitorSession::kResizeBorder, pixelRatio_));
        case WM_GETMINMAXINFO:
            Form_GetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
            return 0;
        case WM_SIZE:
            session_.Resized();  // Form_Resize
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
            session_.MouseCaptureLost();
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) {
                session_.Activated();
            }
            break;  // the system gives the window the focus
        case WM_GETOBJECT:
            return graph_.AnswerGetObject(hwnd(), wParam, lParam);
        default:
            break;
    }
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
        return HandleMouse(message, wParam, lParam);
    }
    if (const std::optional<FrameButton> button = FrameButtonOf(message)) {
        return SizingBand_Mouse(*button, message, wParam, lParam);
    }
    return DefWindowProcW(hwnd(), message, wParam, lParam);
}

// A button on the sizing band (`hit` its edge): the session's rule says whether the system sizes
// the window from it, it does nothing, or it is a click on the window as anywhere else in it.
LRESULT fomMain::SizingBand_Mouse(FrameButton button, UINT message, WPARAM hit, LPARAM lParam) {
    if (!IsSizingEdge(hit)) {
        return DefWindowProcW(hwnd(), message, hit, lParam);
    }
    switch (RouteSizingBandButton(button.button, button.action)) {
        case SizingBandRoute::System:
            return DefWindowProcW(hwnd(), message, hit, lParam);
        case SizingBandRoute::Nothing:
            return 0;
        case SizingBandRoute::Window:
            break;
    }
    const ScreenPoint mouse{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    POINT at = {mouse.x, mouse.y};
    ScreenToClient(hwnd(), &at);
    if (button.action == MouseAction::Release) {
        const bool modifier = IsShiftDown() || IsCtrlDown() || IsAltDown();
        session_.MouseReleased(button.button, modifier, mouse, at.x, at.y);
    } else {
        session_.MousePressed(button.button, mouse, at.x, at.y);
    }
    return 0;
}

LRESULT fomMain::HandleMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    POINT screen = at;
    ClientToScreen(hwnd(), &screen);
    const ScreenPoint mouse{screen.x, screen.y};
    const bool modifier = IsShiftDown() || IsCtrlDown() || IsAltDown();
    constexpr WPARAM kButtons = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON | MK_XBUTTON1 | MK_XBUTTON2;
    switch (message) {
        case WM_LBUTTONDOWN:
            session_.MousePressed(1, mouse, at.x, at.y);  // Form_MouseDown
            return 0;
        case WM_RBUTTONDOWN:
            session_.MousePressed(2, mouse, at.x, at.y);
            return 0;
        case WM_MBUTTONDOWN:
            session_.MousePressed(4, mouse, at.x, at.y);
            return 0;
        case WM_MOUSEMOVE:
            session_.MouseMoved((wParam & kButtons) == MK_LBUTTON, modifier, mouse, at.x, at.y);
            return 0;
        case WM_LBUTTONUP:
            session_.MouseReleased(1, modifier, mouse, at.x, at.y);  // Form_MouseUp
            return 0;
        case WM_RBUTTONUP:
            session_.MouseReleased(2, modifier, mouse, at.x, at.y);
            return 0;
        default:
            return DefWindowProcW(hwnd(), message, wParam, lParam);
    }
}

}  // namespace moravel
