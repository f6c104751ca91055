// Placeholder until the scan lands.
#include "catalogue/aircraft_scan.h"

namespace catalogue {
ScannerState g_scanner;
void ScanAircraft() {}
}  // namespace catalogue
