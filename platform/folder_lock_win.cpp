#include "platform/folder_lock.h"

#include "platform/system_message.h"
#include "platform/unique_handle.h"

#include <windows.h>

#include <thread>

namespace platform {

struct FolderLock::Held {
    OwnedFileHandle file;
};

FolderLock::FolderLock() = default;
FolderLock::FolderLock(FolderLock&& other) noexcept = default;
FolderLock& FolderLock::operator=(FolderLock&& other) noexcept = default;
FolderLock::~FolderLock() = default;

LockResult FolderLock::Acquire(const std::string& lockFile, std::chrono::milliseconds wait, FolderLock& lock,
                               fileio::Error& error, const std::string& target) {
    constexpr auto kPoll = std::chrono::milliseconds(50);
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        // No sharing: while the handle is open, nobody else opens the file. Deleted on close, so
        // no file says "locked" once the holder has gone, whichever way it went.
        HANDLE handle =
            CreateFileA(lockFile.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr, OPEN_ALWAYS,
                        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            lock.held_ = std::make_unique<Held>(Held{OwnedFileHandle(handle)});
            return LockResult::Held;
        }
        const DWORD code = GetLastError();
        // A sharing violation is a holder; access denied is a holder's file on its way out
        // (delete pending), or a folder that refuses new files: only the wait tells them apart.
        const bool held = code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION;
        const bool deniedWhileThere =
            code == ERROR_ACCESS_DENIED && GetFileAttributesA(lockFile.c_str()) != INVALID_FILE_ATTRIBUTES;
        if (!held && !deniedWhileThere) {
            if (code == ERROR_PATH_NOT_FOUND || code == ERROR_FILE_NOT_FOUND) {
                error = fileio::Error{fileio::ErrorCode::FolderMissing, target};
            } else if (code == ERROR_ACCESS_DENIED || code == ERROR_WRITE_PROTECT) {
                error = fileio::Error{fileio::ErrorCode::CannotCreateIn, target};
            } else {
                error = fileio::Error{fileio::ErrorCode::NoLock, target, platform::SystemMessage(code)};
            }
            return LockResult::Failed;
        }
        if (std::chrono::steady_clock::now() >= deadline) return LockResult::Busy;
        std::this_thread::sleep_for(kPoll);
    }
}

}  // namespace platform
