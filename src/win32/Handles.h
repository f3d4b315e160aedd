// Owners of the system's handles: each closes, deletes or releases its handle exactly once, on
// every path out of a scope. Moving hands the handle on; copying is not possible.
#pragma once

#include <windows.h>

#include <unknwn.h>

#include <utility>

namespace moravel {

// One handle of type T with the release `Release` (a function object) and the empty value
// `Empty()`. Null is always treated as empty, so a failed creation needs no special case.
template <typename T, typename Release>
class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(T handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }

    T get() const { return handle_; }
    explicit operator bool() const { return Release::Valid(handle_); }

    // Gives up ownership without releasing.
    T release() { return std::exchange(handle_, Release::Empty()); }
    void reset(T handle = Release::Empty()) {
        const T old = std::exchange(handle_, handle);
        if (Release::Valid(old) && old != handle) {
            Release{}(old);
        }
    }

  private:
    T handle_ = Release::Empty();
};

namespace handles {

template <typename T>
struct NullEmpty {
    static T Empty() { return nullptr; }
    static bool Valid(T handle) { return handle != nullptr; }
};

struct DeleteDc : NullEmpty<HDC> {
    void operator()(HDC dc) const { DeleteDC(dc); }
};

template <typename T>
struct DeleteGdiObject : NullEmpty<T> {
    void operator()(T object) const { DeleteObject(object); }
};

struct DestroyIconHandle : NullEmpty<HICON> {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};

struct DestroyMenuHandle : NullEmpty<HMENU> {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};

struct DestroyWindowHandle : NullEmpty<HWND> {
    void operator()(HWND window) const { DestroyWindow(window); }
};

struct CloseRegistryKey : NullEmpty<HKEY> {
    void operator()(HKEY key) const { RegCloseKey(key); }
};

// Kernel objects: some calls fail with null (mutexes), others with INVALID_HANDLE_VALUE (files).
struct CloseKernelHandle {
    static HANDLE Empty() { return nullptr; }
    static bool Valid(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};

}  // namespace handles

// A memory device context (CreateCompatibleDC).
using DcHandle = UniqueHandle<HDC, handles::DeleteDc>;
using BitmapHandle = UniqueHandle<HBITMAP, handles::DeleteGdiObject<HBITMAP>>;
using FontHandle = UniqueHandle<HFONT, handles::DeleteGdiObject<HFONT>>;
using BrushHandle = UniqueHandle<HBRUSH, handles::DeleteGdiObject<HBRUSH>>;
using PenHandle = UniqueHandle<HPEN, handles::DeleteGdiObject<HPEN>>;
using IconHandle = UniqueHandle<HICON, handles::DestroyIconHandle>;
using MenuHandle = UniqueHandle<HMENU, handles::DestroyMenuHandle>;
using WindowHandle = UniqueHandle<HWND, handles::DestroyWindowHandle>;
using RegistryKey = UniqueHandle<HKEY, handles::CloseRegistryKey>;
using KernelHandle = UniqueHandle<HANDLE, handles::CloseKernelHandle>;

// A window's device context (GetDC), given back with ReleaseDC.
class WindowDc {
  public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

  private:
    HWND window_;
    HDC dc_;
};

// An object selected into a device context; the previous selection comes back when this goes.
class SelectedObject {
  public:
    SelectedObject() = default;
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc) {
        const HGDIOBJ previous = SelectObject(dc, object);
        previous_ = previous == HGDI_ERROR ? nullptr : previous;
        if (previous_ == nullptr) {
            dc_ = nullptr;
        }
    }
    ~SelectedObject() { Restore(); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    SelectedObject(SelectedObject&& other) noexcept
        : dc_(std::exchange(other.dc_, nullptr)),
          previous_(std::exchange(other.previous_, nullptr)) {}
    SelectedObject& operator=(SelectedObject&& other) noexcept {
        if (this != &other) {
            Restore();
            dc_ = std::exchange(other.dc_, nullptr);
            previous_ = std::exchange(other.previous_, nullptr);
        }
        return *this;
    }

    // Puts the previous selection back now.
    void Restore() {
        if (dc_ != nullptr) {
            SelectObject(dc_, previous_);
        }
        dc_ = nullptr;
        previous_ = nullptr;
    }
    explicit operator bool() const { return dc_ != nullptr; }

  private:
    HDC dc_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

// One reference to a COM object, released when this goes.
template <typename T>
class ComPtr {
  public:
    ComPtr() = default;
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            reset();
            object_ = std::exchange(other.object_, nullptr);
        }
        return *this;
    }

    T* get() const { return object_; }
    T* operator->() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }

    // For the calls that hand out a new reference: releases the old one first.
    T** put() {
        reset();
        return &object_;
    }
    void reset() {
        if (object_ != nullptr) {
            std::exchange(object_, nullptr)->Release();
        }
    }

  private:
    T* object_ = nullptr;
};

}  // namespace moravel
