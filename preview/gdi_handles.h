// Owners for the GDI handles of the preview: each releases its handle the way it was acquired.
#pragma once

#include <windows.h>

#include <cstddef>

namespace preview {

// A bitmap this program created or loaded; deleted with DeleteObject. Converts to HBITMAP so
// it can be handed to GDI directly.
class OwnedBitmap {
public:
    OwnedBitmap() = default;
    explicit OwnedBitmap(HBITMAP bitmap);
    OwnedBitmap(OwnedBitmap&& other) noexcept;
    OwnedBitmap& operator=(OwnedBitmap&& other) noexcept;
    OwnedBitmap& operator=(std::nullptr_t);
    OwnedBitmap(const OwnedBitmap&) = delete;
    OwnedBitmap& operator=(const OwnedBitmap&) = delete;
    ~OwnedBitmap();

    HBITMAP get() const { return bitmap_; }
    operator HBITMAP() const { return bitmap_; }
    void reset();

private:
    HBITMAP bitmap_ = nullptr;
};

// Bitmaps held by OwnedBitmap objects right now: the preview and its mask, plus whatever a
// drawing has loaded and not yet released.
int LiveBitmapCount();

// A memory drawing surface made here; deleted with DeleteDC.
class MemoryDc {
public:
    explicit MemoryDc(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    ~MemoryDc() {
        if (dc_ != nullptr) {
            DeleteDC(dc_);
        }
    }
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// A window's drawing surface borrowed outside a paint cycle (or the screen's, for no window);
// given back with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
    }
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// A window's paint cycle: BeginPaint now, EndPaint on leaving.
class PaintCycle {
public:
    explicit PaintCycle(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    PaintCycle(const PaintCycle&) = delete;
    PaintCycle& operator=(const PaintCycle&) = delete;
    ~PaintCycle() {
        if (dc_ != nullptr) {
            EndPaint(window_, &paint_);
        }
    }
    HDC get() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// An object selected into a surface for one scope; the previous one goes back on leaving.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) {
            SelectObject(dc_, previous_);
        }
    }
    bool ok() const { return previous_ != nullptr && previous_ != HGDI_ERROR; }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace preview
