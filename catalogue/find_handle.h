// Owns one folder search (FindFirstFileA ... FindClose) (Windows only).
#pragma once

#include <windows.h>

namespace catalogue {

class FindHandle {
public:
    FindHandle() = default;
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    ~FindHandle() { Close(); }

    // Starts a search; false (and nothing held) when it cannot start.
    bool Start(const char* pattern, WIN32_FIND_DATAA& entry) {
        Close();
        handle_ = FindFirstFileA(pattern, &entry);
        return handle_ != INVALID_HANDLE_VALUE;
    }
    bool Next(WIN32_FIND_DATAA& entry) {
        return handle_ != INVALID_HANDLE_VALUE && FindNextFileA(handle_, &entry) != 0;
    }
    void Close() {
        if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace catalogue
