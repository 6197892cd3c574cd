#pragma once
// One owner type per handle kind: non-copyable, movable, closes with the given
// function. put() hands out the address for out-parameters after releasing the
// old handle.

#include <windows.h>

#include <utility>

namespace handle_detail {
// Most handles are invalid when null; file and find handles are invalid at
// INVALID_HANDLE_VALUE instead (null can be a real value there). A policy type,
// because INVALID_HANDLE_VALUE is a cast and cannot be a template argument.
template <typename Handle>
struct NullIsInvalid {
    static Handle Value() { return Handle{}; }
};
struct MinusOneIsInvalid {
    static HANDLE Value() { return INVALID_HANDLE_VALUE; }
};
}  // namespace handle_detail

template <typename Handle, auto Close, typename Invalid = handle_detail::NullIsInvalid<Handle>>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle h) : handle_(h) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other)
            reset(other.release());
        return *this;
    }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Invalid::Value(); }
    Handle release() { return std::exchange(handle_, Invalid::Value()); }
    void reset(Handle h = Invalid::Value()) {
        Handle old = std::exchange(handle_, h);
        if (old != Invalid::Value())
            Close(old);
    }
    Handle* put() {
        reset();
        return &handle_;
    }

private:
    Handle handle_ = Invalid::Value();
};

namespace handle_detail {
inline void DeleteGdiObject(HGDIOBJ h) {
    ::DeleteObject(h);
}
inline void DeleteMemoryDC(HDC h) {
    ::DeleteDC(h);
}
inline void CloseRegKey(HKEY h) {
    ::RegCloseKey(h);
}
inline void ReleaseModule(HMODULE h) {
    ::FreeLibrary(h);
}
inline void CloseKernelHandle(HANDLE h) {
    ::CloseHandle(h);
}
inline void CloseFind(HANDLE h) {
    ::FindClose(h);
}
inline void DestroyIconHandle(HICON h) {
    ::DestroyIcon(h);
}
inline void DestroyMenuHandle(HMENU h) {
    ::DestroyMenu(h);
}
inline void DestroyWindowHandle(HWND h) {
    ::DestroyWindow(h);
}
template <typename T>
void DeleteGdi(T h) {
    ::DeleteObject(h);
}
}  // namespace handle_detail

using UniqueBitmap = UniqueHandle<HBITMAP, handle_detail::DeleteGdi<HBITMAP>>;
using UniqueBrush = UniqueHandle<HBRUSH, handle_detail::DeleteGdi<HBRUSH>>;
using UniqueFont = UniqueHandle<HFONT, handle_detail::DeleteGdi<HFONT>>;
using UniquePen = UniqueHandle<HPEN, handle_detail::DeleteGdi<HPEN>>;
using UniqueRegion = UniqueHandle<HRGN, handle_detail::DeleteGdi<HRGN>>;
using UniqueMemoryDC = UniqueHandle<HDC, handle_detail::DeleteMemoryDC>;
using UniqueRegKey = UniqueHandle<HKEY, handle_detail::CloseRegKey>;
using UniqueModule = UniqueHandle<HMODULE, handle_detail::ReleaseModule>;
using UniqueKernelHandle = UniqueHandle<HANDLE, handle_detail::CloseKernelHandle>;
// What CreateFileA returns.
using UniqueFile = UniqueHandle<HANDLE, handle_detail::CloseKernelHandle, handle_detail::MinusOneIsInvalid>;
// What FindFirstFileA returns; a search ends with FindClose, not CloseHandle.
using UniqueFind = UniqueHandle<HANDLE, handle_detail::CloseFind, handle_detail::MinusOneIsInvalid>;
using UniqueIcon = UniqueHandle<HICON, handle_detail::DestroyIconHandle>;
using UniqueMenu = UniqueHandle<HMENU, handle_detail::DestroyMenuHandle>;
using UniqueWindow = UniqueHandle<HWND, handle_detail::DestroyWindowHandle>;

// The DC of a window, released together with that window.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(::GetDC(window)) {}
    ~WindowDC() {
        if (dc_)
            ::ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a DC and puts the previous one back.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? ::SelectObject(dc, object) : nullptr) {}
    ~SelectGuard() {
        if (previous_)
            ::SelectObject(dc_, previous_);
    }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};
