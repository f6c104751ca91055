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
        entry.folder =
            ::stat((folder.Native() + kPathSeparator + entry.native).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
        entries.push_back(std::move(entry));
    }
    return true;
}

}  // namespace platform
