#include "platform/TempFolder.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace fs = std::filesystem;

namespace pwtest {

TempFolder::TempFolder() {
    static std::atomic<unsigned> counter{0};
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    fs::path base = fs::temp_directory_path();
    for (;;) {
        fs::path candidate = base / ("pwtest-" + std::to_string(stamp % 1000000007) + "-" +
                                     std::to_string(counter++));
        if (fs::create_directory(candidate)) {
            folder_ = candidate.make_preferred().string();
            break;
        }
    }
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    for (const auto& entry : fs::recursive_directory_iterator(folder_, ignored)) {
        SetReadOnly(entry.path().string(), false);
    }
    fs::remove_all(folder_, ignored);
}

std::string TempFolder::Path(const std::string& name) const {
#ifdef _WIN32
    return folder_ + "\\" + name;
#else
    return folder_ + "/" + name;
#endif
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void SetReadOnly(const std::string& path, bool read_only) {
#ifdef _WIN32
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    attributes = read_only ? (attributes | FILE_ATTRIBUTE_READONLY) : (attributes & ~FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA(path.c_str(), attributes);
#else
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return;
    mode_t mode = read_only ? (st.st_mode & ~mode_t(0222)) : (st.st_mode | S_IWUSR);
    ::chmod(path.c_str(), mode & 07777);
#endif
}

std::string ListFolder(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(folder, ignored)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    std::string joined;
    for (const std::string& name : names) joined += name + ";";
    return joined;
}

}  // namespace pwtest
