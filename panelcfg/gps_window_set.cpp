// Placeholder until install and removal land.
#include "panelcfg/gps_window_set.h"

namespace panelcfg {
int InstallGpsWindowSet(const std::string&, std::int32_t) { return 0; }
int RemoveGpsWindowSet(const std::string&, std::int32_t) { return 0; }
}  // namespace panelcfg
