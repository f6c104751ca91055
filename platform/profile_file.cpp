#include "platform/profile_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <new>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace profile {
namespace {

SaveFaultHook& FaultHook() {
    static SaveFaultHook hook;
    return hook;
}

bool HookAllows(const char* point, const std::string& path) {
    const SaveFaultHook& hook = FaultHook();
    return !hook || hook(point, path);
}

Error Fail(ErrorCode code, const std::string& path, std::string reason) {
    return Error{code, path, std::move(reason)};
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The folder part of path including its final separator; empty for a bare name.
std::string FolderPart(const std::string& path) {
    std::size_t i = path.size();
    while (i > 0 && !IsSeparator(path[i - 1])) --i;
    return path.substr(0, i);
}

std::string FolderForMessage(const std::string& path) {
    std::string folder = FolderPart(path);
    return folder.empty() ? std::string("the current folder") : folder;
}

Error CheckPath(const std::string& path) {
    if (path.empty()) return Fail(ErrorCode::InvalidArgument, path, "No file name was given.");
    if (path.size() > kMaxPathChars) {
        return Fail(ErrorCode::PathTooLong, path,
                    "Cannot use " + path + ": the path is longer than " +
                        std::to_string(kMaxPathChars) + " characters.");
    }
    return {};
}

Error ReadOnlyError(const std::string& path) {
    return Fail(ErrorCode::AccessDenied, path,
                "Cannot write " + path +
                    ": the file is read-only. Clear its read-only attribute and try again.");
}

Error FolderNotFileError(const std::string& path) {
    return Fail(ErrorCode::AccessDenied, path, "Cannot use " + path + ": it is a folder, not a file.");
}

Error TooLargeError(const std::string& path) {
    return Fail(ErrorCode::ReadFailed, path, "Cannot read " + path + ": the file is too large.");
}

Error DiskFullError(const std::string& path) {
    return Fail(ErrorCode::WriteFailed, path,
                "Cannot write " + path + ": the disk is full. The file is unchanged.");
}

Error WriteFailedError(const std::string& path, const std::string& why) {
    return Fail(ErrorCode::WriteFailed, path, "Cannot write " + path + ": " + why + ". The file is unchanged.");
}

enum class Kind { Missing, FolderMissing, File, ReadOnlyFile, Folder, Unknown };

// Names for the temporary file: short (as short as "panel.cfg"), so that a target whose path
// fits the limit leaves room for its temporary neighbour in most cases.
std::string TempName(unsigned n) {
    static const char kHex[] = "0123456789abcdef";
    std::string name = "~";
    for (int shift = 12; shift >= 0; shift -= 4) name += kHex[(n >> shift) & 0xF];
    return name + ".tmp";
}

unsigned TempSeed() {
    static unsigned counter = 0;
    return static_cast<unsigned>(std::time(nullptr)) * 2654435761u + (counter += 7919);
}

// Removes a temporary file unless it has been moved into place.
struct TempFile {
    std::string path;
    bool placed = false;
    TempFile() = default;
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile();
};

#ifdef _WIN32

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

TempFile::~TempFile() {
    if (!placed && !path.empty()) DeleteFileA(path.c_str());
}

std::string SystemMessage(DWORD code) {
    char* text = nullptr;
    DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message;
    if (n != 0 && text != nullptr) message.assign(text, n);
    if (text != nullptr) LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                                message.back() == ' ' || message.back() == '.')) {
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

Kind Probe(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        DWORD code = GetLastError();
        if (IsMissing(code)) return Kind::Missing;
        if (IsFolderMissing(code)) return Kind::FolderMissing;
        return Kind::Unknown;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Kind::Folder;
    if (attributes & FILE_ATTRIBUTE_READONLY) return Kind::ReadOnlyFile;
    return Kind::File;
}

bool FolderExists(const std::string& folder) {
    if (folder.empty()) return true;
    DWORD attributes = GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

Error ReadBytes(const std::string& path, std::string& bytes, bool& existed) {
    existed = false;
    bytes.clear();
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        DWORD code = GetLastError();
        if (IsMissing(code) || IsFolderMissing(code)) return {};
        if (Probe(path) == Kind::Folder) return FolderNotFileError(path);
        if (code == ERROR_SHARING_VIOLATION) {
            return Fail(ErrorCode::AccessDenied, path,
                        "Cannot read " + path + ": another program is using it. Close it and try again.");
        }
        return Fail(ErrorCode::AccessDenied, path, "Cannot read " + path + ": " + SystemMessage(code) + ".");
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
                return Fail(ErrorCode::ReadFailed, path,
                            "Cannot read " + path + ": " + SystemMessage(GetLastError()) + ".");
            }
            have += got;
            if (got == 0 || (got < want && have == known)) break;
            want = 65536;
        }
        bytes.resize(have);
    } catch (const std::bad_alloc&) {
        bytes.clear();
        return TooLargeError(path);
    }
    return {};
}

Error WriteError(const std::string& path, DWORD code) {
    return IsDiskFull(code) ? DiskFullError(path) : WriteFailedError(path, SystemMessage(code));
}

Error CreateTemp(const std::string& path, const std::string& folder, TempFile& temp,
                 const std::string& bytes, DWORD keep_attributes) {
    unsigned seed = TempSeed() ^ GetCurrentProcessId();
    for (unsigned attempt = 0; attempt < 64; ++attempt) {
        std::string candidate = folder + TempName(seed + attempt * 40503u);
        if (candidate.size() > kMaxPathChars) {
            return Fail(ErrorCode::PathTooLong, path,
                        "Cannot write " + path +
                            ": its folder path is too long to hold the temporary file a safe save needs.");
        }
        FileHandle file(CreateFileA(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid()) {
            DWORD code = GetLastError();
            if (code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS) continue;
            if (code == ERROR_ACCESS_DENIED) {
                return Fail(ErrorCode::AccessDenied, path,
                            "Cannot write " + path + ": you may not create files in the folder " +
                                FolderForMessage(path) + ". The file is unchanged.");
            }
            return WriteError(path, code);
        }
        temp.path = candidate;
        std::size_t done = 0;
        while (done < bytes.size()) {
            DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
            DWORD wrote = 0;
            if (!WriteFile(file.h, bytes.data() + done, chunk, &wrote, nullptr) || wrote == 0) {
                return WriteError(path, GetLastError());
            }
            done += wrote;
        }
        if (!FlushFileBuffers(file.h)) return WriteError(path, GetLastError());
        if (!file.Close()) return WriteError(path, GetLastError());
        if (keep_attributes != 0) SetFileAttributesA(candidate.c_str(), keep_attributes);
        return {};
    }
    return Fail(ErrorCode::WriteFailed, path,
                "Cannot write " + path + ": no temporary file could be created in " +
                    FolderForMessage(path) + ". The file is unchanged.");
}

Error Replace(const std::string& temp, const std::string& path) {
    if (MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return {};
    }
    DWORD code = GetLastError();
    if (code == ERROR_SHARING_VIOLATION || code == ERROR_ACCESS_DENIED) {
        return Fail(ErrorCode::ReplaceFailed, path,
                    "Cannot replace " + path +
                        ": another program is using it or it is read-only. The file is unchanged.");
    }
    return Fail(ErrorCode::ReplaceFailed, path,
                "Cannot replace " + path + ": " + SystemMessage(code) + ". The file is unchanged.");
}

DWORD AttributesToKeep(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return 0;
    return attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
}

Error RemoveFile(const std::string& path) {
    if (DeleteFileA(path.c_str())) return {};
    DWORD code = GetLastError();
    if (IsMissing(code) || IsFolderMissing(code)) return {};
    return Fail(ErrorCode::AccessDenied, path,
                "Cannot delete " + path + ": " + SystemMessage(code) + ".");
}

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

TempFile::~TempFile() {
    if (!placed && !path.empty()) ::unlink(path.c_str());
}

std::string SystemMessage(int code) { return std::strerror(code); }

Kind Probe(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT) {
            std::string folder = FolderPart(path);
            struct stat parent {};
            if (!folder.empty() && (::stat(folder.c_str(), &parent) != 0 || !S_ISDIR(parent.st_mode))) {
                return Kind::FolderMissing;
            }
            return Kind::Missing;
        }
        if (errno == ENOTDIR) return Kind::FolderMissing;
        return Kind::Unknown;
    }
    if (S_ISDIR(st.st_mode)) return Kind::Folder;
    // The mode bits decide, as the read-only attribute does on Windows: as root, access()
    // would report every file writable.
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return Kind::ReadOnlyFile;
    if (::geteuid() != 0 && ::access(path.c_str(), W_OK) != 0) return Kind::ReadOnlyFile;
    return Kind::File;
}

bool FolderExists(const std::string& folder) {
    if (folder.empty()) return true;
    struct stat st {};
    return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

Error ReadBytes(const std::string& path, std::string& bytes, bool& existed) {
    existed = false;
    bytes.clear();
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.Valid()) {
        int code = errno;
        if (code == ENOENT || code == ENOTDIR) return {};
        return Fail(ErrorCode::AccessDenied, path, "Cannot read " + path + ": " + SystemMessage(code) + ".");
    }
    struct stat st {};
    if (::fstat(file.fd, &st) == 0 && S_ISDIR(st.st_mode)) return FolderNotFileError(path);
    existed = true;
    try {
        char chunk[65536];
        for (;;) {
            ssize_t got = ::read(file.fd, chunk, sizeof chunk);
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) {
                return Fail(ErrorCode::ReadFailed, path,
                            "Cannot read " + path + ": " + SystemMessage(errno) + ".");
            }
            if (got == 0) break;
            bytes.append(chunk, static_cast<std::size_t>(got));
        }
    } catch (const std::bad_alloc&) {
        bytes.clear();
        return TooLargeError(path);
    }
    return {};
}

Error WriteError(const std::string& path, int code) {
    const bool diskFull = code == ENOSPC || code == EDQUOT;
    return diskFull ? DiskFullError(path) : WriteFailedError(path, SystemMessage(code));
}

Error CreateTemp(const std::string& path, const std::string& folder, TempFile& temp,
                 const std::string& bytes, mode_t mode) {
    unsigned seed = TempSeed() ^ static_cast<unsigned>(::getpid());
    for (unsigned attempt = 0; attempt < 64; ++attempt) {
        std::string candidate = folder + TempName(seed + attempt * 40503u);
        if (candidate.size() > kMaxPathChars) {
            return Fail(ErrorCode::PathTooLong, path,
                        "Cannot write " + path +
                            ": its folder path is too long to hold the temporary file a safe save needs.");
        }
        FileDescriptor file(::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (!file.Valid()) {
            int code = errno;
            if (code == EEXIST) continue;
            if (code == EACCES || code == EPERM || code == EROFS) {
                return Fail(ErrorCode::AccessDenied, path,
                            "Cannot write " + path + ": you may not create files in the folder " +
                                FolderForMessage(path) + ". The file is unchanged.");
            }
            return WriteError(path, code);
        }
        temp.path = candidate;
        std::size_t done = 0;
        while (done < bytes.size()) {
            ssize_t wrote = ::write(file.fd, bytes.data() + done, bytes.size() - done);
            if (wrote < 0 && errno == EINTR) continue;
            if (wrote <= 0) return WriteError(path, wrote < 0 ? errno : ENOSPC);
            done += static_cast<std::size_t>(wrote);
        }
        if (mode != 0) ::fchmod(file.fd, mode);
        if (::fsync(file.fd) != 0) return WriteError(path, errno);
        if (!file.Close()) return WriteError(path, errno);
        return {};
    }
    return Fail(ErrorCode::WriteFailed, path,
                "Cannot write " + path + ": no temporary file could be created in " +
                    FolderForMessage(path) + ". The file is unchanged.");
}

Error Replace(const std::string& temp, const std::string& path) {
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        return Fail(ErrorCode::ReplaceFailed, path,
                    "Cannot replace " + path + ": " + SystemMessage(errno) + ". The file is unchanged.");
    }
    // Make the rename itself durable; the new content is already in place if this fails.
    std::string folder = FolderPart(path);
    FileDescriptor dir(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_CLOEXEC));
    if (dir.Valid()) ::fsync(dir.fd);
    return {};
}

mode_t AttributesToKeep(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return 0;
    return st.st_mode & 07777;
}

Error RemoveFile(const std::string& path) {
    if (::unlink(path.c_str()) == 0 || errno == ENOENT || errno == ENOTDIR) return {};
    return Fail(ErrorCode::AccessDenied, path, "Cannot delete " + path + ": " + SystemMessage(errno) + ".");
}

#endif

}  // namespace

void SetSaveFaultHook(SaveFaultHook hook) { FaultHook() = std::move(hook); }

Error Load(const std::string& path, LoadedFile& out) {
    out = LoadedFile{};
    if (Error error = CheckPath(path)) return error;
    std::string bytes;
    bool existed = false;
    if (Error error = ReadBytes(path, bytes, existed)) return error;
    out.existed = existed;
    out.doc = Document::Parse(bytes);
    out.original = std::move(bytes);
    return {};
}

Error LoadReadOnly(const std::string& path, LoadedFile& out) {
    out = LoadedFile{};
    if (Error error = CheckPath(path)) return error;
    std::string bytes;
    bool existed = false;
    if (Error error = ReadBytes(path, bytes, existed)) return error;
    out.existed = existed;
    out.doc = Document::ParseOwned(std::move(bytes));
    return {};
}

Error WriteFileAtomically(const std::string& path, const std::string& bytes) {
    if (Error error = CheckPath(path)) return error;
    switch (Probe(path)) {
    case Kind::Folder:
        return FolderNotFileError(path);
    case Kind::ReadOnlyFile:
        return ReadOnlyError(path);
    case Kind::FolderMissing:
        return Fail(ErrorCode::FolderMissing, path,
                    "Cannot create " + path + ": the folder " + FolderPart(path) + " does not exist.");
    case Kind::Missing:
        if (!FolderExists(FolderPart(path))) {
            return Fail(ErrorCode::FolderMissing, path,
                        "Cannot create " + path + ": the folder " + FolderPart(path) + " does not exist.");
        }
        break;
    case Kind::File:
    case Kind::Unknown:  // the save itself reports what is wrong
        break;
    }
    if (!HookAllows("temp-create", path)) {
        return Fail(ErrorCode::AccessDenied, path,
                    "Cannot write " + path + ": you may not create files in the folder " +
                        FolderForMessage(path) + ". The file is unchanged.");
    }
    TempFile temp;
    if (Error error = CreateTemp(path, FolderPart(path), temp, bytes, AttributesToKeep(path))) {
        return error;
    }
    if (!HookAllows("temp-written", path)) return DiskFullError(path);
    if (!HookAllows("before-replace", path)) {
        return Fail(ErrorCode::ReplaceFailed, path,
                    "Cannot replace " + path + ": another program is using it. The file is unchanged.");
    }
    if (Error error = Replace(temp.path, path)) return error;
    temp.placed = true;
    return {};
}

Error Save(const std::string& path, const Document& doc, const SaveOptions& options) {
    if (Error error = CheckPath(path)) return error;
    if (doc.Unrepresentable()) {
        return Fail(ErrorCode::Unrepresentable, path,
                    "Cannot edit " + path +
                        ": it is stored as UTF-16 (Unicode) text, which cannot be written back without "
                        "damaging it. The file is unchanged.");
    }
    if (options.expected_original != nullptr || options.expect_missing) {
        std::string now;
        bool existed = false;
        if (Error error = ReadBytes(path, now, existed)) return error;
        bool same = options.expect_missing ? !existed
                                           : existed && now == *options.expected_original;
        if (!same) {
            return Fail(ErrorCode::ChangedOnDisk, path,
                        "Cannot write " + path +
                            ": another program changed it since it was read. The file is unchanged; "
                            "try again.");
        }
    }
    return WriteFileAtomically(path, doc.Serialise());
}

Error CopyFileReplacing(const std::string& from, const std::string& to) {
    if (Error error = CheckPath(from)) return error;
    std::string bytes;
    bool existed = false;
    if (Error error = ReadBytes(from, bytes, existed)) return error;
    if (!existed) {
        return Fail(ErrorCode::NotFound, from, "Cannot copy " + from + ": the file does not exist.");
    }
    return WriteFileAtomically(to, bytes);
}

Error DeleteFileIfExists(const std::string& path) {
    if (Error error = CheckPath(path)) return error;
    switch (Probe(path)) {
    case Kind::Missing:
    case Kind::FolderMissing:
        return {};
    case Kind::Folder:
        return FolderNotFileError(path);
    case Kind::ReadOnlyFile:
        return Fail(ErrorCode::AccessDenied, path,
                    "Cannot delete " + path +
                        ": the file is read-only. Clear its read-only attribute and try again.");
    case Kind::File:
    case Kind::Unknown:
        break;
    }
    return RemoveFile(path);
}

bool FileExists(const std::string& path) {
    if (path.empty() || path.size() > kMaxPathChars) return false;
    Kind kind = Probe(path);
    return kind == Kind::File || kind == Kind::ReadOnlyFile;
}

bool ReadWholeFile(const std::string& path, std::string& out) {
    out.clear();
    if (CheckPath(path)) return false;
    bool existed = false;
    return !ReadBytes(path, out, existed) && existed;
}

}  // namespace profile
