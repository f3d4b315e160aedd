#include "win32/fomVersion.h"

#include <span>

#include "core/app/Texts.h"
#include "core/config/Config.h"
#include "core/os/WideText_win.h"
#include "win32/DialogItems.h"
#include "win32/SurfaceDisplay.h"
#include "win32/WicImageLoader.h"
#include "win32/WindowHelpers.h"
#include "win32/fomVersionResources.h"

namespace moravel {
namespace {

constexpr UINT_PTR kPressTimer = 1;
constexpr int kProgramIcon = 1;   // the program's icon among its resources
constexpr int kPictureSize = 52;  // the frames' 48 pixels with a margin round them

// The bytes of the program's RCDATA resource `id`; empty when it has none.
std::span<const std::uint8_t> ResourceBytes(int id) {
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), RT_RCDATA);
    const HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr) {
        return {};
    }
    return {static_cast<const std::uint8_t*>(data), SizeofResource(module, found)};
}

// The button of a mouse message, as the program counts them (1 left, 2 right, 4 middle).
std::int32_t ButtonOf(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_LBUTTONUP:
            return 1;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_RBUTTONUP:
            return 2;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
        case WM_MBUTTONUP:
            return 4;
        default:
            return 0;
    }
}

bool IsRelease(UINT message) {
    return message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP;
}

void SetProgramIcon(HWND window, WPARAM which, int metricX, int metricY) {
    const auto icon = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kProgramIcon), IMAGE_ICON,
                   GetSystemMetrics(metricX), GetSystemMetrics(metricY), LR_SHARED));
    if (icon != nullptr) {
        SendMessageW(window, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
    }
}

}  // namespace

std::array<Surface, kPressFrames> LoadPressFrames() {
    std::array<Surface, kPressFrames> frames;
    for (std::int32_t i = 0; i < kPressFrames; ++i) {
        Surface& frame = frames[static_cast<std::size_t>(i)];
        frame.SetBackColor(kButtonFaceColour);
        LoadPictureBytes(ResourceBytes(IDR_VERSION_FRAME0 + i), frame);
    }
    return frames;
}

fomVersion::fomVersion(HWND mainWindow, const ProgramVersion& version)
    : mainWindow_(mainWindow), version_(version), picAnime_(LoadPressFrames()) {}

fomVersion::~fomVersion() {
    if (hwnd_ != nullptr && !modal_) {
        DestroyWindow(hwnd_);
    }
}

void fomVersion::Show() {
    modal_ = true;
    RunDialog(IDD_VERSION, mainWindow_, &fomVersion::DialogProc, reinterpret_cast<LPARAM>(this));
}

HWND fomVersion::Create() {
    modal_ = false;
    MakeDialog(IDD_VERSION, mainWindow_, &fomVersion::DialogProc, reinterpret_cast<LPARAM>(this));
    return hwnd_;
}

INT_PTR CALLBACK fomVersion::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return ServeDialog(dialog, message, wParam, lParam, &fomVersion::hwnd_,
                       &fomVersion::HandleMessage);
}

INT_PTR fomVersion::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            Form_Load();
            return TRUE;
        case WM_NCDESTROY:
            timerRunning_ = false;  // the timer went with the window
            return FALSE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                cmdOk_Click();
            }
            return TRUE;
        case WM_TIMER:
            if (wParam == kPressTimer) {
                timPress_Timer();
            }
            return TRUE;
        case WM_DRAWITEM:
            if (wParam != IDC_VERSION_PICTURE) {
                return FALSE;
            }
            picIcon_Paint(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_CAPTURECHANGED:
            // The releases of buttons held while another window took the mouse never come.
            for (const std::int32_t button : {1, 2, 4}) {
                if ((press_.PressButtons & button) != 0 &&
                    reinterpret_cast<HWND>(lParam) != hwnd_) {
                    picIcon_MouseUp(button);
                }
            }
            return TRUE;
        default:
            return HandleMouse(message, lParam) ? TRUE : FALSE;
    }
}

// The picture lets the mouse through to the dialog (a static control without SS_NOTIFY): a
// press on it sinks the scale, and the dialog holds the mouse until every button is released.
bool fomVersion::HandleMouse(UINT message, LPARAM lParam) {
    const std::int32_t button = ButtonOf(message);
    if (button == 0) {
        return false;
    }
    if (IsRelease(message)) {
        if ((press_.PressButtons & button) != 0) {
            picIcon_MouseUp(button);
        }
        if (press_.PressButtons == 0 && GetCapture() == hwnd_) {
            ReleaseCapture();
        }
        return true;
    }
    const POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const RECT picture = ItemRect(hwnd_, IDC_VERSION_PICTURE);
    if (PtInRect(&picture, at) != FALSE) {
        picIcon_MouseDown(button);
        SetCapture(hwnd_);
    }
    return true;
}

void fomVersion::Form_Load() {
    SetWindowTextW(hwnd_, Utf8ToWide(Localised(kAboutCaption)).c_str());
    SetProgramIcon(hwnd_, ICON_BIG, SM_CXICON, SM_CYICON);
    SetProgramIcon(hwnd_, ICON_SMALL, SM_CXSMICON, SM_CYSMICON);
    SetItemText(hwnd_, IDC_VERSION_LABEL1,
                VersionLine(kAppTitle, version_.Major, version_.Minor, version_.Revision));
    SetItemText(hwnd_, IDC_VERSION_LABEL2, Localised(kRightsNotice));
    SetItemText(hwnd_, IDC_VERSION_LABEL3, Localised(kLegalNotice));
    SetWindowPos(GetDlgItem(hwnd_, IDC_VERSION_PICTURE), nullptr, 0, 0, kPictureSize, kPictureSize,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    press_ = PressAnimation{};
    ShowFrame();
    if (mainWindow_ != nullptr && IsWindowVisible(mainWindow_) != FALSE) {
        PlaceDialog(hwnd_, mainWindow_, PlaceMode::Beside);
    }
}

void fomVersion::picIcon_MouseDown(std::int32_t button) {
    // The first step is taken at once.
    if (press_.MouseDown(button)) {
        StartTimer();
    } else {
        StopTimer();
    }
    ShowFrame();
}

void fomVersion::picIcon_MouseUp(std::int32_t button) {
    if (press_.MouseUp(button)) {
        StartTimer();
    } else {
        StopTimer();
    }
}

void fomVersion::timPress_Timer() {
    if (!press_.Step()) {
        StopTimer();
    }
    ShowFrame();
}

void fomVersion::cmdOk_Click() {
    StopTimer();
    if (modal_) {
        EndDialog(hwnd_, IDOK);
    } else {
        DestroyWindow(hwnd_);
    }
}

void fomVersion::StartTimer() {
    timerRunning_ = SetTimer(hwnd_, kPressTimer, kPressIntervalMs, nullptr) != 0;
}

void fomVersion::StopTimer() {
    if (timerRunning_) {
        KillTimer(hwnd_, kPressTimer);
        timerRunning_ = false;
    }
}

void fomVersion::ShowFrame() {
    const HWND picture = GetDlgItem(hwnd_, IDC_VERSION_PICTURE);
    InvalidateRect(picture, nullptr, FALSE);
    UpdateWindow(picture);
}

void fomVersion::picIcon_Paint(const DRAWITEMSTRUCT& item) {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_3DFACE));
    const Surface& frame = picAnime_[static_cast<std::size_t>(press_.PressFrame)];
    const std::int32_t x = (item.rcItem.right - item.rcItem.left - frame.Width()) / 2;
    const std::int32_t y = (item.rcItem.bottom - item.rcItem.top - frame.Height()) / 2;
    PaintSurface(item.hDC, item.rcItem.left + x, item.rcItem.top + y, frame);
}

}  // namespace moravel
