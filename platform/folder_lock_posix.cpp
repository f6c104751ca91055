#include "platform/folder_lock.h"

#include "platform/paths.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace platform {

struct FolderLock::Held {
    int fd = -1;
    ~Held() {
        if (fd >= 0) ::close(fd);  // closing the last descriptor drops the flock
    }
};

FolderLock::FolderLock() = default;
FolderLock::FolderLock(FolderLock&&) noexcept = default;
FolderLock& FolderLock::operator=(FolderLock&&) noexcept = default;
FolderLock::~FolderLock() = default;

LockResult FolderLock::Acquire(const std::string& lockFile, std::chrono::milliseconds wait, FolderLock& lock,
                               fileio::Error& error, const std::string& target) {
    constexpr auto kPoll = std::chrono::milliseconds(50);
    const std::string folder = FolderPart(lockFile);
    auto held = std::make_unique<Held>();
    held->fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (held->fd < 0) {
        error = errno == ENOENT || errno == ENOTDIR
                    ? fileio::reasons::FolderMissing(target)
                    : fileio::reasons::NoLock(target, std::strerror(errno));
        return LockResult::Failed;
    }
    // An edit writes into the folder; one that may not is refused here, before anything else.
    if (::access(folder.empty() ? "." : folder.c_str(), W_OK) != 0) {
        error = fileio::reasons::CannotCreateIn(target);
        return LockResult::Failed;
    }
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (::flock(held->fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) {
            error = fileio::reasons::NoLock(target, std::strerror(errno));
            return LockResult::Failed;
        }
        if (std::chrono::steady_clock::now() >= deadline) return LockResult::Busy;
        std::this_thread::sleep_for(kPoll);
    }
    lock.held_ = std::move(held);
    return LockResult::Held;
}

}  // namespace platform
