// The fleet doctor: what the simulator will not show across its aircraft, found in one scan that
// reads each file once (panelcfg/panel_findings.h for one panel.cfg), and looks up gauges and
// bitmaps in one listing per folder. Portable; reads only, writes nothing.
#pragma once

#include "catalogue/catalogue.h"
#include "panelcfg/panel_findings.h"

#include <string>
#include <string_view>
#include <vector>

namespace catalogue {

// A panel folder that aircraft.cfg's panel= names but that is not there.
struct MissingPanelFolder {
    std::string folder;                       // its path as it would be, ending in the separator (ANSI)
    std::string nativeFolder;                 // the same as the file system would spell it
    std::vector<panelcfg::Finding> findings;  // each [fltsim.N] that names it
};

struct FleetFindings {
    Catalogue catalogue;                                          // as ScanAircraft gives it, without limits
    std::vector<std::vector<panelcfg::Finding>> panels;           // by panel number: what the scan knows
                                                                  // first, then the alias, then by line
    std::vector<std::vector<MissingPanelFolder>> missingFolders;  // by aircraft number
};

// Everything the doctor finds under simulatorRoot (without a trailing separator).
FleetFindings CheckFleet(const std::string& simulatorRoot);

// The names in the simulator's gauges folder; none when it is missing.
panelcfg::FolderNames ListGauges(const std::string& simulatorRoot);

// Whether the simulator's gauges folder holds module: what the dialog says after an install.
bool GaugeModuleInstalled(const std::string& simulatorRoot, std::string_view module);

}  // namespace catalogue
