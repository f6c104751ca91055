// Temporary panel folders and file helpers for the panel.cfg tests.
#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

namespace panelcfg_test {

namespace fs = std::filesystem;

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder() {
        static std::atomic<unsigned> counter{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        path_ = fs::temp_directory_path() /
                ("pw-panelcfg-" + std::to_string(stamp) + "-" + std::to_string(counter++));
        fs::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        MakeWritable(path_);
        fs::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const fs::path& Path() const { return path_; }
    // The folder as the selection passes it: ending in the separator.
    std::string Folder() const { return WithSeparator(path_.string()); }
    std::string File(const std::string& name = "panel.cfg") const { return (path_ / name).string(); }

    static std::string WithSeparator(std::string folder) {
        folder += static_cast<char>(fs::path::preferred_separator);
        return folder;
    }

private:
    static void MakeWritable(const fs::path& root) {
        std::error_code ignored;
        fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, ignored);
        for (auto it = fs::recursive_directory_iterator(root, ignored); it != fs::recursive_directory_iterator();
             it.increment(ignored)) {
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        }
    }
    fs::path path_;
};

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline bool Exists(const std::string& path) { return fs::exists(fs::path(path)); }

// Names of the entries of a folder, sorted, to catch stray temporary files.
inline std::string Listing(const fs::path& folder) {
    std::string names;
    std::error_code ignored;
    std::vector<std::string> all;
    for (const auto& entry : fs::directory_iterator(folder, ignored)) all.push_back(entry.path().filename().string());
    std::sort(all.begin(), all.end());
    for (const auto& name : all) names += name + ";";
    return names;
}

// Lines of text without their line ends, blank lines dropped.
inline std::string WithoutBlankLines(const std::string& text) {
    std::string out, line;
    std::istringstream in(text);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find_first_not_of(" \t") == std::string::npos) continue;
        out += line + "\n";
    }
    return out;
}

}  // namespace panelcfg_test
