// Placeholder until inspection lands.
#include "panelcfg/panel_inspection.h"

namespace panelcfg {
PanelFacts InspectPanel(const std::string&, const std::string&) { return {}; }
int ReadSlotInventory(const std::string&, std::int32_t) { return 0; }
int ReadPanelAlias(const std::string&, std::int32_t) { return 0; }
int ScanForModuleMarker(const std::string&) { return 0; }
}  // namespace panelcfg
