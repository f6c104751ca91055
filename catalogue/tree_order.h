// The order the dialog's tree and the command line show the catalogue in: one comparison each
// for aircraft and panels, so that both list them alike on every machine, whatever its locale.
#pragma once

#include "catalogue/catalogue.h"

#include <vector>

namespace catalogue {

// Aircraft numbers by title, ASCII letter case ignored, then by folder name.
std::vector<int> AircraftInTreeOrder(const Catalogue& catalogue);

// The panel numbers of an aircraft in the order Windows' own file system (NTFS) lists their
// folders: by name, ASCII letters compared as capitals, so "panel" < "PANELA" < "panel_vc".
// The tree, list, its JSON and the batch all take this order, the same on every file system,
// whatever order the listing gave.
std::vector<int> PanelsInOrder(const Catalogue& catalogue, int aircraft);

}  // namespace catalogue
