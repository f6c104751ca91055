// The catalogue as `panelwright-cli list` prints it: an aligned table, or one JSON document.
#pragma once

#include "catalogue/catalogue.h"

#include <ostream>
#include <string>
#include <vector>

namespace cli {

// The version of list --json's format; it grows when a field changes its meaning.
constexpr int kListFormatVersion = 2;

void PrintTable(const catalogue::Catalogue& catalogue, std::ostream& out);
void PrintJson(const catalogue::Catalogue& catalogue, const std::string& simulatorRoot, std::ostream& out);

}  // namespace cli
