#include "catalogue/scan_rules.h"

#include "panelcfg/panel_paths.h"
#include "platform/ascii.h"
#include "platform/paths.h"

namespace catalogue {

bool IsSkippedAircraftName(const std::string& name) { return name == "." || name == ".." || name == "default"; }

bool IsPanelFolderName(const std::string& name) { return platform::StartsWithIgnoringAsciiCase(name, "panel"); }

Unusable CheckPanelFolder(const std::string& folder) {
    if (folder.find_first_of("?*") != std::string::npos) return Unusable::NameUnspellable;
    if (folder.size() + panelcfg::kLongestPanelFileChars > platform::kMaxPathChars) return Unusable::PathTooLong;
    return Unusable::No;
}

}  // namespace catalogue
