// The catalogue's tables, indexed by aircraft number and panel number. They grow as the scan
// meets aircraft and panels (up to kMaxAircraft / kMaxPanels) and are never cleared.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace catalogue {

struct CatalogueTables {
    std::vector<std::string> aircraftFolder;  // by aircraft number: the folder's own name, whole
    std::vector<std::string> aliasPath;       // by panel number: alias folder path ending in "\", or empty
    std::vector<std::uint32_t> slotMask;      // by panel number: window slots holding a title
    std::vector<std::uint8_t> panelUnusable;  // by panel number: 1 when its path exceeds the Windows limits
};

extern CatalogueTables g_catalogue;

// Row accessors that grow the tables on write and read absent rows as empty / zero.
void SetAircraftFolder(int aircraft, const std::string& name);
const std::string& AircraftFolder(int aircraft);
void SetAliasPath(int panel, const std::string& path);
const std::string& AliasPath(int panel);
void SetSlotMask(int panel, std::uint32_t mask);
std::uint32_t SlotMask(int panel);
void SetPanelUnusable(int panel, bool unusable);
bool PanelUnusable(int panel);

// Empties every table (tests only; the product fills them once per run).
void ResetCatalogue();

}  // namespace catalogue
