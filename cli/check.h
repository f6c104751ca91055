// panelwright-cli check: the doctor's findings of the chosen panels, one line each or one JSON
// document, in the order the dialog's tree shows the panels.
#pragma once

#include "catalogue/fleet_check.h"
#include "cli/batch.h"

#include <ostream>
#include <string>
#include <vector>

namespace cli {

// The version of check --json's format; it grows when a field changes its meaning.
constexpr int kCheckFormatVersion = 1;

struct CheckCounts {
    int errors = 0;
    int warnings = 0;
    int panelsWithFindings = 0;
    int panels = 0;  // checked, counting the folders aircraft.cfg names that are not there
};

// Prints the findings of panels, each panel's lines in order, then, when the aircraft was chosen
// whole (by --all or --aircraft), the panel folders its aircraft.cfg names that are not there.
CheckCounts PrintCheck(const catalogue::FleetFindings& fleet, const std::vector<ChosenPanel>& panels, bool json,
                       std::ostream& out);

}  // namespace cli
