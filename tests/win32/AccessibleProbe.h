// Asking the system for a window's accessible object, as a screen reader does.
#pragma once

#include <oleacc.h>
#include <windows.h>

#include <string>

#include "core/os/WideText_win.h"
#include "win32/Com.h"
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

}  // namespace moravel::test
