// The operating system's files behind fileio::FileSystem: POSIX.
#include "platform/file_system.h"

#include "platform/paths.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <ctime>
#include <sys/stat.h>
#include <unistd.h>

namespace fileio {
namespace {

using platform::FolderPart;

struct FileDescriptor {
    int fd = -1;
    explicit FileDescriptor(int d) : fd(d) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { Close(); }
    bool Valid() const { return fd >= 0; }
    bool Close() {
        bool ok = true;
        if (Valid()) ok = ::close(fd) == 0;
        fd = -1;
        return ok;
    }
};

// File times come from a clock that moves in ticks of the kernel, and some file systems keep
// them to the second or two: a file written less than three seconds ago (or stamped in the
// future) could be written again with the same stamp.
constexpr std::int64_t kNanoseconds = 1000000000;
constexpr std::int64_t kRecentSeconds = 3;

std::string SystemMessage(int code) { return std::strerror(code); }

Error WriteError(const std::string& target, int code) {
    const bool diskFull = code == ENOSPC || code == EDQUOT;
    return diskFull ? Error{ErrorCode::DiskFull, target} : Error{ErrorCode::WriteFailed, target, SystemMessage(code)};
}

// Reads the open file to its end.
Error ReadOpened(int fd, const std::string& path, std::string& bytes) {
    try {
        char chunk[65536];
        for (;;) {
            const ssize_t got = ::read(fd, chunk, sizeof chunk);
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) return Error{ErrorCode::ReadFailed, path, SystemMessage(errno)};
            if (got == 0) break;
            bytes.append(chunk, static_cast<std::size_t>(got));
        }
    } catch (const std::bad_alloc&) {
        bytes.clear();
        return Error{ErrorCode::TooLarge, path};
    }
    return {};
}

// The mode bits decide, as the read-only attribute does on Windows: as root, access() would
// report every file writable.
bool IsReadOnly(const std::string& path, const struct stat& st) {
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return true;
    return ::geteuid() != 0 && ::access(path.c_str(), W_OK) != 0;
}

class PosixFiles final : public FileSystem {
public:
    PathKind Probe(const std::string& path) override {
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0) {
            if (errno == ENOENT) {
                const std::string folder = FolderPart(path);
                struct stat parent {};
                if (!folder.empty() && (::stat(folder.c_str(), &parent) != 0 || !S_ISDIR(parent.st_mode))) {
                    return PathKind::FolderMissing;
                }
                return PathKind::Missing;
            }
            if (errno == ENOTDIR) return PathKind::FolderMissing;
            return PathKind::Unknown;
        }
        if (S_ISDIR(st.st_mode)) return PathKind::Folder;
        return IsReadOnly(path, st) ? PathKind::ReadOnlyFile : PathKind::File;
    }

    FileStamp Stamp(const std::string& path) override {
        FileStamp stamp;
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return stamp;
        stamp.existed = true;
        stamp.attributes = static_cast<std::uint32_t>(st.st_mode);
        stamp.readOnly = IsReadOnly(path, st);
        stamp.size = static_cast<std::uint64_t>(st.st_size);
        stamp.writeTime = static_cast<std::int64_t>(st.st_mtim.tv_sec) * kNanoseconds + st.st_mtim.tv_nsec;
        struct timespec now {};
        ::clock_gettime(CLOCK_REALTIME, &now);
        stamp.recent = static_cast<std::int64_t>(now.tv_sec) * kNanoseconds + now.tv_nsec - stamp.writeTime <
                       kRecentSeconds * kNanoseconds;
        return stamp;
    }

    Error Read(const std::string& path, std::string& bytes, bool& existed) override {
        existed = false;
        bytes.clear();
        FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
        if (!file.Valid()) {
            const int code = errno;
            if (code == ENOENT || code == ENOTDIR) return {};
            return Error{ErrorCode::CannotOpen, path, SystemMessage(code)};
        }
        struct stat st {};
        if (::fstat(file.fd, &st) == 0 && S_ISDIR(st.st_mode)) return Error{ErrorCode::FolderNotFile, path};
        existed = true;
        return ReadOpened(file.fd, path, bytes);
        return {};
    }

    Error CreateNew(const std::string& path, const std::string& target, bool& taken) override {
        taken = false;
        FileDescriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (file.Valid()) return {};
        const int code = errno;
        if (code == EEXIST) {
            taken = true;
            return {};
        }
        if (code == EACCES || code == EPERM || code == EROFS) return Error{ErrorCode::CannotCreateIn, target};
        return WriteError(target, code);
    }

    Error WriteAll(const std::string& path, const std::string& bytes, const std::string& target,
                   const FileStamp* targetNow) override {
        FileDescriptor file(::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
        if (!file.Valid()) return WriteError(target, errno);
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t wrote = ::write(file.fd, bytes.data() + done, bytes.size() - done);
            if (wrote < 0 && errno == EINTR) continue;
            if (wrote <= 0) return WriteError(target, wrote < 0 ? errno : ENOSPC);
            done += static_cast<std::size_t>(wrote);
        }
        struct stat st {};
        if (targetNow != nullptr) {
            ::fchmod(file.fd, static_cast<mode_t>(targetNow->attributes & 07777));
        } else if (::stat(target.c_str(), &st) == 0) {
            ::fchmod(file.fd, st.st_mode & 07777);
        }
        if (::fsync(file.fd) != 0) return WriteError(target, errno);
        if (!file.Close()) return WriteError(target, errno);
        return {};
    }

    Error Replace(const std::string& from, const std::string& target) override {
        if (::rename(from.c_str(), target.c_str()) != 0)
            return Error{ErrorCode::ReplaceFailed, target, SystemMessage(errno)};
        // Make the rename itself durable; the new content is already in place if this fails.
        const std::string folder = FolderPart(target);
        FileDescriptor dir(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_CLOEXEC));
        if (dir.Valid()) ::fsync(dir.fd);
        return {};
    }

    Error Remove(const std::string& path) override {
        if (::unlink(path.c_str()) == 0 || errno == ENOENT || errno == ENOTDIR) return {};
        return Error{ErrorCode::DeleteFailed, path, SystemMessage(errno)};
    }

    bool Link(const std::string& existing, const std::string& link) override {
        return ::link(existing.c_str(), link.c_str()) == 0;
    }
};

}  // namespace

FileSystem& SystemFiles() {
    static PosixFiles files;
    return files;
}

bool ReadNativeFile(const std::string& nativePath, std::string& bytes) {
    bool existed = false;
    return !SystemFiles().Read(nativePath, bytes, existed) && existed;
}

}  // namespace fileio
