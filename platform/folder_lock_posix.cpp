#include "platform/folder_lock.h"

#include "platform/paths.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace platform {

void FolderLock::Release() {
    if (handle_ != kNone) ::close(static_cast<int>(handle_));  // the last descriptor drops the flock
    handle_ = kNone;
}

LockResult FolderLock::Acquire(const std::string& lockFile, std::chrono::milliseconds wait, FolderLock& lock,
                               fileio::Error& error, const std::string& target) {
    constexpr auto kPoll = std::chrono::milliseconds(50);
    const std::string folder = FolderPart(lockFile);
    FolderLock held;
    held.handle_ = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (held.handle_ == kNone) {
        error = errno == ENOENT || errno == ENOTDIR
                    ? fileio::Error{fileio::ErrorCode::FolderMissing, target}
                    : fileio::Error{fileio::ErrorCode::NoLock, target, std::strerror(errno)};
        return LockResult::Failed;
    }
    // An edit writes into the folder; one that may not is refused here, before anything else.
    if (::access(folder.empty() ? "." : folder.c_str(), W_OK) != 0) {
        error = fileio::Error{fileio::ErrorCode::CannotCreateIn, target};
        return LockResult::Failed;
    }
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (::flock(static_cast<int>(held.handle_), LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) {
            error = fileio::Error{fileio::ErrorCode::NoLock, target, std::strerror(errno)};
            return LockResult::Failed;
        }
        if (std::chrono::steady_clock::now() >= deadline) return LockResult::Busy;
        std::this_thread::sleep_for(kPoll);
    }
    lock = std::move(held);
    return LockResult::Held;
}

}  // namespace platform
