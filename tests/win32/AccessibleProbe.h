// Asking the system for a window's accessible object, as a screen reader does.
#pragma once

#include <oleacc.h>
#include <windows.h>

#include <string>
#include <vector>

#include "core/os/WideText_win.h"
#include "win32/Com.h"
#include "win32/DialogDriver.h"
#include "win32/Handles.h"

namespace moravel::test {

inline VARIANT Self() {
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
}

// The text a getter gives, or "failed: " and its result.
inline std::string AccessibleText(IAccessible& object,
                                  HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*)) {
    BSTR text = nullptr;
    const HRESULT result = (object.*get)(Self(), &text);
    if (FAILED(result)) {
        return "failed: " + std::to_string(result);
    }
    std::string utf8 = WideToUtf8(text != nullptr ? text : L"");
    SysFreeString(text);
    return utf8;
}

// The name of a window's client area as a reader hears it.
inline std::string AccessibleName(HWND window) {
    ComPtr<IAccessible> object;
    if (!EnsureComApartment() ||
        FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_PPV_ARGS(object.put())))) {
        return "no object";
    }
    return AccessibleText(*object.get(), &IAccessible::get_accName);
}

// The controls of `dialog` a reader would find nameless: "id" of each button, box, list or bar
// without a name, and of each list whose name is only its choice.
inline std::vector<std::string> NamelessControls(HWND dialog) {
    std::vector<std::string> nameless;
    for (HWND control = GetWindow(dialog, GW_CHILD); control != nullptr;
         control = GetWindow(control, GW_HWNDNEXT)) {
        wchar_t className[32] = {};
        GetClassNameW(control, className, 32);
        const std::wstring kind = className;
        if (kind == L"Static") {
            continue;  // captions, and the drawn ones the editor's own test names
        }
        const std::string name = AccessibleName(control);
        if (name.empty() || name == "no object" ||
            (kind == L"ComboBox" && name == WideToUtf8(WindowText(control)))) {
            nameless.push_back(std::to_string(GetDlgCtrlID(control)));
        }
    }
    return nameless;
}

}  // namespace moravel::test
