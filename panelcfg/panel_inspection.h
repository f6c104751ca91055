// Facts about one panel folder's panel.cfg: used window slots, alias, gauge-module marker.
// Portable: reads files through the profile engine, writes only the catalogue tables.
#pragma once

#include <cstdint>
#include <string>

namespace panelcfg {

// All three answers from one read of the file. panelFolder has no trailing "\".
struct PanelFacts {
    int alias = 0;               // 1: "alias" in [fltsim] with a value other than "notfound"
    std::string aliasPath;       // SimulatorRoot + "\aircraft\" + value, ending in "\" (when alias)
    std::uint32_t slotMask = 0;  // bit i: slot i has a title in [Window Titles]
    int setFound = 0;            // 1: some slot's title begins with "Skyvantage 530"
    int marker = 0;              // 1: some line contains "Skyvantage_Aerolith"
};
PanelFacts InspectPanel(const std::string& panelFolder, const std::string& simulatorRoot);

// The single-question operations; each writes its table row as the scan and the removal
// expect (rows chosen by the high half of itemData, the panel number).
int ReadSlotInventory(const std::string& panelFolder, std::int32_t itemData);
int ReadPanelAlias(const std::string& panelFolder, std::int32_t itemData);
int ScanForModuleMarker(const std::string& panelFolder);

}  // namespace panelcfg
