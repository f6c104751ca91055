// Owns one folder search (FindFirstFileA ... FindClose) (Windows only).
#pragma once

#include <windows.h>

#include "platform/unique_handle.h"

namespace catalogue {

class FindHandle {
public:
    // Starts a search; false (and nothing held) when it cannot start.
    bool Start(const char* pattern, WIN32_FIND_DATAA& entry) {
        handle_.Reset(platform::ValidOrNull(FindFirstFileA(pattern, &entry)));
        return static_cast<bool>(handle_);
    }
    bool Next(WIN32_FIND_DATAA& entry) {
        return handle_ && FindNextFileA(handle_.get(), &entry) != 0;
    }
    void Close() { handle_.Reset(); }

private:
    platform::OwnedFindHandle handle_;
};

}  // namespace catalogue
