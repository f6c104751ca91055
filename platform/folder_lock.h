// An exclusive lock on the edits of one file, shared by every process on the machine: held by
// an open handle, so the system releases it when its holder ends, however it ends (a crash, a
// kill). Nothing that outlives its holder says "locked".
//
// Windows: the file lockFile, opened with no sharing and deleted when its handle closes; a
// leftover of that name (after a power cut) is taken like a missing one. POSIX: flock on the
// folder that holds lockFile; no file is made.
#pragma once

#include "platform/file_error.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <utility>

namespace platform {

enum class LockResult {
    Held,    // the lock is ours until the FolderLock ends
    Busy,    // another holder kept it for the whole wait
    Failed,  // the lock could not be taken (the error says why: a missing folder, no right to
             // create files there)
};

class FolderLock {
public:
    FolderLock() = default;
    FolderLock(FolderLock&& other) noexcept : handle_(std::exchange(other.handle_, kNone)) {}
    FolderLock& operator=(FolderLock&& other) noexcept {
        Release();
        handle_ = std::exchange(other.handle_, kNone);
        return *this;
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    ~FolderLock() { Release(); }

    explicit operator bool() const { return handle_ != kNone; }

    // Takes the lock named by lockFile, trying again for up to wait while another holder has
    // it. Errors name target, the file whose edits the lock guards.
    static LockResult Acquire(const std::string& lockFile, std::chrono::milliseconds wait, FolderLock& lock,
                              fileio::Error& error, const std::string& target);

private:
    static constexpr std::intptr_t kNone = -1;  // INVALID_HANDLE_VALUE and no descriptor alike
    void Release();                             // closes the handle, which lets the lock go
    std::intptr_t handle_ = kNone;              // the platform's handle or descriptor
};

}  // namespace platform
