#include "platform/folder_lock.h"

#include "platform/paths.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace platform {

// The folder's descriptor; the flock ends when the last descriptor closes.
struct FolderLock::Held {
    int fd;
    explicit Held(int descriptor) : fd(descriptor) {}
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    ~Held() { ::close(fd); }
};

FolderLock::FolderLock() = default;
FolderLock::FolderLock(FolderLock&& other) noexcept = default;
FolderLock& FolderLock::operator=(FolderLock&& other) noexcept = default;
FolderLock::~FolderLock() = default;

LockResult FolderLock::Acquire(const std::string& lockFile, std::chrono::milliseconds wait, FolderLock& lock,
                               fileio::Error& error, const std::string& target) {
    constexpr auto kPoll = std::chrono::milliseconds(50);
    const std::string folder = FolderPart(lockFile);
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        error = errno == ENOENT || errno == ENOTDIR
                    ? fileio::Error{fileio::ErrorCode::FolderMissing, target}
                    : fileio::Error{fileio::ErrorCode::NoLock, target, std::strerror(errno)};
        return LockResult::Failed;
    }
    auto held = std::make_unique<Held>(fd);
    // An edit writes into the folder; one that may not is refused here, before anything else.
    if (::access(folder.empty() ? "." : folder.c_str(), W_OK) != 0) {
        error = fileio::Error{fileio::ErrorCode::CannotCreateIn, target};
        return LockResult::Failed;
    }
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (::flock(held->fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) {
            error = fileio::Error{fileio::ErrorCode::NoLock, target, std::strerror(errno)};
            return LockResult::Failed;
        }
        if (std::chrono::steady_clock::now() >= deadline) return LockResult::Busy;
        std::this_thread::sleep_for(kPoll);
    }
    lock.held_ = std::move(held);
    return LockResult::Held;
}

}  // namespace platform
