#include "platform/folder_listing.h"

#include "platform/paths.h"
#include "platform/unique_handle.h"
#include "platform/wide_text.h"

namespace platform {

bool ListFolder(const RealPath& folder, std::vector<FolderEntry>& entries) {
    entries.clear();
    const std::wstring pattern = LongForm(folder.Native() + "\\*");
    WIN32_FIND_DATAW data{};
    const OwnedFindHandle search(ValidOrNull(FindFirstFileW(pattern.c_str(), &data)));
    if (!search) return false;
    do {
        FolderEntry entry;
        entry.name = Narrow(data.cFileName, CP_ACP, &entry.spellable);
        entry.native = Narrow(data.cFileName, CP_UTF8);
        entry.folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entries.push_back(std::move(entry));
    } while (FindNextFileW(search.get(), &data));
    return true;
}

}  // namespace platform
