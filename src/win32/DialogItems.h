// Reading and writing the controls of a resource-script dialog by their identifiers, with UTF-8
// text, and the object behind a dialog procedure.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace moravel {

void SetItemText(HWND dialog, int id, std::string_view text);
std::string ItemText(HWND dialog, int id);

void SetChecked(HWND dialog, int id, bool checked);
bool IsChecked(HWND dialog, int id);
void EnableItem(HWND dialog, int id, bool enabled);
bool IsItemEnabled(HWND dialog, int id);
void ShowItem(HWND dialog, int id, bool shown);

// Drop-down lists: rows appended in order (no sorting by the control), each with its item data.
void ClearRows(HWND dialog, int id);
void AddRow(HWND dialog, int id, std::string_view text, LPARAM data);
// -1 for no selection.
int SelectedRow(HWND dialog, int id);
void SelectRow(HWND dialog, int id, int row);
int RowCount(HWND dialog, int id);
std::string RowText(HWND dialog, int id, int row);
LPARAM RowData(HWND dialog, int id, int row);

// A control's rectangle in the dialog's client coordinates.
RECT ItemRect(HWND dialog, int id);
// Moves every control whose top is at `top` or below up by `distance` pixels, and makes the
// dialog as much shorter: the room of a control that is not shown is given up.
void CloseGapBelow(HWND dialog, int top, int distance);

// The resource scripts hold each dialog once per language of the interface. The template of
// dialog `id` in the interface's language, else in whichever language the program has it; null
// when it has none.
const DLGTEMPLATE* DialogTemplate(int id);
// DialogBoxParamW and CreateDialogParamW with that template (-1 and null when there is none).
INT_PTR RunDialog(int id, HWND owner, DLGPROC procedure, LPARAM parameter);
HWND MakeDialog(int id, HWND owner, DLGPROC procedure, LPARAM parameter);

// The object a dialog procedure serves: handed over as the creation parameter, kept in the
// dialog's DWLP_USER. Null for the messages before WM_INITDIALOG.
template <typename T>
T* DialogObject(HWND dialog, UINT message, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        return reinterpret_cast<T*>(lParam);
    }
    return reinterpret_cast<T*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

// The body of a dialog procedure: hands each message to `handle` of the dialog's object, whose
// `window` holds the dialog from WM_INITDIALOG until WM_NCDESTROY, when the object is let go.
template <typename T>
INT_PTR ServeDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, HWND T::*window,
                    INT_PTR (T::*handle)(UINT, WPARAM, LPARAM)) {
    T* self = DialogObject<T>(dialog, message, lParam);
    if (self == nullptr) {
        return FALSE;
    }
    if (message == WM_INITDIALOG) {
        self->*window = dialog;
    }
    const INT_PTR result = (self->*handle)(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(dialog, DWLP_USER, 0);
        self->*window = nullptr;
    }
    return result;
}

}  // namespace moravel
