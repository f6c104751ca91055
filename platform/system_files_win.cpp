// The operating system's files behind fileio::FileSystem: kernel32.
#include "platform/file_system.h"

#include "platform/paths.h"
#include "platform/system_message.h"
#include "platform/unique_handle.h"
#include "platform/wide_text.h"

#include <windows.h>

#include <algorithm>
#include <new>

namespace fileio {
namespace {

using platform::FolderPart;
using platform::SystemMessage;

// Last-write times come in 100 ns ticks and are kept to 2 s on FAT: a file written less than
// three seconds ago (or stamped in the future) could be written again with the same stamp.
constexpr std::int64_t kRecentTicks = 3 * 10000000LL;

bool IsDiskFull(DWORD code) { return code == ERROR_DISK_FULL || code == ERROR_HANDLE_DISK_FULL; }
bool IsMissing(DWORD code) { return code == ERROR_FILE_NOT_FOUND; }
bool IsFolderMissing(DWORD code) {
    return code == ERROR_PATH_NOT_FOUND || code == ERROR_INVALID_NAME || code == ERROR_BAD_NETPATH ||
           code == ERROR_BAD_PATHNAME || code == ERROR_INVALID_DRIVE;
}

Error WriteError(const std::string& target, DWORD code) {
    return IsDiskFull(code) ? Error{ErrorCode::DiskFull, target}
                            : Error{ErrorCode::WriteFailed, target, SystemMessage(code)};
}

// Reads the open file to its end. One read of the known size plus a byte: when it comes back
// short with exactly the size, that was the end of the file, so a file that stays as it is takes
// one call. Anything else (a file that grows or shrinks meanwhile, no size) reads on to the end.
Error ReadOpened(HANDLE file, const std::string& path, std::string& bytes) {
    try {
        LARGE_INTEGER size{};
        std::size_t want = 65536;
        std::size_t known = static_cast<std::size_t>(-1);
        if (GetFileSizeEx(file, &size) && size.QuadPart >= 0 &&
            static_cast<unsigned long long>(size.QuadPart) < 0x7FFFFFFFull) {
            known = static_cast<std::size_t>(size.QuadPart);
            want = known + 1;
        }
        std::size_t have = 0;
        for (;;) {
            bytes.resize(have + want);
            DWORD got = 0;
            if (!ReadFile(file, &bytes[have], static_cast<DWORD>(want), &got, nullptr)) {
                bytes.clear();
                return Error{ErrorCode::ReadFailed, path, SystemMessage(GetLastError())};
            }
            have += got;
            if (got == 0 || (got < want && have == known)) break;
            want = 65536;
        }
        bytes.resize(have);
    } catch (const std::bad_alloc&) {
        bytes.clear();
        return Error{ErrorCode::TooLarge, path};
    }
    return {};
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

    FileStamp Stamp(const std::string& path) override {
        FileStamp stamp;
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
            (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            return stamp;
        }
        stamp.existed = true;
        stamp.readOnly = (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
        stamp.attributes = data.dwFileAttributes;
        stamp.size = (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
        stamp.writeTime = static_cast<std::int64_t>((std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) |
                                                    data.ftLastWriteTime.dwLowDateTime);
        FILETIME now{};
        GetSystemTimeAsFileTime(&now);
        const auto nowTime = static_cast<std::int64_t>((std::uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime);
        stamp.recent = nowTime - stamp.writeTime < kRecentTicks;
        return stamp;
    }

    Error Read(const std::string& path, std::string& bytes, bool& existed) override {
        existed = false;
        bytes.clear();
        const platform::OwnedFileHandle file(platform::ValidOrNull(
            CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
        if (!file) {
            const DWORD code = GetLastError();
            if (IsMissing(code) || IsFolderMissing(code)) return {};
            if (Probe(path) == PathKind::Folder) return Error{ErrorCode::FolderNotFile, path};
            if (code == ERROR_SHARING_VIOLATION) return Error{ErrorCode::InUse, path};
            return Error{ErrorCode::CannotOpen, path, SystemMessage(code)};
        }
        existed = true;
        return ReadOpened(file.get(), path, bytes);
        return {};
    }

    Error CreateNew(const std::string& path, const std::string& target, bool& taken) override {
        taken = false;
        const platform::OwnedFileHandle file(platform::ValidOrNull(
            CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr)));
        if (file) return {};
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS) {
            taken = true;
            return {};
        }
        if (code == ERROR_ACCESS_DENIED) return Error{ErrorCode::CannotCreateIn, target};
        return WriteError(target, code);
    }

    Error WriteAll(const std::string& path, const std::string& bytes, const std::string& target,
                   const FileStamp* targetNow) override {
        {
            platform::OwnedFileHandle file(platform::ValidOrNull(CreateFileA(
                path.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
            if (!file) return WriteError(target, GetLastError());
            std::size_t done = 0;
            while (done < bytes.size()) {
                const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
                DWORD wrote = 0;
                if (!WriteFile(file.get(), bytes.data() + done, chunk, &wrote, nullptr) || wrote == 0) {
                    return WriteError(target, GetLastError());
                }
                done += wrote;
            }
            if (!FlushFileBuffers(file.get())) return WriteError(target, GetLastError());
            // A close that fails can lose what was written: it counts as a failed write.
            if (!CloseHandle(file.Take())) return WriteError(target, GetLastError());
        }
        const DWORD attributes = targetNow != nullptr ? targetNow->attributes : GetFileAttributesA(target.c_str());
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
            if (MoveFileExA(from.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
                return {};
            const DWORD code = GetLastError();
            if (code != ERROR_SHARING_VIOLATION && code != ERROR_ACCESS_DENIED) {
                return Error{ErrorCode::ReplaceFailed, target, SystemMessage(code)};
            }
            if (GetTickCount64() >= deadline) return Error{ErrorCode::ReplaceRefused, target};
            Sleep(20);
        }
    }

    Error Remove(const std::string& path) override {
        if (DeleteFileA(path.c_str())) return {};
        const DWORD code = GetLastError();
        if (IsMissing(code) || IsFolderMissing(code)) return {};
        return Error{ErrorCode::DeleteFailed, path, SystemMessage(code)};
    }

    bool Link(const std::string& existing, const std::string& link) override {
        return CreateHardLinkA(link.c_str(), existing.c_str(), nullptr) != FALSE;
    }
};

}  // namespace

FileSystem& SystemFiles() {
    static WindowsFiles files;
    return files;
}

bool ReadNativeFile(const std::string& nativePath, std::string& bytes) {
    bytes.clear();
    const platform::OwnedFileHandle file(platform::ValidOrNull(CreateFileW(
        platform::LongForm(nativePath).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
    return file && !ReadOpened(file.get(), nativePath, bytes);
}

}  // namespace fileio
