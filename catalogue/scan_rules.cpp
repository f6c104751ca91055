#include "catalogue/scan_rules.h"

#include <cstring>

namespace catalogue {

bool IsSkippedAircraftName(const std::string& name) {
    return name == "." || name == ".." || name == "default";
}

bool IsPanelFolderName(const std::string& name) {
    static const char kPrefix[] = "panel";
    if (name.size() < 5) return false;
    for (std::size_t i = 0; i < 5; ++i) {
        unsigned char c = static_cast<unsigned char>(name[i]);
        if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c - 'A' + 'a');
        if (c != static_cast<unsigned char>(kPrefix[i])) return false;
    }
    return true;
}

std::string ComposePanelFolder(const std::string& simulatorRoot, const std::string& aircraftFolder,
                               const std::string& panelFolder) {
    return simulatorRoot + "\\aircraft\\" + aircraftFolder + "\\" + panelFolder + "\\";
}

bool PanelFolderUsable(const std::string& folder) {
    if (folder.find_first_of("?*") != std::string::npos) return false;
    return folder.size() + std::strlen(kLongestPanelFile) <= kMaxPathChars;
}

std::string UnlistedItemText(int panels, int aircraft) {
    if (panels <= 0 && aircraft <= 0) return {};
    std::string text = "Not listed: ";
    if (panels > 0) {
        text += std::to_string(panels) + (panels == 1 ? " panel folder" : " panel folders");
        if (aircraft > 0) text += " in ";
    }
    if (aircraft > 0) text += std::to_string(aircraft) + (aircraft == 1 ? " aircraft folder" : " aircraft folders");
    return text;
}

}  // namespace catalogue
