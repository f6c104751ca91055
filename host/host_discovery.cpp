// Placeholder until discovery lands.
#include "host/host_discovery.h"

namespace host {
int ReadSimulatorRoot() { return 0; }
int EvaluateTrainer() { return -2; }
void ToggleDatabase() {}
}  // namespace host
