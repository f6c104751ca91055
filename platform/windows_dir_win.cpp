#include "platform/windows_dir.h"

#include "platform/paths.h"

#include <windows.h>

namespace platform {

std::string WindowsDirectory() {
    char buffer[MAX_PATH + 1] = {};
    const UINT n = GetWindowsDirectoryA(buffer, MAX_PATH + 1);
    if (n == 0 || n > MAX_PATH) return std::string();
    // "C:\" keeps its separator only at a drive root; without it callers can append "\name".
    return WithoutTrailingSeparators(std::string(buffer, n));
}

}  // namespace platform
