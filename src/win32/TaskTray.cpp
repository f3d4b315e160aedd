#include "win32/TaskTray.h"

#include <algorithm>
#include <iterator>

#include "core/os/WideText_win.h"

namespace moravel::modTaskTray {

NOTIFYICONDATAW TrayRecord(const TrayData& data, UINT flags) {
    NOTIFYICONDATAW record = {};
    record.cbSize = sizeof(record);
    record.hWnd = data.window;
    record.uID = data.id;
    record.uFlags = flags;
    record.uCallbackMessage = kTrayCallbackMessage;
    record.hIcon = data.icon;
    const std::wstring tip = Utf8ToWide(data.tip);
    const std::size_t length = std::min(tip.size(), std::size(record.szTip) - 1);
    std::copy_n(tip.begin(), length, record.szTip);
    record.szTip[length] = L'\0';
    return record;
}

bool AddTrayIcon(TrayData& data) {
    NOTIFYICONDATAW record = TrayRecord(data, NIF_MESSAGE | NIF_ICON | NIF_TIP);
    // A shell busy at log-on may answer too late and still take the icon: adding it again fails
    // then, and changing it succeeds.
    data.added = Shell_NotifyIconW(NIM_ADD, &record) != FALSE ||
                 Shell_NotifyIconW(NIM_MODIFY, &record) != FALSE;
    return data.added;
}

bool ModifyTrayIcon(TrayData& data) {
    if (!data.added) {
        return false;
    }
    NOTIFYICONDATAW record = TrayRecord(data, NIF_ICON | NIF_TIP);
    return Shell_NotifyIconW(NIM_MODIFY, &record) != FALSE;
}

bool DeleteTrayIcon(TrayData& data) {
    if (!data.added) {
        return false;
    }
    NOTIFYICONDATAW record = TrayRecord(data, 0);
    data.added = false;
    return Shell_NotifyIconW(NIM_DELETE, &record) != FALSE;
}

UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

void HearTaskbarCreated(HWND window) {
    ChangeWindowMessageFilterEx(window, TaskbarCreatedMessage(), MSGFLT_ALLOW, nullptr);
}

std::optional<TrayClick> TrayClickOf(UINT mouseMessage) {
    switch (mouseMessage) {
        case WM_LBUTTONDBLCLK:
            return TrayClick::DoubleClick;
        case WM_RBUTTONUP:
            return TrayClick::RightClick;
        case WM_LBUTTONUP:
            return TrayClick::Click;
        default:
            return std::nullopt;
    }
}

}  // namespace moravel::modTaskTray
