#include "platform/windows_dir.h"

namespace platform {

std::string WindowsDirectory() { return std::string(); }

}  // namespace platform
