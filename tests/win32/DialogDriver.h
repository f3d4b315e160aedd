// Driving a Win32 dialog from a test as a user would: clicks, list choices, keys and the message
// loop, through the messages the controls themselves send.
#pragma once

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "core/os/WideText_win.h"
#include "win32/DialogItems.h"

namespace moravel::test {

// Clicks the button `id` (BM_CLICK: pressed and released over it, as a mouse click).
inline void Click(HWND dialog, int id) {
    SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

// Picks row `row` of the drop-down list `id` and tells the dialog, as a choice in the list does.
inline void Pick(HWND dialog, int id, int row) {
    const HWND list = GetDlgItem(dialog, id);
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

// The row of list `id` showing `text`, -1 when none does.
inline int FindRow(HWND dialog, int id, const std::string& text) {
    for (int row = 0; row < RowCount(dialog, id); ++row) {
        if (RowText(dialog, id, row) == text) {
            return row;
        }
    }
    return -1;
}

inline std::vector<std::string> Rows(HWND dialog, int id) {
    std::vector<std::string> rows;
    for (int row = 0; row < RowCount(dialog, id); ++row) {
        rows.push_back(RowText(dialog, id, row));
    }
    return rows;
}

inline std::string SelectedText(HWND dialog, int id) {
    const int row = SelectedRow(dialog, id);
    return row < 0 ? std::string() : RowText(dialog, id, row);
}

// Runs the messages waiting for the thread as a dialog's message loop does: the dialog manager
// sees each one first.
inline void RunDialogMessages(HWND dialog) {
    MSG message = {};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
        if (dialog == nullptr || IsWindow(dialog) == FALSE ||
            IsDialogMessageW(dialog, &message) == FALSE) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

// A key pressed on `control` (by default the one that has the keyboard, or the dialog while it
// is not shown), through the message loop of the dialog.
inline void PressKey(HWND dialog, WPARAM key, HWND control = nullptr) {
    if (control == nullptr) {
        control = GetFocus() != nullptr ? GetFocus() : dialog;
    }
    PostMessageW(control, WM_KEYDOWN, key, 1);
    RunDialogMessages(dialog);
    RunDialogMessages(dialog);  // what the key itself posted (the help key's message)
}

// A key typed on the keyboard: pressed and released, as input of the system.
inline void TypeKey(WORD key) {
    INPUT input[2] = {};
    input[0].type = INPUT_KEYBOARD;
    input[0].ki.wVk = key;
    input[1] = input[0];
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

// Runs the thread's messages as the message loop of `dialog` (null: of no dialog) does, until
// `done` holds or `timeout` passes; whether it held.
inline bool PumpUntil(HWND dialog, const std::function<bool()>& done,
                      std::chrono::milliseconds timeout = std::chrono::milliseconds(3000)) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        RunDialogMessages(dialog);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

inline bool PumpUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds timeout = std::chrono::milliseconds(3000)) {
    return PumpUntil(nullptr, done, timeout);
}

inline void PumpFor(std::chrono::milliseconds time) {
    PumpUntil([] { return false; }, time);
}

inline std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)), L'\0');
    GetWindowTextW(window, text.data(), static_cast<int>(text.size()) + 1);
    return text;
}

// The size of a control's caption, without its access key's mark, in the control's font.
inline SIZE CaptionSize(HWND control) {
    std::wstring text = WindowText(control);
    if (const auto amp = text.find(L'&'); amp != std::wstring::npos) {
        text.erase(amp, 1);
    }
    const HDC dc = GetDC(control);
    const HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE size = {};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return size;
}

// The controls of `dialog` whose caption does not fit them in their own font, or, with `ascii`,
// holds more than ASCII: "id text" each. A check box or option button gives its square and a
// gap, a push button its edges, a group box its corners; lists, edit boxes, captions of more
// than one line and captions cut short with an ellipsis are left out.
inline std::vector<std::string> CaptionFaults(HWND dialog, bool ascii) {
    struct Search {
        std::vector<std::string> faults;
        bool ascii;
    } search{{}, ascii};
    EnumChildWindows(
        dialog,
        [](HWND control, LPARAM parameter) -> BOOL {
            auto& found = *reinterpret_cast<Search*>(parameter);
            wchar_t className[32] = {};
            GetClassNameW(control, className, 32);
            const std::wstring text = WindowText(control);
            const std::wstring kind = className;
            const LONG style = GetWindowLongW(control, GWL_STYLE);
            if (text.empty() || (kind != L"Button" && kind != L"Static") ||
                (kind == L"Static" && (style & SS_ENDELLIPSIS) != 0)) {
                return TRUE;
            }
            const std::string name = std::to_string(GetDlgCtrlID(control)) + " " + WideToUtf8(text);
            if (found.ascii &&
                std::any_of(text.begin(), text.end(), [](wchar_t c) { return c > 0x7E; })) {
                found.faults.push_back(name);
            }
            RECT box = {};
            GetClientRect(control, &box);
            const SIZE size = CaptionSize(control);
            if (size.cy * 3 / 2 < box.bottom) {
                return TRUE;  // room for more than one line: the caption wraps
            }
            const LONG type = style & BS_TYPEMASK;
            LONG room = box.right;
            if (kind == L"Button") {
                const bool square = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX ||
                                    type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON ||
                                    type == BS_3STATE || type == BS_AUTO3STATE;
                room -= (style & BS_PUSHLIKE) == 0 && square ? GetSystemMetrics(SM_CXMENUCHECK) + 4
                        : type == BS_GROUPBOX                ? 16
                                                             : 4;
            }
            if (size.cx > room) {
                found.faults.push_back(name + " (" + std::to_string(size.cx) + " > " +
                                       std::to_string(room) + ")");
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.faults;
}

}  // namespace moravel::test
