// The operating system's files behind fileio::FileSystem: kernel32 on Windows, POSIX elsewhere.
#include "platform/file_system.h"

#include "platform/paths.h"

#include <algorithm>
#include <cstring>
#include <new>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fileio {
namespace {

using platform::FolderPart;

#ifdef _WIN32

// Owns a file handle; Close reports whether the system accepted the close.
struct FileHandle {
    HANDLE h = INVALID_HANDLE_VALUE;
    explicit FileHandle(HANDLE handle) : h(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { Close(); }
    bool Valid() const { return h != INVALID_HANDLE_VALUE; }
    bool Close() {
        bool ok = true;
        if (Valid()) ok = CloseHandle(h) != FALSE;
        h = INVALID_HANDLE_VALUE;
        return ok;
    }
};

std::string SystemMessage(DWORD code) {
    char* text = nullptr;
    DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message;
    if (n != 0 && text != nullptr) message.assign(text, n);
    if (text != nullptr) LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' ' ||
                                message.back() == '.')) {
        message.pop_back();
    }
    if (message.empty()) message = "system error " + std::to_string(code);
    return message;
}

bool IsDiskFull(DWORD code) { return code == ERROR_DISK_FULL || code == ERROR_HANDLE_DISK_FULL; }
bool IsMissing(DWORD code) { return code == ERROR_FILE_NOT_FOUND; }
bool IsFolderMissing(DWORD code) {
    return code == ERROR_PATH_NOT_FOUND || code == ERROR_INVALID_NAME || code == ERROR_BAD_NETPATH ||
           code == ERROR_BAD_PATHNAME || code == ERROR_INVALID_DRIVE;
}

Error WriteError(const std::string& target, DWORD code) {
    return IsDiskFull(code) ? reasons::DiskFull(target) : reasons::WriteFailed(target, SystemMessage(code));
}

class WindowsFiles final : public FileSystem {
public:
    PathKind Probe(const std::string& path) override {
        const DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            const DWORD code = GetLastError();
            if (IsMissing(code)) return PathKind::Missing;
            if (IsFolderMissing(code)) return PathKind::FolderMissing;
            return PathKind::Unknown;
        }
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) return PathKind::Folder;
        if (attributes & FILE_ATTRIBUTE_READONLY) return PathKind::ReadOnlyFile;
        return PathKind::File;
    }

    Error Read(const std::string& path, std::string& bytes, bool& existed) override {
        existed = false;
        bytes.clear();
        FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid()) {
            const DWORD code = GetLastError();
            if (IsMissing(code) || IsFolderMissing(code)) return {};
            if (Probe(path) == PathKind::Folder) return reasons::FolderNotFile(path);
            if (code == ERROR_SHARING_VIOLATION) return reasons::InUse(path);
            return reasons::CannotRead(path, SystemMessage(code));
        }
        existed = true;
        try {
            // One read of the known size plus a byte: when it comes back short with exactly the
            // size, that was the end of the file, so a file that stays as it is takes one call.
            // Anything else (a file that grows or shrinks meanwhile, no size) reads on to the end.
            LARGE_INTEGER size{};
            std::size_t want = 65536;
            std::size_t known = static_cast<std::size_t>(-1);
            if (GetFileSizeEx(file.h, &size) && size.QuadPart >= 0 &&
                static_cast<unsigned long long>(size.QuadPart) < 0x7FFFFFFFull) {
                known = static_cast<std::size_t>(size.QuadPart);
                want = known + 1;
            }
            std::size_t have = 0;
            for (;;) {
                bytes.resize(have + want);
                DWORD got = 0;
                if (!ReadFile(file.h, &bytes[have], static_cast<DWORD>(want), &got, nullptr)) {
                    bytes.clear();
                    return reasons::ReadFailed(path, SystemMessage(GetLastError()));
                }
                have += got;
                if (got == 0 || (got < want && have == known)) break;
                want = 65536;
            }
            bytes.resize(have);
        } catch (const std::bad_alloc&) {
            bytes.clear();
            return reasons::TooLarge(path);
        }
        return {};
    }

    Error CreateNew(const std::string& path, const std::string& target, bool& taken) override {
        taken = false;
        FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.Valid()) return {};
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS) {
            taken = true;
            return {};
        }
        if (code == ERROR_ACCESS_DENIED) return reasons::CannotCreateIn(target);
        return WriteError(target, code);
    }

    Error WriteAll(const std::string& path, const std::string& bytes, const std::string& target) override {
        {
            FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
            if (!file.Valid()) return WriteError(target, GetLastError());
            std::size_t done = 0;
            while (done < bytes.size()) {
                const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
                DWORD wrote = 0;
                if (!WriteFile(file.h, bytes.data() + done, chunk, &wrote, nullptr) || wrote == 0) {
                    return WriteError(target, GetLastError());
                }
                done += wrote;
            }
            if (!FlushFileBuffers(file.h)) return WriteError(target, GetLastError());
            if (!file.Close()) return WriteError(target, GetLastError());
        }
        const DWORD attributes = GetFileAttributesA(target.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            const DWORD keep = attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
            if (keep != 0) SetFileAttributesA(path.c_str(), keep);
        }
        return {};
    }

    Error Replace(const std::string& from, const std::string& target) override {
        // Any open handle on target refuses the replace, even a reader's that shares delete (a
        // scan, another editor's listing): those end soon, so the replace tries again for about
        // a second, as long as an edit waits for the lock.
        const ULONGLONG deadline = GetTickCount64() + 1000;
        for (;;) {
            if (MoveFileExA(from.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return {};
            const DWORD code = GetLastError();
            if (code != ERROR_SHARING_VIOLATION && code != ERROR_ACCESS_DENIED) {
                return reasons::ReplaceFailed(target, SystemMessage(code));
            }
            if (GetTickCount64() >= deadline) return reasons::ReplaceRefused(target);
            Sleep(20);
        }
    }

    Error Remove(const std::string& path) override {
        if (DeleteFileA(path.c_str())) return {};
        const DWORD code = GetLastError();
        if (IsMissing(code) || IsFolderMissing(code)) return {};
        return reasons::DeleteFailed(path, SystemMessage(code));
    }

    bool Link(const std::string& existing, const std::string& link) override {
        return CreateHardLinkA(link.c_str(), existing.c_str(), nullptr) != FALSE;
    }
};

#else  // POSIX

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

std::string SystemMessage(int code) { return std::strerror(code); }

Error WriteError(const std::string& target, int code) {
    const bool diskFull = code == ENOSPC || code == EDQUOT;
    return diskFull ? reasons::DiskFull(target) : reasons::WriteFailed(target, SystemMessage(code));
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
        // The mode bits decide, as the read-only attribute does on Windows: as root, access()
        // would report every file writable.
        if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return PathKind::ReadOnlyFile;
        if (::geteuid() != 0 && ::access(path.c_str(), W_OK) != 0) return PathKind::ReadOnlyFile;
        return PathKind::File;
    }

    Error Read(const std::string& path, std::string& bytes, bool& existed) override {
        existed = false;
        bytes.clear();
        FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
        if (!file.Valid()) {
            const int code = errno;
            if (code == ENOENT || code == ENOTDIR) return {};
            return reasons::CannotRead(path, SystemMessage(code));
        }
        struct stat st {};
        if (::fstat(file.fd, &st) == 0 && S_ISDIR(st.st_mode)) return reasons::FolderNotFile(path);
        existed = true;
        try {
            char chunk[65536];
            for (;;) {
                const ssize_t got = ::read(file.fd, chunk, sizeof chunk);
                if (got < 0 && errno == EINTR) continue;
                if (got < 0) return reasons::ReadFailed(path, SystemMessage(errno));
                if (got == 0) break;
                bytes.append(chunk, static_cast<std::size_t>(got));
            }
        } catch (const std::bad_alloc&) {
            bytes.clear();
            return reasons::TooLarge(path);
        }
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
        if (code == EACCES || code == EPERM || code == EROFS) return reasons::CannotCreateIn(target);
        return WriteError(target, code);
    }

    Error WriteAll(const std::string& path, const std::string& bytes, const std::string& target) override {
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
        if (::stat(target.c_str(), &st) == 0) ::fchmod(file.fd, st.st_mode & 07777);
        if (::fsync(file.fd) != 0) return WriteError(target, errno);
        if (!file.Close()) return WriteError(target, errno);
        return {};
    }

    Error Replace(const std::string& from, const std::string& target) override {
        if (::rename(from.c_str(), target.c_str()) != 0) return reasons::ReplaceFailed(target, SystemMessage(errno));
        // Make the rename itself durable; the new content is already in place if this fails.
        const std::string folder = FolderPart(target);
        FileDescriptor dir(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_CLOEXEC));
        if (dir.Valid()) ::fsync(dir.fd);
        return {};
    }

    Error Remove(const std::string& path) override {
        if (::unlink(path.c_str()) == 0 || errno == ENOENT || errno == ENOTDIR) return {};
        return reasons::DeleteFailed(path, SystemMessage(errno));
    }

    bool Link(const std::string& existing, const std::string& link) override {
        return ::link(existing.c_str(), link.c_str()) == 0;
    }
};

#endif

}  // namespace

FileSystem& SystemFiles() {
#ifdef _WIN32
    static WindowsFiles files;
#else
    static PosixFiles files;
#endif
    return files;
}

}  // namespace fileio
