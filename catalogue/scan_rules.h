// Portable rules of the aircraft scan and the selection: which folder names count, how a
// panel's folder path is composed, and whether it fits the Windows path limits.
#pragma once

#include <string>

namespace catalogue {

// Why a listed panel cannot be opened. Such a panel is listed so the user sees it, but nothing
// ever reads or writes its files: a cut or misspelt path would name another file.
enum class Unusable {
    No,
    PathTooLong,          // its folder, or a file an edit puts there, exceeds the Windows path limit
    NameUnspellable,      // its folder's name holds characters the ANSI code page cannot spell
    AircraftUnspellable,  // so does the name of its aircraft's folder
    AliasTooLong,         // the folder its alias names exceeds the Windows path limit
    PanelFileNotText,     // its panel.cfg is UTF-16, which cannot be written back without loss
    PanelFileIsFolder,    // its panel.cfg is a folder
    PanelFileUnreadable,  // the system refuses to read its panel.cfg
};

// Exact, case-sensitive: ".", ".." and "default" are skipped; "Default" is scanned.
bool IsSkippedAircraftName(const std::string& name);

// The first five characters are "panel" in any ASCII letter case; shorter names never match.
bool IsPanelFolderName(const std::string& name);

// No when every file an edit or a selection opens in folder (which ends in the separator) stays
// within the Windows path limit and the folder's path holds no wildcard, which no Windows file
// name can hold; PathTooLong or NameUnspellable otherwise.
Unusable CheckPanelFolder(const std::string& folder);

}  // namespace catalogue
