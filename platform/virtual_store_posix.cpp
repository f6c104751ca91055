#include "platform/virtual_store.h"

namespace platform {

VirtualStore SystemVirtualStore() { return {}; }

}  // namespace platform
