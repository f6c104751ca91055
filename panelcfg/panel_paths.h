// Names of the files an edit of one panel makes or touches in its folder, and the Windows limit
// they must meet. Every name an edit puts beside panel.cfg is panel.cfg and a suffix no longer
// than the backup's, so a folder with room for the backup has room for them all.
#pragma once

#include "platform/paths.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace panelcfg {

constexpr std::string_view kAircraftFolderName = "aircraft";  // in the simulator's folder: one folder an aircraft
constexpr std::string_view kPanelFileName = "panel.cfg";
constexpr std::string_view kBackupSuffix = "_backup";  // the transient copy of the old file
constexpr std::string_view kTemporarySuffix = "_new";  // the new content before it replaces the file
constexpr std::string_view kLockSuffix = "_lock";      // the edit's lock (Windows)

static_assert(kTemporarySuffix.size() <= kBackupSuffix.size() && kLockSuffix.size() <= kBackupSuffix.size(),
              "the scan keeps room for the backup's name only");

// The longest name an edit puts into a panel folder: "panel.cfg_backup".
constexpr std::size_t kLongestPanelFileChars = kPanelFileName.size() + kBackupSuffix.size();

// The file path itself holds at most this many characters, so that its backup fits the limit.
constexpr std::size_t kMaxPanelFileChars = platform::kMaxPathChars - kBackupSuffix.size();

// folder, with or without its trailing separator, followed by "panel.cfg".
inline std::string PanelFilePath(const std::string& folder) {
    std::string path = folder;
    if (!platform::EndsWithSeparator(path)) path += platform::kPathSeparator;
    return path.append(kPanelFileName);
}

inline std::string BackupPath(const std::string& panelFile) { return panelFile + std::string(kBackupSuffix); }
inline std::string TemporaryPath(const std::string& panelFile) { return panelFile + std::string(kTemporarySuffix); }
inline std::string LockPath(const std::string& panelFile) { return panelFile + std::string(kLockSuffix); }

// The names alone, as the user is told them: "panel.cfg_backup", "panel.cfg_new".
inline std::string BackupFileName() { return BackupPath(std::string(kPanelFileName)); }
inline std::string TemporaryFileName() { return TemporaryPath(std::string(kPanelFileName)); }

}  // namespace panelcfg
