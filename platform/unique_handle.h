// The owners of every Windows handle the program holds (Windows only): those a single call
// releases, and the drawing surfaces, each given back the way it was acquired.
#pragma once

#include <windows.h>

#include <utility>

namespace platform {

// Owns a handle and calls Release on it when it is replaced or the owner ends. An empty owner
// holds nullptr; handles whose failure value is INVALID_HANDLE_VALUE pass through ValidOrNull.
template <typename Handle, auto Release>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        Reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { Reset(); }

    Handle get() const { return handle_; }
    // Gives up the handle unreleased, for a caller that must see what releasing it answers.
    Handle Take() { return std::exchange(handle_, nullptr); }
    explicit operator bool() const { return handle_ != nullptr; }
    void Reset(Handle next = nullptr) {
        if (handle_) Release(handle_);
        handle_ = next;
    }

private:
    Handle handle_ = nullptr;
};

inline HANDLE ValidOrNull(HANDLE handle) { return handle == INVALID_HANDLE_VALUE ? nullptr : handle; }

using OwnedGdiObject = UniqueHandle<HGDIOBJ, &DeleteObject>;
using OwnedBitmap = UniqueHandle<HBITMAP, &DeleteObject>;
using OwnedFindHandle = UniqueHandle<HANDLE, &FindClose>;
using OwnedFileHandle = UniqueHandle<HANDLE, &CloseHandle>;
using OwnedRegistryKey = UniqueHandle<HKEY, &RegCloseKey>;
using OwnedLocalMemory = UniqueHandle<HLOCAL, &LocalFree>;  // what the system allocated for us

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

}  // namespace platform
