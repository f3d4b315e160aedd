#include "win32/DialogItems.h"

#include <vector>

#include "core/app/Texts.h"
#include "core/os/WideText_win.h"

namespace moravel {

void SetItemText(HWND dialog, int id, std::string_view text) {
    SetDlgItemTextW(dialog, id, Utf8ToWide(text).c_str());
}

std::string ItemText(HWND dialog, int id) {
    const HWND item = GetDlgItem(dialog, id);
    const int length = GetWindowTextLengthW(item);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(item, text.data(), length + 1)));
    return WideToUtf8(text);
}

void SetChecked(HWND dialog, int id, bool checked) {
    CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool IsChecked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void EnableItem(HWND dialog, int id, bool enabled) {
    EnableWindow(GetDlgItem(dialog, id), enabled ? TRUE : FALSE);
}

bool IsItemEnabled(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

void ShowItem(HWND dialog, int id, bool shown) {
    ShowWindow(GetDlgItem(dialog, id), shown ? SW_SHOWNA : SW_HIDE);
}

void ClearRows(HWND dialog, int id) {
    SendDlgItemMessageW(dialog, id, CB_RESETCONTENT, 0, 0);
}

void AddRow(HWND dialog, int id, std::string_view text, LPARAM data) {
    const std::wstring wide = Utf8ToWide(text);
    const LRESULT row = SendDlgItemMessageW(dialog, id, CB_INSERTSTRING, static_cast<WPARAM>(-1),
                                            reinterpret_cast<LPARAM>(wide.c_str()));
    if (row >= 0) {
        SendDlgItemMessageW(dialog, id, CB_SETITEMDATA, static_cast<WPARAM>(row), data);
    }
}

int SelectedRow(HWND dialog, int id) {
    return static_cast<int>(SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0));
}

void SelectRow(HWND dialog, int id, int row) {
    SendDlgItemMessageW(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

int RowCount(HWND dialog, int id) {
    return static_cast<int>(SendDlgItemMessageW(dialog, id, CB_GETCOUNT, 0, 0));
}

std::string RowText(HWND dialog, int id, int row) {
    const LRESULT length =
        SendDlgItemMessageW(dialog, id, CB_GETLBTEXTLEN, static_cast<WPARAM>(row), 0);
    if (length < 0) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = SendDlgItemMessageW(dialog, id, CB_GETLBTEXT, static_cast<WPARAM>(row),
                                               reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied < 0 ? 0 : static_cast<std::size_t>(copied));
    return WideToUtf8(text);
}

LPARAM RowData(HWND dialog, int id, int row) {
    return static_cast<LPARAM>(
        SendDlgItemMessageW(dialog, id, CB_GETITEMDATA, static_cast<WPARAM>(row), 0));
}

namespace {

RECT ChildRect(HWND dialog, HWND item) {
    RECT rect = {};
    GetWindowRect(item, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace

RECT ItemRect(HWND dialog, int id) {
    return ChildRect(dialog, GetDlgItem(dialog, id));
}

void CloseGapBelow(HWND dialog, int top, int distance) {
    std::vector<HWND> below;
    for (HWND item = GetWindow(dialog, GW_CHILD); item != nullptr;
         item = GetWindow(item, GW_HWNDNEXT)) {
        if (ChildRect(dialog, item).top >= top) {
            below.push_back(item);
        }
    }
    for (const HWND item : below) {
        const RECT rect = ChildRect(dialog, item);
        SetWindowPos(item, nullptr, rect.left, rect.top - distance, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RECT frame = {};
    GetWindowRect(dialog, &frame);
    SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left,
                 frame.bottom - frame.top - distance, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

const DLGTEMPLATE* DialogTemplate(int id) {
    const HMODULE module = GetModuleHandleW(nullptr);
    const WORD language = CurrentUiLanguage() == UiLanguage::English
                              ? MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)
                              : MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
    HRSRC found = FindResourceExW(module, RT_DIALOG, MAKEINTRESOURCEW(id), language);
    if (found == nullptr) {
        found = FindResourceW(module, MAKEINTRESOURCEW(id), RT_DIALOG);
    }
    const HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    return loaded != nullptr ? static_cast<const DLGTEMPLATE*>(LockResource(loaded)) : nullptr;
}

INT_PTR RunDialog(int id, HWND owner, DLGPROC procedure, LPARAM parameter) {
    const DLGTEMPLATE* form = DialogTemplate(id);
    return form != nullptr ? DialogBoxIndirectParamW(GetModuleHandleW(nullptr), form, owner,
                                                     procedure, parameter)
                           : -1;
}

HWND MakeDialog(int id, HWND owner, DLGPROC procedure, LPARAM parameter) {
    const DLGTEMPLATE* form = DialogTemplate(id);
    return form != nullptr ? CreateDialogIndirectParamW(GetModuleHandleW(nullptr), form, owner,
                                                        procedure, parameter)
                           : nullptr;
}

}  // namespace moravel
