// Paths of the files an edit of one panel touches, and the Windows limits they must meet.
#pragma once

#include "platform/paths.h"

#include <cstddef>
#include <string>

namespace panelcfg {

constexpr const char* kPanelFileName = "panel.cfg";
constexpr const char* kBackupSuffix = "_backup";

// The backup path (file path + "_backup") must fit the Windows path limit, so the file path
// itself holds at most this many characters.
constexpr std::size_t kMaxPanelFileChars = platform::kMaxPathChars - 7;

// folder, with or without its trailing separator, followed by "panel.cfg".
inline std::string PanelFilePath(const std::string& folder) {
    std::string path = folder;
    if (!platform::EndsWithSeparator(path)) path += platform::kPathSeparator;
    return path + kPanelFileName;
}

inline std::string BackupPath(const std::string& panelFile) { return panelFile + kBackupSuffix; }

}  // namespace panelcfg
