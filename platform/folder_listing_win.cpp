#include "platform/folder_listing.h"

#include "platform/paths.h"
#include "platform/unique_handle.h"
#include "platform/wide_text.h"

namespace platform {

namespace {

// The W functions take a path longer than MAX_PATH only in its \\?\ form: absolute, with
// backslashes alone. A folder the ANSI functions cannot reach is still listed, so that what it
// holds can be shown, and said to be out of reach.
std::wstring LongForm(const std::string& native) {
    std::wstring wide = NativeToWide(native);
    for (wchar_t& c : wide) {
        if (c == L'/') c = L'\\';
    }
    const bool drive = wide.size() > 2 && wide[1] == L':' && wide[2] == L'\\';
    if (wide.size() >= kMaxPathChars && drive) wide = L"\\\\?\\" + wide;
    return wide;
}

}  // namespace

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

bool ReadFileAt(const RealPath& file, std::string& bytes) {
    bytes.clear();
    const OwnedFileHandle handle(ValidOrNull(CreateFileW(
        LongForm(file.Native()).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
    if (!handle) return false;
    char chunk[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(handle.get(), chunk, sizeof chunk, &got, nullptr)) return false;
        if (got == 0) return true;
        bytes.append(chunk, got);
    }
}

}  // namespace platform
