// The catalogue as `panelwright-cli list` prints it: an aligned table, or one JSON document.
#pragma once

#include "catalogue/catalogue.h"

#include <ostream>
#include <string>
#include <vector>

namespace cli {

// Aircraft numbers in the order the dialog's tree shows them: by title, ASCII letter case
// ignored, then by folder name.
std::vector<int> AircraftInTreeOrder(const catalogue::Catalogue& catalogue);

// The panel numbers of an aircraft by folder name, ASCII letter case ignored: the same order on
// every file system, which lists folders in an order of its own.
std::vector<int> PanelsInOrder(const catalogue::Catalogue& catalogue, int aircraft);

// The version of list --json's format; it grows when a field changes its meaning.
constexpr int kListFormatVersion = 2;

void PrintTable(const catalogue::Catalogue& catalogue, std::ostream& out);
void PrintJson(const catalogue::Catalogue& catalogue, const std::string& simulatorRoot, std::ostream& out);

}  // namespace cli
