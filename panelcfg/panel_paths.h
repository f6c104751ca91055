// Paths of the files an edit of one panel touches, and the Windows limits they must meet.
#pragma once

#include "platform/profile_file.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace panelcfg {

constexpr const char* kPanelFileName = "panel.cfg";
constexpr const char* kBackupSuffix = "_backup";

// The backup path (file path + "_backup") must fit the Windows path limit, so the file path
// itself holds at most this many characters.
constexpr std::size_t kMaxPanelFileChars = profile::kMaxPathChars - 7;

#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

inline bool EndsWithSeparator(const std::string& folder) {
    if (folder.empty()) return false;
    const char last = folder.back();
    return last == kPathSeparator || last == '\\' || last == '/';
}

// folder, with or without its trailing separator, followed by "panel.cfg".
inline std::string PanelFilePath(const std::string& folder) {
    std::string path = folder;
    if (!EndsWithSeparator(path)) path += kPathSeparator;
    return path + kPanelFileName;
}

inline std::string BackupPath(const std::string& panelFile) { return panelFile + kBackupSuffix; }

// Panel number carried in the high half of a panel item's data word.
inline int PanelNumberOf(std::int32_t itemData) {
    return static_cast<int>(static_cast<std::uint32_t>(itemData) >> 16);
}

}  // namespace panelcfg
