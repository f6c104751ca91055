// A fresh folder for one test, removed with everything in it afterwards, and the few whole-file
// helpers the tests around it need. Header only: include "support/TempFolder.h", nothing to link.
#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

namespace pwtest {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

// The read-only attribute on Windows, the write bits on POSIX. Files and folders alike.
inline void SetReadOnly(const std::string& path, bool read_only) {
    namespace fs = std::filesystem;
    const fs::perms write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    std::error_code ignored;
    fs::permissions(path, read_only ? write : fs::perms::owner_write,
                    read_only ? fs::perm_options::remove : fs::perm_options::add, ignored);
}

class TempFolder {
public:
    TempFolder() {
        namespace fs = std::filesystem;
        static std::atomic<unsigned> counter{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        for (;;) {
            fs::path candidate = fs::temp_directory_path() /
                                 ("pwtest-" + std::to_string(stamp % 1000000007) + "-" + std::to_string(counter++));
            if (fs::create_directory(candidate)) {
                folder_ = candidate.make_preferred().string();
                return;
            }
        }
    }
    ~TempFolder() {
        std::error_code ignored;
        SetReadOnly(folder_, false);
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder_, ignored))
            SetReadOnly(entry.path().string(), false);
        std::filesystem::remove_all(folder_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder, in the platform's own spelling, without a trailing separator.
    const std::string& Folder() const { return folder_; }
    // The folder followed by the separator, as the program's panel folders are spelt.
    std::string FolderWithSeparator() const { return folder_ + kSeparator; }
    // folder + separator + name.
    std::string Path(const std::string& name) const { return folder_ + kSeparator + name; }

private:
    std::string folder_;
};

// Bytes of a file; empty when it cannot be read.
inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline bool Exists(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::exists(path, ignored);
}

// Names of the entries of folder, sorted, each followed by ';' ("a;b;"): catches stray files.
inline std::string ListFolder(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    std::string joined;
    for (const std::string& name : names) joined += name + ";";
    return joined;
}

}  // namespace pwtest
