// The one-time scan that fills the tree and the catalogue tables (Windows only).
//
// The scan lists SimulatorRoot\aircraft\*, and in every aircraft folder the folders whose
// names begin with "panel" (ASCII case-insensitive). Each panel's panel.cfg is read once
// (panelcfg::InspectPanel) and the panel classified: alias first, then a title of the GPS
// window set, then the module marker. Aircraft without panel folders get no item and no number.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "catalogue/find_handle.h"
#include "catalogue/item_data.h"

#include <string>

namespace catalogue {

// One folder listing walked entry by entry (NextAircraftFolder / NextPanelFolder).
struct FolderIterator {
    FindHandle search;    // open while a listing is in progress
    int first = 1;        // 1: the next call starts a new listing
    int done = 0;         // 1: the listing has ended; calls answer 0 until cleared
    DWORD attributes = 0; // attribute word of the last entry found
    std::string name;     // name of the last entry found; empty at the end
    std::string path;     // its full path, without a trailing "\"; empty at the end

    void Reset() {
        search.Close();
        first = 1;
        done = 0;
        attributes = 0;
        name.clear();
        path.clear();
    }
};

struct ScannerState {
    int aircraftCounter = 0;                 // aircraft items inserted; the next aircraft number
    int panelCounter = 0;                    // panel folders listed; the next panel number
    HTREEITEM rootItem = nullptr;            // the tree's root; also used by the root rule
    HTREEITEM currentAircraftItem = nullptr; // parent of the panels being inserted
    FolderIterator aircraftIterator;         // over SimulatorRoot\aircraft
    FolderIterator panelIterator;            // over the current aircraft folder
    int maxAircraft = kMaxAircraft;          // capacity; lowered only by tests
    int maxPanels = kMaxPanels;
    int unlistedPanels = 0;                  // panel folders past the capacity
    int unlistedAircraft = 0;                // aircraft folders with at least one of them,
                                             // or whose folder cannot be listed at all
};

extern ScannerState g_scanner;

// Fills the tree (app::g_shell.tree) and the catalogue tables. Run once per run; running it
// again (tests) starts new listings and numbers but does not clear the tables or the tree.
void ScanAircraft();

// 1 with the next entry of the listing (files, "." and ".." included: the caller filters),
// 0 at the end or when the listing cannot start. See FolderIterator for the state updated.
int NextAircraftFolder();
int NextPanelFolder();

// The title of the current aircraft ("title" of [fltsim.0] in its aircraft.cfg, at most
// 1023 characters), or fallback when the file, the key or a value other than "notfound" is
// missing.
std::string ReadAircraftTitle(const std::string& fallback);

}  // namespace catalogue
