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
#include <memory>
#include <string>

namespace platform {

enum class LockResult {
    Held,    // the lock is ours until the FolderLock ends
    Busy,    // another holder kept it for the whole wait
    Failed,  // the lock could not be taken (the error says why: a missing folder, no right to
             // create files there)
};

class FolderLock {
public:
    FolderLock();
    FolderLock(FolderLock&& other) noexcept;
    FolderLock& operator=(FolderLock&& other) noexcept;
    ~FolderLock();  // closing the handle lets the lock go

    explicit operator bool() const { return held_ != nullptr; }

    // Takes the lock named by lockFile, trying again for up to wait while another holder has
    // it. Errors name target, the file whose edits the lock guards.
    static LockResult Acquire(const std::string& lockFile, std::chrono::milliseconds wait, FolderLock& lock,
                              fileio::Error& error, const std::string& target);

private:
    struct Held;  // the platform's owner of the handle or descriptor
    std::unique_ptr<Held> held_;
};

}  // namespace platform
