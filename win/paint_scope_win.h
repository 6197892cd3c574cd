#pragma once
// BeginPaint and EndPaint as one scope. EndPaint needs the window and the very
// PAINTSTRUCT that BeginPaint filled, so the scope keeps both.

#include <windows.h>

class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window), dc_(::BeginPaint(window, &paint_)) {}
    ~PaintScope() {
        // EndPaint also shows a caret that BeginPaint hid, so it runs even when no DC came back.
        ::EndPaint(window_, &paint_);
    }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

    HDC dc() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }
    // The part of the window that needs painting, in client coordinates.
    const RECT& Area() const { return paint_.rcPaint; }
    bool EraseBackground() const { return paint_.fErase != FALSE; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};
