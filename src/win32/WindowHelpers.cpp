#include "win32/WindowHelpers.h"

#include <string>

namespace moravel {
namespace {

// Z-order only: the window that has the keyboard keeps it (a dialog open over the main window
// when that is put on top again, say).
constexpr UINT kKeepPlaceAndSize = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;

bool KeyDown(int key) {
    return (GetKeyState(key) & 0x8000) != 0 || (GetAsyncKeyState(key) & 0x8000) != 0;
}

BOOL CALLBACK AddScreen(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(monitor, &info) != 0) {
        auto& screens = *reinterpret_cast<std::vector<ScreenArea>*>(data);
        const ScreenArea screen{ToScreenRect(info.rcMonitor), ToScreenRect(info.rcWork)};
        if ((info.dwFlags & MONITORINFOF_PRIMARY) != 0) {
            screens.insert(screens.begin(), screen);
        } else {
            screens.push_back(screen);
        }
    }
    return TRUE;
}

// DwmSetWindowAttribute, from the system's dwmapi.dll, loaded for the rest of the run; null where
// there is none. Linking it would add a DLL to those the program needs to start.
using SetWindowAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
SetWindowAttributeFn DwmSetWindowAttributeFunction() {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return nullptr;
    }
    const HMODULE dwm = LoadLibraryW((std::wstring(folder, length) + L"\\dwmapi.dll").c_str());
    if (dwm == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<SetWindowAttributeFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(dwm, "DwmSetWindowAttribute")));
}

}  // namespace

ScreenRect ToScreenRect(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

void SetTopMost(HWND window) {
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, kKeepPlaceAndSize);
}

void ResetTopMost(HWND window) {
    SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, kKeepPlaceAndSize);
}

void KeepSquareCorners(HWND window) {
    constexpr DWORD kWindowCornerPreference = 33;  // DWMWA_WINDOW_CORNER_PREFERENCE
    constexpr int kDoNotRound = 1;                 // DWMWCP_DONOTROUND
    static const SetWindowAttributeFn setAttribute = DwmSetWindowAttributeFunction();
    if (setAttribute != nullptr) {
        // Refused before Windows 11; nothing to do then.
        setAttribute(window, kWindowCornerPreference, &kDoNotRound, sizeof(kDoNotRound));
    }
}

void BringToFront(HWND window) {
    SetTopMost(window);
    ResetTopMost(window);
}

void RaiseDialog(HWND dialog) {
    for (HWND owner = GetWindow(dialog, GW_OWNER); owner != nullptr;
         owner = GetWindow(owner, GW_OWNER)) {
        if ((GetWindowLongPtrW(owner, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) {
            SetWindowPos(dialog, HWND_TOP, 0, 0, 0, 0, kKeepPlaceAndSize);
            return;
        }
    }
    BringToFront(dialog);
}

ScreenRect GetWorkArea() {
    RECT area = {0, 0, 640, 480};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return ToScreenRect(area);
}

ScreenRect GetWorkArea(POINT point) {
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    const HMONITOR monitor = MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST);
    if (monitor == nullptr || GetMonitorInfoW(monitor, &info) == 0) {
        return GetWorkArea();
    }
    return ToScreenRect(info.rcWork);
}

std::vector<ScreenArea> ScreenAreas() {
    std::vector<ScreenArea> screens;
    EnumDisplayMonitors(nullptr, nullptr, &AddScreen, reinterpret_cast<LPARAM>(&screens));
    return screens;
}

bool IsShiftDown() {
    return KeyDown(VK_SHIFT);
}

bool IsCtrlDown() {
    return KeyDown(VK_CONTROL);
}

bool IsAltDown() {
    return KeyDown(VK_MENU);
}

void PlaceDialog(HWND dialog, HWND owner, PlaceMode mode) {
    RECT frame = {};
    RECT client = {};
    RECT dialogFrame = {};
    if (GetWindowRect(owner, &frame) == 0 || GetClientRect(owner, &client) == 0 ||
        GetWindowRect(dialog, &dialogFrame) == 0) {
        return;
    }
    const ScreenRect ownerRect = ToScreenRect(frame);
    const std::int32_t caption = ownerRect.height() - (client.bottom - client.top);
    const POINT centre = {(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2};
    const ScreenRect dialogRect = ToScreenRect(dialogFrame);
    const ScreenPoint p = moravel::PlaceDialog(dialogRect.width(), dialogRect.height(), ownerRect,
                                               caption, GetWorkArea(centre), mode);
    SetWindowPos(dialog, nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace moravel
