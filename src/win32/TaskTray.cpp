#include "win32/TaskTray.h"

#include <algorithm>
#include <iterator>

#include "core/os/WideText_win.h"

namespace moravel::modTaskTray {

namespace {

// Adds the icon by the identity `data` names now.
bool Add(TrayData& data) {
    NOTIFYICONDATAW record = TrayRecord(data, NIF_MESSAGE | NIF_ICON | NIF_TIP);
    // A shell busy at log-on may answer too late and still take the icon: adding it again fails
    // then, and changing it succeeds.
    data.added = data.shell(NIM_ADD, record) || data.shell(NIM_MODIFY, record);
    return data.added;
}

}  // namespace

GUID ToWindowsGuid(const Guid& guid) {
    const auto& b = guid.bytes;
    GUID windows = {};
    windows.Data1 = static_cast<unsigned long>(b[0]) << 24 |
                    static_cast<unsigned long>(b[1]) << 16 | static_cast<unsigned long>(b[2]) << 8 |
                    b[3];
    windows.Data2 = static_cast<unsigned short>(b[4] << 8 | b[5]);
    windows.Data3 = static_cast<unsigned short>(b[6] << 8 | b[7]);
    std::copy(b.begin() + 8, b.end(), std::begin(windows.Data4));
    return windows;
}

namespace {

// `text` into `field` of `size` UTF-16 units, cut to leave room for the NUL.
void CopyCut(const std::string& text, wchar_t* field, std::size_t size) {
    const std::wstring wide = Utf8ToWide(text);
    const std::size_t length = std::min(wide.size(), size - 1);
    std::copy_n(wide.begin(), length, field);
    field[length] = L'\0';
}

}  // namespace

NOTIFYICONDATAW TrayRecord(const TrayData& data, UINT flags) {
    NOTIFYICONDATAW record = {};
    record.cbSize = sizeof(record);
    record.hWnd = data.window;
    record.uID = data.id;
    record.uFlags = flags;
    if (data.byGuid && data.guid) {
        record.uFlags |= NIF_GUID;
        record.guidItem = *data.guid;
    }
    record.uCallbackMessage = kTrayCallbackMessage;
    record.hIcon = data.icon;
    CopyCut(data.tip, record.szTip, std::size(record.szTip));
    return record;
}

bool AddTrayIcon(TrayData& data) {
    data.byGuid = data.guid.has_value();
    if (!Add(data) && data.byGuid) {
        data.byGuid = false;
        Add(data);
    }
    return data.added;
}

bool ModifyTrayIcon(TrayData& data) {
    if (!data.added) {
        return false;
    }
    NOTIFYICONDATAW record = TrayRecord(data, NIF_ICON | NIF_TIP);
    return data.shell(NIM_MODIFY, record);
}

bool ShowTrayBalloon(TrayData& data, const std::string& title, const std::string& text) {
    if (!data.added) {
        return false;
    }
    NOTIFYICONDATAW record = TrayRecord(data, NIF_INFO);
    CopyCut(title, record.szInfoTitle, std::size(record.szInfoTitle));
    CopyCut(text.empty() ? title : text, record.szInfo, std::size(record.szInfo));
    record.dwInfoFlags = NIIF_WARNING;
    return data.shell(NIM_MODIFY, record);
}

bool DeleteTrayIcon(TrayData& data) {
    if (!data.added) {
        return false;
    }
    NOTIFYICONDATAW record = TrayRecord(data, 0);
    data.added = false;
    return data.shell(NIM_DELETE, record);
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
