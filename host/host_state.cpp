#include "host/host_state.h"

namespace host {
HostState g_host;
}
