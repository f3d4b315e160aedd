// Driving a Win32 dialog from a test as a user would: clicks, list choices, keys and the message
// loop, through the messages the controls themselves send.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

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

}  // namespace moravel::test
