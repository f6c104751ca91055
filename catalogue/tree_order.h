// The order the dialog's tree and the command line show the catalogue in: one comparison, so
// that both list the aircraft alike on every machine, whatever its locale.
#pragma once

#include "catalogue/catalogue.h"

#include <vector>

namespace catalogue {

// Aircraft numbers by title, ASCII letter case ignored, then by folder name.
std::vector<int> AircraftInTreeOrder(const Catalogue& catalogue);

// The panel numbers of an aircraft by folder name, ASCII letter case ignored: the same order on
// every file system, which lists folders in an order of its own.
std::vector<int> PanelsInOrder(const Catalogue& catalogue, int aircraft);

}  // namespace catalogue
