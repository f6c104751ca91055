// The one-time scan that fills the tree and the catalogue tables (Windows only).
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace catalogue {

struct ScannerState {
    int aircraftCounter = 0;
    int panelCounter = 0;
    HTREEITEM rootItem = nullptr;
    HTREEITEM currentAircraftItem = nullptr;
};

extern ScannerState g_scanner;

void ScanAircraft();

}  // namespace catalogue
