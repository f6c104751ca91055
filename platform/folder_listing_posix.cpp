#include "platform/folder_listing.h"

#include "platform/paths.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

bool ListFolder(const RealPath& folder, std::vector<FolderEntry>& entries) {
    entries.clear();
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.Native().c_str()), ::closedir);
    if (!dir) return false;
    while (const dirent* found = ::readdir(dir.get())) {
        FolderEntry entry;
        entry.name = entry.native = found->d_name;
        struct stat st {};
        entry.folder = ::stat((folder.Native() + kPathSeparator + entry.native).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
        entries.push_back(std::move(entry));
    }
    return true;
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

}  // namespace platform
