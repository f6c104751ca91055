// Portable rules of the aircraft scan and the selection: which folder names count, how a
// panel's folder path is composed, and whether it fits the Windows path limits.
#pragma once

#include <cstddef>
#include <string>

namespace catalogue {

// Longest path the Windows ANSI file functions accept, terminating NUL excluded.
constexpr std::size_t kMaxPathChars = 259;

// The longest file name an edit puts into a panel folder: the transient backup copy.
constexpr const char* kLongestPanelFile = "panel.cfg_backup";

// Exact, case-sensitive: ".", ".." and "default" are skipped; "Default" is scanned.
bool IsSkippedAircraftName(const std::string& name);

// The first five characters are "panel" in any ASCII letter case; shorter names never match.
bool IsPanelFolderName(const std::string& name);

// SimulatorRoot\aircraft\<aircraft folder>\<panel folder>\ (always ends in "\").
std::string ComposePanelFolder(const std::string& simulatorRoot, const std::string& aircraftFolder,
                               const std::string& panelFolder);

// True when every file an edit or a selection opens in folder (which ends in "\") stays
// within kMaxPathChars, and the folder's name is one Windows can open (no '?' left by an
// ANSI listing of a name the code page cannot spell).
bool PanelFolderUsable(const std::string& folder);

// Text of the last item under the root when the catalogue's capacity was reached or folders
// could not be listed; empty when nothing was left out.
std::string UnlistedItemText(int panels, int aircraft);

}  // namespace catalogue
