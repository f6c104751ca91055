// The scan: every aircraft folder under SimulatorRoot\aircraft that holds panel folders, with
// its panels, each classified from one read of its panel.cfg. Portable; the tree is filled
// from its result by app/aircraft_tree.h.
//
// Aircraft folders are taken in listing order; ".", ".." and "default" are skipped, as are
// folders without a folder whose name begins with "panel" (ASCII case-insensitive), which get
// no number. A panel is Alias when its panel.cfg names an alias; otherwise Plain and marked when
// a window title begins with "Skyvantage 530"; otherwise Foreign (and marked) when the file
// mentions "Skyvantage_Aerolith"; otherwise Plain. Panels that cannot be opened are listed as
// Plain, unmarked and unusable, their files never read; so are panels whose panel.cfg is
// UTF-16, a folder or unreadable, which no edit could write back.
#pragma once

#include "catalogue/catalogue.h"
#include "platform/profile_document.h"

#include <climits>
#include <functional>
#include <string>

namespace catalogue {

// How many aircraft and panels get numbers; the rest is only counted. The tree's data words
// keep their meaning up to kMaxAircraft and kMaxPanels.
struct ScanLimits {
    int maxAircraft = kMaxAircraft;
    int maxPanels = kMaxPanels;
};
constexpr ScanLimits kNoLimits = {INT_MAX, INT_MAX};

// Sees each file the scan reads as it reads it, so that a caller who needs more of a file than the
// catalogue keeps never reads it again: an aircraft's aircraft.cfg once the aircraft has its
// number, a panel's panel.cfg once its record is complete (empty documents for files not read).
// The documents live only during the call.
struct ScanVisitor {
    std::function<void(int aircraft, const profile::Document& aircraftCfg)> aircraftFile;
    std::function<void(int panel, const PanelRecord& record, const profile::Document& panelCfg)> panelFile;
};

Catalogue ScanAircraft(const std::string& simulatorRoot, const ScanLimits& limits = {},
                       const ScanVisitor& visitor = {});

// Whether simulatorRoot (without a trailing separator) is a simulator's folder: one that holds
// an "aircraft" folder. A scan of anything else finds nothing, and the user is to be told why.
enum class SimulatorFolder {
    Found,
    NotNamed,          // no folder at all (the registry names none)
    Missing,           // the folder does not exist
    NotAFolder,        // a file of that name
    NoAircraftFolder,  // a folder without an "aircraft" folder inside
};
SimulatorFolder CheckSimulatorRoot(const std::string& simulatorRoot);

}  // namespace catalogue
