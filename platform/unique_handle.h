// One owner for the Windows handles that a single call releases (Windows only).
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

}  // namespace platform
