#include "platform/folder_listing.h"

#include "platform/paths.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/unique_handle.h"
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#endif

namespace platform {

namespace {

#ifdef _WIN32

std::wstring Widen(const std::string& text, UINT codePage) {
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
    return wide;
}

// The text in codePage; spelled false when a character had no exact spelling there. Best-fit
// spellings are refused: they would name another file ("Ä" for a name holding "Ā").
std::string Narrow(const std::wstring& wide, UINT codePage, bool* spelled) {
    if (wide.empty()) return {};
    const bool checked = spelled != nullptr && codePage != CP_UTF8;
    const DWORD flags = checked ? WC_NO_BEST_FIT_CHARS : 0;
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string text(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), &text[0], n, nullptr,
                        checked ? &usedDefault : nullptr);
    if (spelled != nullptr) *spelled = !usedDefault;
    return text;
}

#endif

}  // namespace

RealPath::RealPath(const std::string& ansi) : ansi_(ansi) {
#ifdef _WIN32
    native_ = Narrow(Widen(ansi, CP_ACP), CP_UTF8, nullptr);
#else
    native_ = ansi;
#endif
}

RealPath RealPath::Child(const FolderEntry& entry) const {
    RealPath child;
    child.ansi_ = ansi_ + kPathSeparator + entry.name;
    child.native_ = native_ + kPathSeparator + entry.native;
    child.spellable_ = spellable_ && entry.spellable;
    return child;
}

RealPath RealPath::Child(const std::string& ansiName) const {
    RealPath child;
    child.ansi_ = ansi_ + kPathSeparator + ansiName;
    child.native_ = native_ + kPathSeparator + RealPath(ansiName).native_;
    child.spellable_ = spellable_;
    return child;
}

#ifdef _WIN32

std::vector<FolderEntry> ListFolder(const RealPath& folder) {
    std::vector<FolderEntry> entries;
    const std::wstring pattern = Widen(folder.Native(), CP_UTF8) + L"\\*";
    WIN32_FIND_DATAW data{};
    const OwnedFindHandle search(ValidOrNull(FindFirstFileW(pattern.c_str(), &data)));
    if (!search) return entries;
    do {
        FolderEntry entry;
        entry.name = Narrow(data.cFileName, CP_ACP, &entry.spellable);
        entry.native = Narrow(data.cFileName, CP_UTF8, nullptr);
        entry.folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entries.push_back(std::move(entry));
    } while (FindNextFileW(search.get(), &data));
    return entries;
}

bool ReadFileAt(const RealPath& file, std::string& bytes) {
    bytes.clear();
    const std::wstring path = Widen(file.Native(), CP_UTF8);
    const OwnedFileHandle handle(ValidOrNull(CreateFileW(
        path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
        FILE_ATTRIBUTE_NORMAL, nullptr)));
    if (!handle) return false;
    char chunk[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(handle.get(), chunk, sizeof chunk, &got, nullptr)) return false;
        if (got == 0) return true;
        bytes.append(chunk, got);
    }
}

#else

std::vector<FolderEntry> ListFolder(const RealPath& folder) {
    std::vector<FolderEntry> entries;
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.Native().c_str()), ::closedir);
    if (!dir) return entries;
    while (const dirent* found = ::readdir(dir.get())) {
        FolderEntry entry;
        entry.name = entry.native = found->d_name;
        struct stat st {};
        entry.folder = ::stat((folder.Native() + kPathSeparator + entry.native).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
        entries.push_back(std::move(entry));
    }
    return entries;
}

bool ReadFileAt(const RealPath& file, std::string& bytes) {
    bytes.clear();
    struct Descriptor {
        int fd;
        ~Descriptor() {
            if (fd >= 0) ::close(fd);
        }
    } file_fd{::open(file.Native().c_str(), O_RDONLY | O_CLOEXEC)};
    if (file_fd.fd < 0) return false;
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(file_fd.fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return got == 0;
        bytes.append(chunk, static_cast<std::size_t>(got));
    }
}

#endif

}  // namespace platform
